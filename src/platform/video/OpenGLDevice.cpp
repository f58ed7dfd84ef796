// OpenGL device: context, back buffer, states, textures, vertex streams, drawing, presenting.
#include "platform/video/OpenGLDevice.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "graphics/PDrawEx.h"
#include "platform/video/OpenGLFrames.h"
#include "platform/video/OpenGLState.h"
#include "platform/video/OpenGLTexture.h"

namespace marblix {

namespace {

// ---- Vertex buffers: kept in memory, streamed to OpenGL when drawn -----------------------------

class TGLVertexBuffer : public IDirect3DVertexBuffer8 {
 public:
  explicit TGLVertexBuffer(uint32_t length) : Data(length) {}
  HRESULT Lock(uint32_t offset, uint32_t, uint8_t** data, uint32_t) override {
    if (offset > Data.size()) return D3DERR_INVALIDCALL;
    *data = Data.data() + offset;
    return D3D_OK;
  }
  HRESULT Unlock() override { return D3D_OK; }
  std::vector<uint8_t> Data;
};

// ---- The device ------------------------------------------------------------------------------

class TGLDevice : public IDirect3DDevice8 {
 public:
  TGLDevice(std::shared_ptr<TGLContext> context, D3DPRESENT_PARAMETERS parameters)
      : FContext(std::move(context)), FParameters(parameters), FFrames(*FContext) {}
  ~TGLDevice() override { FContext->Close(); }

  HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) override {
    FParameters = *parameters;
    return FContext->ResizeBackBuffer(int(parameters->BackBufferWidth),
                                      int(parameters->BackBufferHeight))
               ? D3D_OK
               : D3DERR_DEVICELOST;
  }
  // With damage tracking a frame that changed nothing is not shown again. A context the driver
  // reset is a lost device: the owner resets it, and the next frame is drawn whole.
  HRESULT Present() override {
    if (FContext->TakeReset()) return D3DERR_DEVICELOST;
    if (!FContext->TracksDamage() || FChanged) FContext->Present();
    FChanged = false;
    return D3D_OK;
  }
  HRESULT BeginScene() override {
    if (FInScene) return D3DERR_INVALIDCALL;
    FInScene = true;
    FContext->BeginFrame();
    return D3D_OK;
  }
  HRESULT EndScene() override {
    if (!FInScene) return D3DERR_INVALIDCALL;
    FInScene = false;
    if (FContext->TracksDamage() && FFrames.Finish()) FChanged = true;
    glFlush();
    return D3D_OK;
  }
  HRESULT SetRenderState(int state, uint32_t value) override {
    FContext->SetRenderState(state, value);
    return D3D_OK;
  }
  HRESULT SetTextureStageState(uint32_t stage, int type, uint32_t value) override {
    if (stage == 0) FContext->SetStageState(type, value);
    return D3D_OK;
  }
  HRESULT SetTexture(uint32_t stage, IDirect3DTexture8* texture) override {
    if (stage != 0) return D3D_OK;
    auto* gl = static_cast<TGLTexture*>(texture);
    FContext->BindTexture(gl, gl ? gl->Storage() : nullptr, gl ? gl->Width() : 0,
                          gl ? gl->Height() : 0);
    return D3D_OK;
  }
  HRESULT SetViewport(const D3DVIEWPORT8* viewport) override {
    FContext->SetClip(*viewport);
    return D3D_OK;
  }
  HRESULT CreateVertexBuffer(uint32_t length, uint32_t, uint32_t, int,
                             PDirect3DVertexBuffer8* buffer) override {
    *buffer = std::make_unique<TGLVertexBuffer>(length);
    return D3D_OK;
  }
  HRESULT SetStreamSource(uint32_t stream, IDirect3DVertexBuffer8* buffer,
                          uint32_t stride) override {
    if (stream != 0 || stride != sizeof(TVertex)) return D3DERR_INVALIDCALL;
    FStream = static_cast<TGLVertexBuffer*>(buffer);
    return D3D_OK;
  }
  HRESULT SetVertexShader(uint32_t fvf) override {
    return fvf == VertexFormat ? D3D_OK : D3DERR_INVALIDCALL;
  }
  HRESULT DrawPrimitive(int type, uint32_t start, uint32_t count) override {
    if (FStream == nullptr) return D3DERR_INVALIDCALL;
    const uint32_t vertices = type == D3DPT_TRIANGLESTRIP  ? count + 2
                              : type == D3DPT_TRIANGLELIST ? count * 3
                                                           : 0;
    if (vertices == 0 || (start + vertices) * sizeof(TVertex) > FStream->Data.size())
      return D3DERR_INVALIDCALL;
    const GLenum mode = type == D3DPT_TRIANGLESTRIP ? GL_TRIANGLE_STRIP : GL_TRIANGLES;
    const uint8_t* data = FStream->Data.data() + start * sizeof(TVertex);
    if (FContext->TracksDamage())
      FFrames.Record(mode, data, vertices);
    else
      FContext->Draw(mode, data, vertices);
    return D3D_OK;
  }
  HRESULT CreateTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t, int format, int,
                        PDirect3DTexture8* texture) override {
    TGLFormat gl;
    if (levels > 1 || width == 0 || height == 0 ||
        !GLFormatFor(format, FContext->NativeRgb565(), gl) ||
        int(width) > FContext->MaxTextureSize || int(height) > FContext->MaxTextureSize)
      return D3DERR_INVALIDCALL;
    // An error left pending by an earlier call is not this texture's. OpenGL keeps one flag for
    // each kind of error (a lost context may keep reporting, hence the bound).
    for (int kind = 0; kind < 16 && glGetError() != GL_NO_ERROR; ++kind) {
    }
    *texture = std::make_shared<TGLTexture>(FContext, int(width), int(height), format);
    return glGetError() == GL_NO_ERROR ? D3D_OK : D3DERR_OUTOFVIDEOMEMORY;
  }

  TGLContext& Context() { return *FContext; }

 private:
  std::shared_ptr<TGLContext> FContext;
  D3DPRESENT_PARAMETERS FParameters;
  TGLVertexBuffer* FStream = nullptr;
  bool FInScene = false;
  TGLFrameRecorder FFrames;
  bool FChanged = false;  // a frame drawn since the last present changed the back buffer
};

// ---- The Direct3D object: the adapter's description and display modes ------------------------

int FormatOfPixels(uint32_t sdlFormat) {
  switch (sdlFormat) {
    case SDL_PIXELFORMAT_ARGB8888:
      return D3DFMT_A8R8G8B8;
    case SDL_PIXELFORMAT_RGB565:
      return D3DFMT_R5G6B5;
    case SDL_PIXELFORMAT_RGB555:
      return D3DFMT_X1R5G5B5;
    case SDL_PIXELFORMAT_RGB24:
    case SDL_PIXELFORMAT_BGR24:
      return D3DFMT_R8G8B8;
    default:
      return D3DFMT_X8R8G8B8;
  }
}

D3DDISPLAYMODE ModeOf(const SDL_DisplayMode& sdl) {
  return {uint32_t(sdl.w), uint32_t(sdl.h), uint32_t(sdl.refresh_rate), FormatOfPixels(sdl.format)};
}

class TGLDirect3D : public IDirect3D8 {
 public:
  explicit TGLDirect3D(TGLOptions options) : FOptions(options) { ListModes(); }

  HRESULT GetDeviceCaps(uint32_t adapter, int type, D3DCAPS8* caps) override {
    if (adapter != 0 || (type != D3DDEVTYPE_HAL && type != D3DDEVTYPE_REF))
      return D3DERR_INVALIDCALL;
    caps->DeviceType = type;
    caps->MaxTextureWidth = caps->MaxTextureHeight = 4096;
    return D3D_OK;
  }
  HRESULT GetAdapterIdentifier(uint32_t adapter, uint32_t, D3DADAPTER_IDENTIFIER8* id) override {
    if (adapter != 0) return D3DERR_INVALIDCALL;
    const char* driver = SDL_GetCurrentVideoDriver();
    const std::string name = std::string("OpenGL on SDL ") + (driver ? driver : "(none)");
    std::strncpy(id->Driver, name.c_str(), sizeof(id->Driver) - 1);
    std::strncpy(id->Description, AdapterDescription().c_str(), sizeof(id->Description) - 1);
    return D3D_OK;
  }
  HRESULT GetAdapterDisplayMode(uint32_t adapter, D3DDISPLAYMODE* mode) override {
    SDL_DisplayMode desktop;
    if (adapter != 0 || SDL_GetDesktopDisplayMode(0, &desktop) != 0) return D3DERR_NOTAVAILABLE;
    *mode = ModeOf(desktop);
    return D3D_OK;
  }
  uint32_t GetAdapterModeCount(uint32_t adapter) override {
    return adapter == 0 ? uint32_t(FModes.size()) : 0;
  }
  HRESULT EnumAdapterModes(uint32_t adapter, uint32_t index, D3DDISPLAYMODE* mode) override {
    if (adapter != 0 || index >= FModes.size()) return D3DERR_INVALIDCALL;
    *mode = FModes[index];
    return D3D_OK;
  }
  HRESULT CreateDevice(uint32_t adapter, int type, void* focusWindow, uint32_t,
                       D3DPRESENT_PARAMETERS* parameters, PDirect3DDevice8* device) override {
    auto* window = static_cast<SDL_Window*>(parameters->hDeviceWindow ? parameters->hDeviceWindow
                                                                      : focusWindow);
    if (adapter != 0 || window == nullptr) return D3DERR_INVALIDCALL;
    auto context =
        TGLContext::Open(window, type == D3DDEVTYPE_REF, int(parameters->BackBufferWidth),
                         int(parameters->BackBufferHeight), !parameters->Windowed, FOptions);
    if (!context) return D3DERR_NOTAVAILABLE;
    *device = std::make_unique<TGLDevice>(std::move(context), *parameters);
    return D3D_OK;
  }

 private:
  // The display's own modes, and the usual sizes at the desktop's rate: every back buffer is
  // scaled to the screen, so any of them can be shown full screen.
  void ListModes() {
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
      SDL_DisplayMode sdl;
      if (SDL_GetDisplayMode(0, i, &sdl) == 0) FModes.push_back(ModeOf(sdl));
    }
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return;
    const uint32_t rate = desktop.refresh_rate > 0 ? uint32_t(desktop.refresh_rate) : 60;
    for (const auto& [w, h] : {std::pair{640u, 480u}, {800u, 600u}, {1024u, 768u}})
      for (int format : {D3DFMT_X8R8G8B8, D3DFMT_R5G6B5}) {
        bool listed = false;
        for (const D3DDISPLAYMODE& m : FModes)
          listed |= m.Width == w && m.Height == h && m.Format == format;
        if (!listed) FModes.push_back({w, h, rate, format});
      }
  }

  // The renderer's name, asked of a small hidden window's context.
  static std::string AdapterDescription() {
    std::string description = "OpenGL";
    SDL_Window* probe = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (probe == nullptr) return description;
    SDL_GLContext previous = SDL_GL_GetCurrentContext();
    SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
    if (SDL_GLContext context = SDL_GL_CreateContext(probe)) {
      if (const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER)))
        description = std::string("OpenGL ") +
                      reinterpret_cast<const char*>(glGetString(GL_VERSION)) + " - " + renderer;
      SDL_GL_DeleteContext(context);
    }
    SDL_DestroyWindow(probe);
    if (previous) SDL_GL_MakeCurrent(previousWindow, previous);
    return description;
  }

  TGLOptions FOptions;
  std::vector<D3DDISPLAYMODE> FModes;
};

}  // namespace

TDirect3DCreate OpenGLDirect3DCreate(TGLOptions options) {
  return [options](uint32_t sdkVersion) -> PDirect3D8 {
    if (sdkVersion != D3D_SDK_VERSION || (SDL_WasInit(SDL_INIT_VIDEO) == 0)) return nullptr;
    return std::make_unique<TGLDirect3D>(options);
  };
}

bool ReadBackBuffer(IDirect3DDevice8* device, TBitmap& picture) {
  auto* gl = dynamic_cast<TGLDevice*>(device);
  if (gl == nullptr) return false;
  return gl->Context().ReadBackBuffer(picture);
}

bool SyncPresentsToDisplay(bool sync) {
  if (SDL_GL_GetCurrentContext() == nullptr) return false;
  return SDL_GL_SetSwapInterval(sync ? 1 : 0) == 0;
}

}  // namespace marblix
