// The OpenGL device's textures: every Direct3D texture format in an OpenGL one, filled through a
// lock, kept by the driver alone.
#pragma once

#include <epoxy/gl.h>

#include <memory>
#include <vector>

#include "graphics/DirectXGraphics.h"
#include "platform/video/OpenGLState.h"

namespace marblix {

struct TGLFormat {
  GLint Internal;
  GLenum Format;
  GLenum Type;
};

// How a texture format uploads; false for formats the device refuses. A8R3G3B2 has no OpenGL
// equivalent and is widened to 8 bits a channel; R5G6B5 is stored as it is where the driver has
// 16-bit RGB textures, else widened by the driver.
bool GLFormatFor(int format, bool nativeRgb565, TGLFormat& gl);

// A texture of one level. Its texels live in the driver only: the copy a lock hands out is
// dropped once it is uploaded, and a later lock reads the texels back from the driver (the
// benchmark's frame capture and the tests read textures so).
class TGLTexture : public IDirect3DTexture8 {
 public:
  TGLTexture(std::shared_ptr<TGLContext> context, int width, int height, int format);
  ~TGLTexture() override;
  TGLTexture(const TGLTexture&) = delete;
  TGLTexture& operator=(const TGLTexture&) = delete;

  HRESULT LockRect(uint32_t level, D3DLOCKED_RECT* locked, const void* rect,
                   uint32_t flags) override;
  HRESULT UnlockRect(uint32_t level) override;

  const std::shared_ptr<TGLTextureStorage>& Storage() const { return FStorage; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

 private:
  int Pitch() const;
  void Allocate();
  void ReadTexels();
  void Upload();

  std::shared_ptr<TGLContext> FContext;
  std::shared_ptr<TGLTextureStorage> FStorage;
  int FWidth, FHeight, FFormat;
  TGLFormat FGL{};
  bool FLocked = false;
  bool FFilled = false;        // unlocked at least once: its texels are the driver's to tell
  std::vector<uint8_t> FBits;  // while locked
};

}  // namespace marblix
