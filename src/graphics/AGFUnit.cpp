// TAGFImage: loading pictures into pattern textures, and the texture coordinates of a pattern.
#include "graphics/AGFUnit.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "graphics/PDrawEx.h"
#include "graphics/TGAReader.h"

namespace marblix {

namespace {

// Reads the picture as 32 bits per pixel; the reader's exceptions pass through.
TBitmapEx ReadPicture(const std::string& fileName) {
  TBitmapEx picture;
  picture.LoadFromFile(fileName);
  picture.SetPixelFormat(TPixelFormat::pf32bit);
  return picture;
}

}  // namespace

int NextPowerOfTwo(int n) {
  int power = 1;
  while (power < n && power < (1 << 30)) power <<= 1;
  return power;
}

int TAGFImage::LoadPatterns(IDirect3DDevice8* device, const std::string& fileName, int patternWidth,
                            int patternHeight, int textureWidth, int textureHeight, int format) {
  if (Loaded) return -4;
  if (!ExtensionLoaded() && !LoadExtensionLibrary()) return -6;
  if (BytesPerTexel(format) == 0) return -2;
  const TBitmapEx picture = ReadPicture(fileName);
  return LoadPatternsFromBitmap(device, picture, patternWidth, patternHeight, textureWidth,
                                textureHeight, format);
}

int TAGFImage::LoadAutoSize(IDirect3DDevice8* device, const std::string& fileName, int format) {
  if (Loaded) return -4;
  if (!ExtensionLoaded() && !LoadExtensionLibrary()) return -6;
  if (BytesPerTexel(format) == 0) return -2;
  const TBitmapEx picture = ReadPicture(fileName);
  const int result =
      CreateTextures(device, NextPowerOfTwo(picture.Width()), NextPowerOfTwo(picture.Height()), 1,
                     picture.Width(), picture.Height(), format);
  if (result != 0) return result;
  PatternCount = 1;
  return FillTextures(picture, 1);
}

int TAGFImage::LoadPatternsFromBitmap(IDirect3DDevice8* device, const TBitmap& source,
                                      int patternWidth, int patternHeight, int textureWidth,
                                      int textureHeight, int format) {
  if (Loaded) return -4;
  if (!ExtensionLoaded() && !LoadExtensionLibrary()) return -6;
  if (BytesPerTexel(format) == 0) return -2;
  TBitmap picture = source;
  picture.SetPixelFormat(TPixelFormat::pf32bit);
  if (patternWidth == 0) patternWidth = picture.Width();
  if (patternHeight == 0) patternHeight = picture.Height();
  if (patternWidth <= 0 || patternHeight <= 0) return -3;
  const int total = (picture.Width() / patternWidth) * (picture.Height() / patternHeight);
  const int perTexture = (textureWidth / patternWidth) * (textureHeight / patternHeight);
  if (perTexture <= 0) return -3;
  const int textureCount = (total + perTexture - 1) / perTexture;
  const int result = CreateTextures(device, textureWidth, textureHeight, textureCount, patternWidth,
                                    patternHeight, format);
  if (result != 0) return result;
  PatternCount = total;
  return FillTextures(picture, perTexture);
}

int TAGFImage::FillTextures(const TBitmap& picture, int perTexture) {
  const int pictureColumns = picture.Width() / PatternWidth;
  const int bytesPerTexel = BytesPerTexel(Format);
  const TRowConverter convert = RowConverterFor(Format);
  for (int t = 0; t < static_cast<int>(Textures.size()); ++t) {
    D3DLOCKED_RECT locked;
    if (const int result = LockTexture(t, locked); result != 0) return result;
    auto* bits = static_cast<uint8_t*>(locked.pBits);
    for (int s = 0; s < perTexture; ++s) {
      const int k = t * perTexture + s;
      const int destLeft = (s % PatternsPerRow) * PatternWidth;
      const int destTop = (s / PatternsPerRow) * PatternHeight;
      const int sourceLeft = (k % pictureColumns) * PatternWidth;
      const int sourceTop = (k / pictureColumns) * PatternHeight;
      if (sourceTop + PatternHeight > picture.Height()) continue;
      const int pixels = std::min(PatternWidth, picture.Width() - sourceLeft);
      for (int line = 0; line < PatternHeight; ++line) {
        const uint8_t* from =
            picture.ScanLine(sourceTop + line) + static_cast<ptrdiff_t>(sourceLeft) * 4;
        uint8_t* to = bits + static_cast<size_t>(destTop + line) * locked.Pitch +
                      static_cast<size_t>(destLeft) * bytesPerTexel;
        if (convert)
          convert(from, to, pixels);
        else
          std::memcpy(to, from, static_cast<size_t>(pixels) * 4);
      }
    }
    if (const int result = UnlockTexture(t); result != 0) return result;
  }
  return 0;
}

int TAGFImage::CreateTextures(IDirect3DDevice8* device, int textureWidth, int textureHeight,
                              int textureCount, int patternWidth, int patternHeight, int format) {
  if (textureCount < 1 || Loaded || patternWidth < 0 || patternWidth > textureWidth ||
      patternHeight < 0 || patternHeight > textureHeight)
    return -3;
  Textures.assign(textureCount, nullptr);
  for (auto& texture : Textures) {
    if (device == nullptr ||
        FAILED(device->CreateTexture(textureWidth, textureHeight, 1, 0, format, D3DPOOL_MANAGED,
                                     &texture)) ||
        texture == nullptr) {
      ReleaseTextures();
      return -4;
    }
  }
  Format = format;
  TextureWidth = textureWidth;
  TextureHeight = textureHeight;
  PatternWidth = patternWidth == 0 ? textureWidth : patternWidth;
  PatternHeight = patternHeight == 0 ? textureHeight : patternHeight;
  PatternsPerRow = TextureWidth / PatternWidth;
  PatternRows = TextureHeight / PatternHeight;
  PatternsPerTexture = PatternsPerRow * PatternRows;
  PatternCount = textureCount * PatternsPerTexture;
  Loaded = true;
  return 0;
}

int TAGFImage::LockTexture(int index, D3DLOCKED_RECT& locked) {
  if (!Loaded || index < 0 || index >= static_cast<int>(Textures.size())) return -3;
  return FAILED(Textures[index]->LockRect(0, &locked, nullptr, 0)) ? -1 : 0;
}

int TAGFImage::UnlockTexture(int index) {
  if (!Loaded || index < 0 || index >= static_cast<int>(Textures.size())) return -3;
  return FAILED(Textures[index]->UnlockRect(0)) ? -1 : 0;
}

int TAGFImage::ReleaseTextures() {
  const bool held = Loaded && !Textures.empty();
  Textures.clear();
  Loaded = false;
  return held ? 0 : -1;
}

bool TAGFImage::SelectPattern(int pattern, bool mirror, bool flip, TVertex* corners,
                              PDirect3DTexture8* texture) const {
  texture->reset();
  if (!Loaded || Textures.empty() || PatternCount < 1 || PatternsPerTexture < 1) return false;
  const int n = std::clamp(pattern, 0, PatternCount - 1);
  const size_t textureIndex = static_cast<size_t>(n / PatternsPerTexture);
  if (textureIndex >= Textures.size()) return false;
  const int m = n % PatternsPerTexture;
  const int column = m % PatternsPerRow;
  const int row = (m / PatternsPerRow) % PatternRows;
  float left = float(column * PatternWidth) / float(TextureWidth);
  float right = float(column * PatternWidth + PatternWidth) / float(TextureWidth);
  float top = float(row * PatternHeight) / float(TextureHeight);
  float bottom = float(row * PatternHeight + PatternHeight) / float(TextureHeight);
  if (mirror) std::swap(left, right);
  if (flip) std::swap(top, bottom);
  corners[0].u = left, corners[0].v = top;
  corners[1].u = right, corners[1].v = top;
  corners[2].u = left, corners[2].v = bottom;
  corners[3].u = right, corners[3].v = bottom;
  *texture = Textures[textureIndex];
  return true;
}

}  // namespace marblix
