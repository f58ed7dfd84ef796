// TGLContext: context creation, the shader that reproduces the fixed texture stage, back buffer,
// state mapping, drawing, presentation and read-back.
#include "platform/video/OpenGLState.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "graphics/FrameFit.h"

namespace marblix {

namespace {

// Screen pixel (x, y) of a pre-transformed vertex has its centre at (x, y): OpenGL's pixel centres
// lie half a pixel further on, hence the + 0.5.
constexpr const char* VertexShader = R"(#version 330 core
layout(location = 0) in vec4 aPosition;
layout(location = 1) in vec4 aDiffuse;
layout(location = 2) in vec2 aTexCoord;
uniform vec2 uSize;
out vec4 vDiffuse;
out vec2 vTexCoord;
void main() {
  vec2 ndc = (aPosition.xy + 0.5) / uSize * 2.0 - 1.0;
  gl_Position = vec4(ndc.x, -ndc.y, 0.0, 1.0);
  vDiffuse = aDiffuse.zyxw;
  vTexCoord = aTexCoord;
}
)";

// Colour = texture x diffuse; alpha by the stage's operation: 2 select arg 1, 3 select arg 2,
// 4 modulate; arguments 0 diffuse, 2 texture.
constexpr const char* FragmentShader = R"(#version 330 core
in vec4 vDiffuse;
in vec2 vTexCoord;
uniform sampler2D uTexture;
uniform int uTextured;
uniform int uAlphaOp;
uniform int uAlphaArg1;
uniform int uAlphaArg2;
out vec4 fragColor;
void main() {
  vec4 texel = uTextured != 0 ? texture(uTexture, vTexCoord) : vec4(1.0);
  float a1 = uAlphaArg1 == 2 ? texel.a : vDiffuse.a;
  float a2 = uAlphaArg2 == 2 ? texel.a : vDiffuse.a;
  float alpha = uAlphaOp == 4 ? a1 * a2 : (uAlphaOp == 3 ? a2 : a1);
  fragColor = vec4(texel.rgb * vDiffuse.rgb, alpha);
}
)";

GLuint Compile(GLenum type, const char* source) {
  const GLuint shader = glCreateShader(type);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint ok = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[1024] = {};
    glGetShaderInfoLog(shader, sizeof(log) - 1, nullptr, log);
    SDL_Log("OpenGL shader: %s", log);
    glDeleteShader(shader);
    return 0;
  }
  return shader;
}

GLenum BlendFactor(uint32_t factor) {
  switch (factor) {
    case D3DBLEND_ZERO:
      return GL_ZERO;
    case D3DBLEND_ONE:
      return GL_ONE;
    case D3DBLEND_SRCCOLOR:
      return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR:
      return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA:
      return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA:
      return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA:
      return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA:
      return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR:
      return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR:
      return GL_ONE_MINUS_DST_COLOR;
    default:
      return GL_ONE;
  }
}

// Switches the display to a real mode of the frame's size where the display offers one; otherwise
// the window covers the desktop and the frame is scaled to fit it.
void EnterFullScreen(SDL_Window* window, int width, int height) {
  const int display = std::max(0, SDL_GetWindowDisplayIndex(window));
  SDL_DisplayMode wanted{};
  wanted.w = width;
  wanted.h = height;
  SDL_DisplayMode closest{};
  const bool offered = SDL_GetClosestDisplayMode(display, &wanted, &closest) != nullptr &&
                       closest.w == width && closest.h == height;
  if (offered && SDL_SetWindowDisplayMode(window, &closest) == 0 &&
      SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) == 0)
    return;
  SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

}  // namespace

std::shared_ptr<TGLContext> TGLContext::Open(SDL_Window* window, bool software, int width,
                                             int height, bool fullScreen,
                                             const TGLOptions& options) {
  if (width <= 0 || height <= 0) return nullptr;
  if (software) SDL_setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
  if (fullScreen) EnterFullScreen(window, width, height);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  std::shared_ptr<TGLContext> context(new TGLContext());
  context->FWindow = window;
  // A context that tells of its resets where the driver can make one, else a plain one.
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_RESET_NOTIFICATION, SDL_GL_CONTEXT_RESET_LOSE_CONTEXT);
  context->FContext = SDL_GL_CreateContext(window);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_RESET_NOTIFICATION, SDL_GL_CONTEXT_RESET_NO_NOTIFICATION);
  if (context->FContext == nullptr) context->FContext = SDL_GL_CreateContext(window);
  // The program tells the player why, with SDL's reason.
  if (context->FContext == nullptr) return nullptr;
  context->LearnResetStatus();
  context->Alive = true;
  context->FTrackDamage = options.TrackDamage;
  context->FDirectToWindow = !options.TrackDamage && options.DirectToWindow;
  // A 3.3 core context has GL_RGB565 textures only from OpenGL 4.1 or with ARB_ES2_compatibility.
  context->FNativeRgb565 =
      options.Rgb565Textures &&
      (epoxy_gl_version() >= 41 || epoxy_has_gl_extension("GL_ARB_ES2_compatibility"));
  SDL_AddEventWatch(WatchWindow, context.get());
  SDL_GL_SetSwapInterval(0);
  if (!context->Build(width, height)) return nullptr;
  return context;
}

int TGLContext::WatchWindow(void* context, SDL_Event* event) {
  auto* self = static_cast<TGLContext*>(context);
  // A display changed its mode or orientation, or came or went.
  if (event->type == SDL_DISPLAYEVENT) self->FRedrawAll = true;
  if (event->type != SDL_WINDOWEVENT || event->window.windowID != SDL_GetWindowID(self->FWindow))
    return 0;
  switch (event->window.event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_RESIZED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_DISPLAY_CHANGED:
      self->FRedrawAll = true;
      break;
    default:
      break;
  }
  return 0;
}

void TGLContext::LearnResetStatus() {
  GLint strategy = GL_NO_RESET_NOTIFICATION;
  glGetIntegerv(GL_RESET_NOTIFICATION_STRATEGY, &strategy);
  const bool told = glGetError() == GL_NO_ERROR && strategy == GL_LOSE_CONTEXT_ON_RESET;
  if (!told) return;
  if (epoxy_gl_version() >= 45 || epoxy_has_gl_extension("GL_KHR_robustness")) {
    FResetQuery = TResetQuery::Core;
  } else if (epoxy_has_gl_extension("GL_ARB_robustness")) {
    FResetQuery = TResetQuery::Arb;
  }
}

bool TGLContext::TakeReset() {
  if (!Alive || FResetQuery == TResetQuery::None) return false;
  const GLenum status =
      FResetQuery == TResetQuery::Core ? glGetGraphicsResetStatus() : glGetGraphicsResetStatusARB();
  if (status == GL_NO_ERROR) return false;
  FRedrawAll = true;
  FAppliedValid = false;
  return true;
}

void TGLContext::Clear(const TPixelRect& rectangle) {
  ApplyScissor(rectangle);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
}

TGLTextureStorage::TGLTextureStorage(std::shared_ptr<TGLContext> context)
    : Name([] {
        GLuint name = 0;
        glGenTextures(1, &name);
        return name;
      }()),
      Serial(context->NextTextureSerial()),
      FContext(std::move(context)) {}

void TGLTextureStorage::Renew() {
  Serial = FContext->NextTextureSerial();
}

TGLTextureStorage::~TGLTextureStorage() {
  if (!FContext->Alive) return;
  FContext->ForgetName(Name);
  glDeleteTextures(1, &Name);
}

TGLContext::~TGLContext() {
  Close();
}

bool TGLContext::Build(int width, int height) {
  const GLuint vertex = Compile(GL_VERTEX_SHADER, VertexShader);
  const GLuint fragment = Compile(GL_FRAGMENT_SHADER, FragmentShader);
  if (vertex == 0 || fragment == 0) return false;
  FProgram = glCreateProgram();
  glAttachShader(FProgram, vertex);
  glAttachShader(FProgram, fragment);
  glLinkProgram(FProgram);
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  GLint linked = 0;
  glGetProgramiv(FProgram, GL_LINK_STATUS, &linked);
  if (!linked) return false;
  glUseProgram(FProgram);
  glUniform1i(glGetUniformLocation(FProgram, "uTexture"), 0);
  FSizeUniform = glGetUniformLocation(FProgram, "uSize");
  FTexturedUniform = glGetUniformLocation(FProgram, "uTextured");
  FAlphaOpUniform = glGetUniformLocation(FProgram, "uAlphaOp");
  FAlphaArg1Uniform = glGetUniformLocation(FProgram, "uAlphaArg1");
  FAlphaArg2Uniform = glGetUniformLocation(FProgram, "uAlphaArg2");
  glUniform1i(FTexturedUniform, 0);
  glUniform1i(FAlphaOpUniform, int(D3DTOP_SELECTARG1));
  glUniform1i(FAlphaArg1Uniform, int(D3DTA_TEXTURE));
  glUniform1i(FAlphaArg2Uniform, int(D3DTA_DIFFUSE));

  glGenVertexArrays(1, &FVertexArray);
  glBindVertexArray(FVertexArray);
  glGenBuffers(1, &FVertexBuffer);
  glBindBuffer(GL_ARRAY_BUFFER, FVertexBuffer);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, sizeof(TVertex), nullptr);
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(TVertex),
                        reinterpret_cast<void*>(offsetof(TVertex, Diffuse)));
  glEnableVertexAttribArray(2);
  glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(TVertex),
                        reinterpret_cast<void*>(offsetof(TVertex, u)));

  glGenSamplers(1, &FSampler);
  glBindSampler(0, FSampler);
  glSamplerParameteri(FSampler, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glSamplerParameteri(FSampler, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &MaxTextureSize);

  glDisable(GL_CULL_FACE);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_DITHER);
  glEnable(GL_SCISSOR_TEST);
  glActiveTexture(GL_TEXTURE0);
  FWindowHasAlpha = WindowHasAlpha();
  if (!ResizeBackBuffer(width, height)) return false;
  return glGetError() == GL_NO_ERROR;
}

bool TGLContext::ResizeBackBuffer(int width, int height) {
  if (!Alive || width <= 0 || height <= 0) return false;
  if (FFramebuffer == 0) {
    glGenFramebuffers(1, &FFramebuffer);
    glGenRenderbuffers(1, &FColorBuffer);
  }
  FWidth = width;
  FHeight = height;
  glBindRenderbuffer(GL_RENDERBUFFER, FColorBuffer);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  glBindFramebuffer(GL_FRAMEBUFFER, FFramebuffer);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, FColorBuffer);
  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) return false;
  ChooseTarget();
  glViewport(0, 0, width, height);
  glScissor(0, 0, width, height);
  FScissor[0] = FScissor[1] = 0;
  FScissor[2] = width;
  FScissor[3] = height;
  // The back buffer starts black; its alpha stays 1, as in a back buffer without alpha.
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
  glUniform2f(FSizeUniform, float(width), float(height));
  FState.Clip = {0, 0, width, height};
  FAppliedValid = false;
  FRedrawAll = true;
  return true;
}

void TGLContext::Close() {
  if (!Alive) return;
  Alive = false;
  SDL_DelEventWatch(WatchWindow, this);
  FStorage.reset();
  SDL_GL_MakeCurrent(FWindow, FContext);
  glDeleteSamplers(1, &FSampler);
  glDeleteFramebuffers(1, &FFramebuffer);
  glDeleteRenderbuffers(1, &FColorBuffer);
  glDeleteBuffers(1, &FVertexBuffer);
  glDeleteVertexArrays(1, &FVertexArray);
  glDeleteProgram(FProgram);
  SDL_GL_MakeCurrent(FWindow, nullptr);
  SDL_GL_DeleteContext(FContext);
  FContext = nullptr;
}

void TGLContext::SetRenderState(int state, uint32_t value) {
  switch (state) {
    case D3DRS_ALPHABLENDENABLE:
      FState.Blend = value != 0;
      break;
    case D3DRS_SRCBLEND:
      FState.SourceBlend = value;
      break;
    case D3DRS_DESTBLEND:
      FState.DestinationBlend = value;
      break;
    case D3DRS_DITHERENABLE:
      FState.Dither = value != 0;
      break;
    default:
      break;  // culling stays off, lighting does not exist here
  }
}

void TGLContext::SetStageState(int type, uint32_t value) {
  switch (type) {
    case D3DTSS_MAGFILTER:
      FState.MagFilter = value;
      break;
    case D3DTSS_MINFILTER:
      FState.MinFilter = value;
      break;
    case D3DTSS_ALPHAOP:
      FState.AlphaOp = value;
      break;
    case D3DTSS_ALPHAARG1:
      FState.AlphaArg1 = value;
      break;
    case D3DTSS_ALPHAARG2:
      FState.AlphaArg2 = value;
      break;
    default:
      break;
  }
}

void TGLContext::SetClip(const D3DVIEWPORT8& viewport) {
  // The clip is a rectangle of frame pixels; a rectangle turned inside out clips everything.
  const auto clamp = [](int64_t v, int64_t high) { return int(v < 0 ? 0 : (v > high ? high : v)); };
  const int left = clamp(int32_t(viewport.X), FWidth);
  const int top = clamp(int32_t(viewport.Y), FHeight);
  const int right = clamp(int64_t(int32_t(viewport.X)) + int32_t(viewport.Width), FWidth);
  const int bottom = clamp(int64_t(int32_t(viewport.Y)) + int32_t(viewport.Height), FHeight);
  FState.Clip = {left, top, std::max(left, right), std::max(top, bottom)};
}

void TGLContext::BindTexture(const void* texture, std::shared_ptr<TGLTextureStorage> storage,
                             int width, int height) {
  FTexture = texture;
  FStorage = std::move(storage);
  FState.TextureSerial = FStorage ? FStorage->Serial : 0;
  FState.TextureName = FStorage ? FStorage->Name : 0;
  FState.TextureWidth = FStorage ? width : 0;
  FState.TextureHeight = FStorage ? height : 0;
}

void TGLContext::Rebind(const void* texture, const std::shared_ptr<TGLTextureStorage>& storage) {
  if (texture == FTexture && FTexture != nullptr)
    BindTexture(texture, storage, FState.TextureWidth, FState.TextureHeight);
}

void TGLContext::Forget(const void* texture) {
  if (texture == FTexture) BindTexture(nullptr, nullptr, 0, 0);
}

void TGLContext::RestoreTexture() {
  glBindTexture(GL_TEXTURE_2D, FAppliedValid ? FApplied.TextureName : 0);
}

void TGLContext::ForgetName(GLuint name) {
  if (FApplied.TextureName == name) FAppliedValid = false;
}

bool TGLContext::TexelForPixel(GLenum mode, const uint8_t* vertices, uint32_t count) const {
  const int textureWidth = FState.TextureWidth, textureHeight = FState.TextureHeight;
  if (FState.TextureName == 0 || textureWidth <= 0 || textureHeight <= 0 || count < 3) return false;
  const auto* v = reinterpret_cast<const TVertex*>(vertices);
  const auto whole = [](float value) { return value == std::floor(value); };
  // A vertex at frame position x - 0.5 (whole x) with texel coordinate u * width: the shift
  // between the two must be a whole number of texels, the same for every vertex of a triangle (of
  // a whole strip, whose triangles share vertices).
  const auto shiftU = [&](uint32_t i) { return v[i].u * float(textureWidth) - (v[i].x + 0.5f); };
  const auto shiftV = [&](uint32_t i) { return v[i].v * float(textureHeight) - (v[i].y + 0.5f); };
  for (uint32_t i = 0; i < count; ++i) {
    if (!whole(v[i].x + 0.5f) || !whole(v[i].y + 0.5f) || !whole(shiftU(i)) || !whole(shiftV(i)))
      return false;
    const uint32_t first = mode == GL_TRIANGLES ? i - i % 3 : 0;
    if (shiftU(i) != shiftU(first) || shiftV(i) != shiftV(first)) return false;
  }
  return true;
}

TGLDrawState TGLContext::StateFor(GLenum mode, const uint8_t* vertices, uint32_t count) const {
  TGLDrawState state = FState;
  state.Mode = mode;
  // Point filtering where it gives the same picture: a software renderer filters far faster so.
  const bool linear = state.MagFilter == D3DTEXF_LINEAR || state.MinFilter == D3DTEXF_LINEAR;
  state.PointFiltering = linear && TexelForPixel(mode, vertices, count);
  return state;
}

void TGLContext::Draw(GLenum mode, const uint8_t* vertices, uint32_t count) {
  Apply(StateFor(mode, vertices, count), {0, 0, FWidth, FHeight});
  glDrawArrays(mode, Stream(vertices, count), GLsizei(count));
}

void TGLContext::Apply(const TGLDrawState& state, const TPixelRect& limit) {
  ApplyTexture(state);
  ApplyBlend(state);
  ApplyStage(state);
  ApplyScissor(Intersection(state.Clip, limit));
  FApplied = state;
  FAppliedValid = true;
}

void TGLContext::ApplyTexture(const TGLDrawState& state) {
  if (FAppliedValid && state.TextureName == FApplied.TextureName) return;
  glBindTexture(GL_TEXTURE_2D, state.TextureName);
  glUniform1i(FTexturedUniform, state.TextureName != 0 ? 1 : 0);
}

void TGLContext::ApplyBlend(const TGLDrawState& state) {
  if (FAppliedValid && state.Blend == FApplied.Blend && state.SourceBlend == FApplied.SourceBlend &&
      state.DestinationBlend == FApplied.DestinationBlend && state.Dither == FApplied.Dither)
    return;
  if (state.Blend)
    glEnable(GL_BLEND);
  else
    glDisable(GL_BLEND);
  glBlendFunc(BlendFactor(state.SourceBlend), BlendFactor(state.DestinationBlend));
  if (state.Dither)
    glEnable(GL_DITHER);
  else
    glDisable(GL_DITHER);
}

void TGLContext::ApplyStage(const TGLDrawState& state) {
  const bool all = !FAppliedValid;
  if (all || state.AlphaOp != FApplied.AlphaOp) glUniform1i(FAlphaOpUniform, int(state.AlphaOp));
  if (all || state.AlphaArg1 != FApplied.AlphaArg1)
    glUniform1i(FAlphaArg1Uniform, int(state.AlphaArg1));
  if (all || state.AlphaArg2 != FApplied.AlphaArg2)
    glUniform1i(FAlphaArg2Uniform, int(state.AlphaArg2));
  if (all || state.MagFilter != FApplied.MagFilter || state.MinFilter != FApplied.MinFilter ||
      state.PointFiltering != FApplied.PointFiltering) {
    const bool magLinear = !state.PointFiltering && state.MagFilter == D3DTEXF_LINEAR;
    const bool minLinear = !state.PointFiltering && state.MinFilter == D3DTEXF_LINEAR;
    glSamplerParameteri(FSampler, GL_TEXTURE_MAG_FILTER, magLinear ? GL_LINEAR : GL_NEAREST);
    glSamplerParameteri(FSampler, GL_TEXTURE_MIN_FILTER, minLinear ? GL_LINEAR : GL_NEAREST);
  }
}

// The scissor in OpenGL's window coordinates, bottom row first.
void TGLContext::ApplyScissor(const TPixelRect& clip) {
  const GLsizei w = GLsizei(std::max(0, clip.Right - clip.Left));
  const GLsizei h = GLsizei(std::max(0, clip.Bottom - clip.Top));
  const GLint box[4] = {clip.Left, FHeight - clip.Top - h, w, h};
  if (FAppliedValid && std::equal(box, box + 4, FScissor)) return;
  glScissor(box[0], box[1], box[2], box[3]);
  std::copy(box, box + 4, FScissor);
}

// The vertices of draw after draw are appended to one buffer, which gets fresh storage only when
// it is full: a buffer of its own for every draw costs a new allocation each time, which made
// frames under a software renderer twice as slow.
GLint TGLContext::Stream(const uint8_t* vertices, uint32_t count) {
  const GLsizeiptr size = GLsizeiptr(count) * GLsizeiptr(sizeof(TVertex));
  if (size > StreamBufferSize) {
    glBufferData(GL_ARRAY_BUFFER, size, vertices, GL_STREAM_DRAW);
    FStreamUsed = StreamBufferSize;  // the next draw starts a fresh buffer
    return 0;
  }
  if (FStreamUsed + size > StreamBufferSize) {
    glBufferData(GL_ARRAY_BUFFER, StreamBufferSize, nullptr, GL_STREAM_DRAW);
    FStreamUsed = 0;
  }
  // Nothing drawn so far reads the range written, so the write need not wait for the renderer.
  void* target =
      glMapBufferRange(GL_ARRAY_BUFFER, FStreamUsed, size,
                       GL_MAP_WRITE_BIT | GL_MAP_UNSYNCHRONIZED_BIT | GL_MAP_INVALIDATE_RANGE_BIT);
  if (target != nullptr) {
    std::memcpy(target, vertices, size_t(size));
    glUnmapBuffer(GL_ARRAY_BUFFER);
  } else {
    glBufferSubData(GL_ARRAY_BUFFER, FStreamUsed, size, vertices);
  }
  const GLint first = GLint(FStreamUsed / GLsizeiptr(sizeof(TVertex)));
  FStreamUsed += size;
  return first;
}

bool TGLContext::WindowHasAlpha() {
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  GLint alpha = 8;
  glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_BACK_LEFT,
                                        GL_FRAMEBUFFER_ATTACHMENT_ALPHA_SIZE, &alpha);
  const bool known = glGetError() == GL_NO_ERROR;
  return !known || alpha != 0;
}

// Without damage tracking, frames may be drawn straight into the window when it shows the back
// buffer one to one and keeps no alpha of its own (blending by the destination's alpha then sees 1,
// as in a back buffer without alpha); otherwise into the offscreen buffer, which Present scales
// into the window. Copying the offscreen buffer to the window cost a software renderer a tenth of
// every frame. With damage tracking the offscreen buffer keeps the frame shown, so frames go there.
void TGLContext::ChooseTarget() {
  int drawableW = 0, drawableH = 0;
  SDL_GL_GetDrawableSize(FWindow, &drawableW, &drawableH);
  if (drawableW != FDrawableWidth || drawableH != FDrawableHeight) {
    FDrawableWidth = drawableW;
    FDrawableHeight = drawableH;
    FRedrawAll = true;
  }
  FToWindow = FDirectToWindow && !FWindowHasAlpha && drawableW == FWidth && drawableH == FHeight;
  glBindFramebuffer(GL_FRAMEBUFFER, FToWindow ? 0 : FFramebuffer);
}

void TGLContext::BeginFrame() {
  ChooseTarget();  // the window may have changed size since the last frame
}

void TGLContext::Present() {
  if (FToWindow) {
    SDL_GL_SwapWindow(FWindow);
    return;
  }
  int drawableW = 0, drawableH = 0;
  SDL_GL_GetDrawableSize(FWindow, &drawableW, &drawableH);
  glDisable(GL_SCISSOR_TEST);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, FFramebuffer);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  // A window of another size shows the back buffer scaled to fit and centred, black bars around.
  const TFrameFit fit = FitFrame(FWidth, FHeight, drawableW, drawableH);
  if (fit.Width < drawableW || fit.Height < drawableH) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  const int bottom = drawableH - fit.Top - fit.Height;
  glBlitFramebuffer(0, 0, FWidth, FHeight, fit.Left, bottom, fit.Left + fit.Width,
                    bottom + fit.Height, GL_COLOR_BUFFER_BIT, fit.Smooth ? GL_LINEAR : GL_NEAREST);
  SDL_GL_SwapWindow(FWindow);
  glBindFramebuffer(GL_FRAMEBUFFER, FFramebuffer);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
  glEnable(GL_SCISSOR_TEST);
  glScissor(FScissor[0], FScissor[1], FScissor[2], FScissor[3]);
}

bool TGLContext::ReadBackBuffer(TBitmap& picture) {
  if (!Alive) return false;
  std::vector<uint8_t> rows(size_t(FWidth) * FHeight * 4);
  glFinish();
  glBindFramebuffer(GL_READ_FRAMEBUFFER, FToWindow ? 0 : FFramebuffer);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, FWidth, FHeight, GL_BGRA, GL_UNSIGNED_BYTE, rows.data());
  picture.SetPixelFormat(TPixelFormat::pf32bit);
  picture.SetSize(FWidth, FHeight);
  for (int y = 0; y < FHeight; ++y) {
    uint8_t* line = picture.ScanLine(y);
    std::memcpy(line, rows.data() + size_t(FHeight - 1 - y) * FWidth * 4, size_t(FWidth) * 4);
    for (int x = 0; x < FWidth; ++x) line[4 * x + 3] = 0xFF;
  }
  return glGetError() == GL_NO_ERROR;
}

}  // namespace marblix
