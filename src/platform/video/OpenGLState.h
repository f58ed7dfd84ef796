// The OpenGL context behind a device: back buffer, shader, sampler and the Direct3D-shaped states
// (blend factors, alpha operation, filtering, clip) mapped onto OpenGL.
#pragma once

#include <SDL.h>
#include <epoxy/gl.h>

#include <atomic>
#include <memory>

#include "graphics/DirectXGraphics.h"
#include "graphics/FrameDamage.h"
#include "graphics/TGAReader.h"
#include "platform/video/OpenGLDevice.h"

namespace marblix {

class TGLContext;

// One OpenGL texture name with the texels it was given. Every upload gives the texels a new
// serial number, so a draw's state tells a refilled texture from the one a frame was drawn with,
// and the damage comparison alone sees the change. A texture whose texels change while a recorded
// frame still draws with the old ones gets a new storage instead of being refilled in place.
class TGLTextureStorage {
 public:
  explicit TGLTextureStorage(std::shared_ptr<TGLContext> context);
  ~TGLTextureStorage();
  TGLTextureStorage(const TGLTextureStorage&) = delete;
  TGLTextureStorage& operator=(const TGLTextureStorage&) = delete;

  // The texels are being refilled in place.
  void Renew();

  const GLuint Name;
  uint64_t Serial;

 private:
  std::shared_ptr<TGLContext> FContext;
};

// Everything a draw's pixels depend on besides its vertices, compared byte for byte between frames
// (so it has no padding).
struct TGLDrawState {
  uint64_t TextureSerial = 0;  // 0: no texture
  uint32_t TextureName = 0;
  int32_t TextureWidth = 0;
  int32_t TextureHeight = 0;
  uint32_t Blend = 0;
  uint32_t SourceBlend = D3DBLEND_ONE;
  uint32_t DestinationBlend = D3DBLEND_ZERO;
  uint32_t AlphaOp = D3DTOP_SELECTARG1;
  uint32_t AlphaArg1 = D3DTA_TEXTURE;
  uint32_t AlphaArg2 = D3DTA_DIFFUSE;
  uint32_t MagFilter = D3DTEXF_POINT;
  uint32_t MinFilter = D3DTEXF_POINT;
  uint32_t PointFiltering = 0;  // the sampler filters by points although linear is asked for
  uint32_t Dither = 0;
  uint32_t Mode = GL_TRIANGLES;
  TPixelRect Clip;  // in frame pixels, inside the back buffer
};
static_assert(sizeof(TGLDrawState) == 80, "no padding between the compared fields");

class TGLContext {
 public:
  // Makes a context on the window with a back buffer of the given size; nullptr on failure. With
  // damage tracking, frames are drawn into the offscreen buffer, which keeps them from frame to
  // frame, and the window is shown that buffer.
  static std::shared_ptr<TGLContext> Open(SDL_Window* window, bool software, int width, int height,
                                          bool fullScreen, const TGLOptions& options);
  ~TGLContext();
  TGLContext(const TGLContext&) = delete;
  TGLContext& operator=(const TGLContext&) = delete;

  // Deletes the context; textures that outlive it then free nothing.
  void Close();
  bool ResizeBackBuffer(int width, int height);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool TracksDamage() const { return FTrackDamage; }
  // The driver has 16-bit RGB textures, and the options let them be used.
  bool NativeRgb565() const { return FNativeRgb565; }

  // The current states, as the device's calls set them.
  void SetRenderState(int state, uint32_t value);
  void SetStageState(int type, uint32_t value);
  void SetClip(const D3DVIEWPORT8& viewport);
  void BindTexture(const void* texture, std::shared_ptr<TGLTextureStorage> storage, int width,
                   int height);
  // The texture `texture` now draws with `storage` (its texels changed).
  void Rebind(const void* texture, const std::shared_ptr<TGLTextureStorage>& storage);
  void Forget(const void* texture);
  const std::shared_ptr<TGLTextureStorage>& BoundStorage() const { return FStorage; }
  // The states a draw of these vertices uses now.
  TGLDrawState StateFor(GLenum mode, const uint8_t* vertices, uint32_t count) const;

  // Draws at once with the current states.
  void Draw(GLenum mode, const uint8_t* vertices, uint32_t count);
  // Sets OpenGL to a draw's states, its clip narrowed to `limit`.
  void Apply(const TGLDrawState& state, const TPixelRect& limit);
  // Puts vertices into the vertex buffer; the index of the first of them there.
  GLint Stream(const uint8_t* vertices, uint32_t count);
  // Rebinds the texture drawn with last after a texture was bound to be filled.
  void RestoreTexture();
  // A storage's name is deleted: OpenGL binds none in its place.
  void ForgetName(GLuint name);
  uint64_t NextTextureSerial() { return ++FTextureSerials; }

  // Picks the frame's target: the window itself when it shows the back buffer one to one.
  void BeginFrame();
  void Present();
  bool ReadBackBuffer(TBitmap& picture);
  // True once after the back buffer must be drawn whole again: it was made or cleared, the window
  // was shown, exposed, restored, resized or moved to another display, or the context was reset.
  bool TakeRedrawAll() { return FRedrawAll.exchange(false); }
  // True once after the driver reported that the context was reset (a graphics driver that
  // restarted, where the driver reports it): the device is then lost, and its frame is drawn whole
  // again.
  bool TakeReset();
  // Fills a rectangle of the back buffer with black.
  void Clear(const TPixelRect& rectangle);

  bool Alive = false;
  int MaxTextureSize = 4096;

 private:
  TGLContext() = default;
  bool Build(int width, int height);
  static bool WindowHasAlpha();
  // Binds the window or the offscreen buffer as the frame's target.
  void ChooseTarget();
  // True when every triangle maps pixels to texels by a whole-texel shift alone: each pixel centre
  // then falls on a texel centre, where linear filtering equals point filtering.
  bool TexelForPixel(GLenum mode, const uint8_t* vertices, uint32_t count) const;
  void ApplyTexture(const TGLDrawState& state);
  void ApplyBlend(const TGLDrawState& state);
  void ApplyStage(const TGLDrawState& state);
  void ApplyScissor(const TPixelRect& clip);
  // Window and display events that uncover, resize or move the window ask for a whole redraw.
  static int WatchWindow(void* context, SDL_Event* event);
  // Whether the driver tells of a reset of this context, and the call that asks it.
  void LearnResetStatus();

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
  bool FTrackDamage = false;
  bool FDirectToWindow = false;
  bool FNativeRgb565 = false;
  bool FToWindow = false;  // drawing straight into the window, not the offscreen buffer
  int FDrawableWidth = 0;
  int FDrawableHeight = 0;
  std::atomic<bool> FRedrawAll{true};
  enum class TResetQuery { None, Core, Arb };
  TResetQuery FResetQuery = TResetQuery::None;  // None: the driver tells of no reset
  GLint FSizeUniform = -1;
  GLint FTexturedUniform = -1;
  GLint FAlphaOpUniform = -1;
  GLint FAlphaArg1Uniform = -1;
  GLint FAlphaArg2Uniform = -1;

  TGLDrawState FState;  // as the device's calls left it
  const void* FTexture = nullptr;
  std::shared_ptr<TGLTextureStorage> FStorage;
  TGLDrawState FApplied;  // what OpenGL is set to, when FAppliedValid
  bool FAppliedValid = false;
  GLint FScissor[4] = {0, 0, 0, 0};  // the scissor box set last
  uint64_t FTextureSerials = 0;
};

}  // namespace marblix
