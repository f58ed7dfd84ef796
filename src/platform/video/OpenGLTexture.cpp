// TGLTexture: the formats, the A8R3G3B2 widening and narrowing, locks read back from the driver.
#include "platform/video/OpenGLTexture.h"

#include <cstring>

#include "graphics/PDrawEx.h"

namespace marblix {

namespace {

uint8_t Widen(uint32_t value, int bits) {
  const uint32_t max = (1u << bits) - 1;
  return static_cast<uint8_t>((value * 255 + max / 2) / max);
}

// The inverse of Widen for every value Widen gives.
uint32_t Narrow(uint8_t value, int bits) {
  const uint32_t max = (1u << bits) - 1;
  return (value * max + 127) / 255;
}

// The first `width` A8R3G3B2 texels of `rows` rows (`pitch` bytes apart) to B, G, R, A bytes.
std::vector<uint8_t> WidenA8R3G3B2(const uint8_t* bits, int pitch, int width, int rows) {
  std::vector<uint8_t> out(size_t(width) * size_t(rows) * 4);
  uint8_t* to = out.data();
  for (int y = 0; y < rows; ++y) {
    const uint8_t* from = bits + size_t(y) * size_t(pitch);
    for (int x = 0; x < width; ++x, from += 2, to += 4) {
      const uint8_t rgb = from[0], alpha = from[1];
      to[0] = Widen(rgb & 3u, 2);
      to[1] = Widen((rgb >> 2) & 7u, 3);
      to[2] = Widen(rgb >> 5, 3);
      to[3] = alpha;
    }
  }
  return out;
}

// B, G, R, A bytes as WidenA8R3G3B2 gave them back to A8R3G3B2 texels.
void NarrowA8R3G3B2(const uint8_t* wide, int width, int rows, uint8_t* bits, int pitch) {
  for (int y = 0; y < rows; ++y) {
    uint8_t* to = bits + size_t(y) * size_t(pitch);
    for (int x = 0; x < width; ++x, wide += 4, to += 2) {
      to[0] = uint8_t(Narrow(wide[2], 3) << 5 | Narrow(wide[1], 3) << 2 | Narrow(wide[0], 2));
      to[1] = wide[3];
    }
  }
}

}  // namespace

bool GLFormatFor(int format, bool nativeRgb565, TGLFormat& gl) {
  switch (format) {
    case D3DFMT_A8R8G8B8:
      gl = {GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV};
      return true;
    case D3DFMT_X8R8G8B8:
      gl = {GL_RGB8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV};
      return true;
    case D3DFMT_R5G6B5:
      gl = {nativeRgb565 ? GL_RGB565 : GL_RGB8, GL_RGB, GL_UNSIGNED_SHORT_5_6_5};
      return true;
    case D3DFMT_X1R5G5B5:
      gl = {GL_RGB5, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV};
      return true;
    case D3DFMT_A1R5G5B5:
      gl = {GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV};
      return true;
    case D3DFMT_A4R4G4B4:
      gl = {GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV};
      return true;
    case D3DFMT_X4R4G4B4:
      gl = {GL_RGB4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV};
      return true;
    case D3DFMT_R3G3B2:
      gl = {GL_R3_G3_B2, GL_RGB, GL_UNSIGNED_BYTE_3_3_2};
      return true;
    case D3DFMT_A8R3G3B2:
      gl = {GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV};
      return true;
    default:
      return false;
  }
}

TGLTexture::TGLTexture(std::shared_ptr<TGLContext> context, int width, int height, int format)
    : FContext(std::move(context)),
      FStorage(std::make_shared<TGLTextureStorage>(FContext)),
      FWidth(width),
      FHeight(height),
      FFormat(format) {
  GLFormatFor(format, FContext->NativeRgb565(), FGL);
  Allocate();
}

TGLTexture::~TGLTexture() {
  if (FContext->Alive) FContext->Forget(this);
}

int TGLTexture::Pitch() const {
  return FWidth * BytesPerTexel(FFormat);
}

HRESULT TGLTexture::LockRect(uint32_t level, D3DLOCKED_RECT* locked, const void*, uint32_t) {
  if (level != 0 || FLocked || !FContext->Alive) return D3DERR_INVALIDCALL;
  ReadTexels();
  locked->pBits = FBits.data();
  locked->Pitch = Pitch();
  FLocked = true;
  return D3D_OK;
}

HRESULT TGLTexture::UnlockRect(uint32_t level) {
  if (level != 0 || !FLocked || !FContext->Alive) return D3DERR_INVALIDCALL;
  FLocked = false;
  // A frame recorded but not yet drawn may still draw with the old texels: they stay in a storage
  // of their own. Otherwise the texels are refilled in place, under a new serial number.
  if (FContext->TracksDamage() && FStorage.use_count() > 1) {
    FStorage = std::make_shared<TGLTextureStorage>(FContext);
    Allocate();
  } else {
    FStorage->Renew();
  }
  FContext->Rebind(this, FStorage);
  Upload();
  FBits.clear();
  FBits.shrink_to_fit();
  FFilled = true;
  return D3D_OK;
}

void TGLTexture::Allocate() {
  glBindTexture(GL_TEXTURE_2D, FStorage->Name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  glTexImage2D(GL_TEXTURE_2D, 0, FGL.Internal, FWidth, FHeight, 0, FGL.Format, FGL.Type, nullptr);
  FContext->RestoreTexture();
}

// The whole texture, top row first; zeros while it was never filled.
void TGLTexture::ReadTexels() {
  FBits.assign(size_t(Pitch()) * size_t(FHeight), 0);
  if (!FFilled) return;
  glBindTexture(GL_TEXTURE_2D, FStorage->Name);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  if (FFormat == D3DFMT_A8R3G3B2) {
    std::vector<uint8_t> wide(size_t(FWidth) * size_t(FHeight) * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, FGL.Format, FGL.Type, wide.data());
    NarrowA8R3G3B2(wide.data(), FWidth, FHeight, FBits.data(), Pitch());
  } else {
    glGetTexImage(GL_TEXTURE_2D, 0, FGL.Format, FGL.Type, FBits.data());
  }
  FContext->RestoreTexture();
}

void TGLTexture::Upload() {
  glBindTexture(GL_TEXTURE_2D, FStorage->Name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  if (FFormat == D3DFMT_A8R3G3B2) {
    const std::vector<uint8_t> wide = WidenA8R3G3B2(FBits.data(), Pitch(), FWidth, FHeight);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, FWidth, FHeight, FGL.Format, FGL.Type, wide.data());
  } else {
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, FWidth, FHeight, FGL.Format, FGL.Type, FBits.data());
  }
  FContext->RestoreTexture();
}

}  // namespace marblix
