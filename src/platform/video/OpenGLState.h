// The OpenGL context behind a device: back buffer, shader, sampler and the Direct3D-shaped states
// (blend factors, alpha operation, filtering, clip) mapped onto OpenGL.
#pragma once

#include <SDL.h>
#include <epoxy/gl.h>

#include <memory>

#include "graphics/DirectXGraphics.h"
#include "graphics/TGAReader.h"

namespace marblix {

class TGLContext {
 public:
  // Makes a context on the window with a back buffer of the given size; nullptr on failure.
  static std::shared_ptr<TGLContext> Open(SDL_Window* window, bool software, int width, int height,
                                          bool fullScreen);
  ~TGLContext();
  TGLContext(const TGLContext&) = delete;
  TGLContext& operator=(const TGLContext&) = delete;

  // Deletes the context; textures that outlive it then free nothing.
  void Close();
  bool ResizeBackBuffer(int width, int height);

  void SetRenderState(int state, uint32_t value);
  void SetStageState(int type, uint32_t value);
  void SetClip(const D3DVIEWPORT8& viewport);
  void BindTexture(const void* texture, GLuint name, int width = 0, int height = 0);
  // Rebinds the current texture after a texture was bound to be filled.
  void RestoreTexture();
  void Forget(const void* texture);
  void Draw(GLenum mode, const uint8_t* vertices, uint32_t count);
  // Picks the frame's target: the window itself when it shows the back buffer one to one.
  void BeginFrame();
  void Present();
  bool ReadBackBuffer(TBitmap& picture);

  bool Alive = false;
  int MaxTextureSize = 4096;

 private:
  TGLContext() = default;
  bool Build(int width, int height);
  void ApplyBlend();
  static bool WindowHasAlpha();
  // Binds the window or the offscreen buffer as the frame's target.
  void ChooseTarget();
  void ApplyFilter();
  // True when every triangle maps pixels to texels by a whole-texel shift alone: each pixel centre
  // then falls on a texel centre, where linear filtering equals point filtering.
  bool TexelForPixel(GLenum mode, const uint8_t* vertices, uint32_t count) const;
  void UsePointFiltering(bool point);

  SDL_Window* FWindow = nullptr;
  SDL_GLContext FContext = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  GLuint FProgram = 0;
  GLuint FVertexArray = 0;
  GLuint FVertexBuffer = 0;
  // The vertex buffer's size and how much of it this buffer's draws have filled.
  static constexpr GLsizeiptr StreamBufferSize = 1 << 20;
  GLsizeiptr FStreamUsed = StreamBufferSize;
  GLuint FFramebuffer = 0;
  GLuint FColorBuffer = 0;
  GLuint FSampler = 0;
  bool FWindowHasAlpha = true;
  bool FToWindow = false;  // drawing straight into the window, not the offscreen buffer
  GLint FSizeUniform = -1;
  GLint FTexturedUniform = -1;
  GLint FAlphaOpUniform = -1;
  GLint FAlphaArg1Uniform = -1;
  GLint FAlphaArg2Uniform = -1;

  bool FBlend = false;
  uint32_t FSourceBlend = D3DBLEND_ONE;
  uint32_t FDestinationBlend = D3DBLEND_ZERO;
  uint32_t FMagFilter = D3DTEXF_POINT;
  uint32_t FMinFilter = D3DTEXF_POINT;
  const void* FTexture = nullptr;
  GLuint FTextureName = 0;
  int FTextureWidth = 0;
  int FTextureHeight = 0;
  bool FPointFiltering = false;  // the sampler filters by points although linear is asked for
};

}  // namespace marblix
