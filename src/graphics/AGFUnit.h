// TAGFImage: a picture cut into equal patterns and packed into device textures of one format.
#pragma once

#include <string>
#include <vector>

#include "graphics/DirectXGraphics.h"

namespace marblix {

class TBitmap;

class TAGFImage {
 public:
  TAGFImage() = default;
  ~TAGFImage() { ReleaseTextures(); }
  TAGFImage(const TAGFImage&) = delete;
  TAGFImage& operator=(const TAGFImage&) = delete;

  // 0, -2 format, -3 sizes, -4 loaded or no texture, -6 no library, or a lock/unlock code.
  int LoadPatterns(IDirect3DDevice8* device, const std::string& fileName, int patternWidth,
                   int patternHeight, int textureWidth, int textureHeight, int format);
  // The whole picture as one pattern in one texture of the next powers of two.
  int LoadAutoSize(IDirect3DDevice8* device, const std::string& fileName, int format);
  // As LoadPatterns, from a picture already in memory.
  int LoadPatternsFromBitmap(IDirect3DDevice8* device, const TBitmap& source, int patternWidth,
                             int patternHeight, int textureWidth, int textureHeight, int format);
  int CreateTextures(IDirect3DDevice8* device, int textureWidth, int textureHeight,
                     int textureCount, int patternWidth, int patternHeight, int format);
  int LockTexture(int index, D3DLOCKED_RECT& locked);
  int UnlockTexture(int index);
  int ReleaseTextures();

  // Writes the pattern's texture coordinates into the four corner slots (top-left, top-right,
  // bottom-left, bottom-right) and hands back its texture. Pattern indexes are clamped.
  bool SelectPattern(int pattern, bool mirror, bool flip, TVertex* corners,
                     PDirect3DTexture8* texture) const;

  bool Loaded = false;
  int PatternWidth = 0;
  int PatternHeight = 0;
  int TextureWidth = 0;
  int TextureHeight = 0;
  int PatternCount = 0;
  int PatternsPerRow = 0;
  int PatternRows = 0;
  int PatternsPerTexture = 0;
  int Format = 0;
  std::vector<PDirect3DTexture8> Textures;

 private:
  int FillTextures(const TBitmap& picture, int perTexture);
};

int NextPowerOfTwo(int n);

}  // namespace marblix
