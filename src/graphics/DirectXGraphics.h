// The render device interface: the Direct3D 8 operations the graphics layer calls, with their
// constants, records and result codes. Implemented over OpenGL and by a recording device for tests.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace marblix {

using HRESULT = int32_t;
inline constexpr HRESULT D3D_OK = 0;
inline constexpr HRESULT D3DERR_DEVICELOST = static_cast<HRESULT>(0x88760868u);
inline constexpr HRESULT D3DERR_DEVICENOTRESET = static_cast<HRESULT>(0x88760869u);
inline constexpr HRESULT D3DERR_NOTAVAILABLE = static_cast<HRESULT>(0x8876086Au);
inline constexpr HRESULT D3DERR_OUTOFVIDEOMEMORY = static_cast<HRESULT>(0x8876017Cu);
inline constexpr HRESULT D3DERR_INVALIDCALL = static_cast<HRESULT>(0x8876086Cu);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr bool SUCCEEDED(HRESULT hr) {
  return hr >= 0;
}
inline constexpr bool FAILED(HRESULT hr) {
  return hr < 0;
}

inline constexpr uint32_t D3D_SDK_VERSION = 220;
inline constexpr uint32_t D3DADAPTER_DEFAULT = 0;

// Pixel formats.
inline constexpr int D3DFMT_UNKNOWN = 0;
inline constexpr int D3DFMT_R8G8B8 = 20;
inline constexpr int D3DFMT_A8R8G8B8 = 21;
inline constexpr int D3DFMT_X8R8G8B8 = 22;
inline constexpr int D3DFMT_R5G6B5 = 23;
inline constexpr int D3DFMT_X1R5G5B5 = 24;
inline constexpr int D3DFMT_A1R5G5B5 = 25;
inline constexpr int D3DFMT_A4R4G4B4 = 26;
inline constexpr int D3DFMT_R3G3B2 = 27;
inline constexpr int D3DFMT_A8 = 28;
inline constexpr int D3DFMT_A8R3G3B2 = 29;
inline constexpr int D3DFMT_X4R4G4B4 = 30;
inline constexpr int D3DFMT_D32 = 71;
inline constexpr int D3DFMT_D16 = 80;

// Device types, creation flags, pools, swap effects, presentation intervals.
inline constexpr int D3DDEVTYPE_HAL = 1;
inline constexpr int D3DDEVTYPE_REF = 2;
inline constexpr uint32_t D3DCREATE_SOFTWARE_VERTEXPROCESSING = 0x20;
inline constexpr int D3DPOOL_DEFAULT = 0;
inline constexpr int D3DPOOL_MANAGED = 1;
inline constexpr int D3DSWAPEFFECT_DISCARD = 1;
inline constexpr uint32_t D3DPRESENT_INTERVAL_DEFAULT = 0;
inline constexpr uint32_t D3DPRESENT_INTERVAL_ONE = 1;
inline constexpr uint32_t D3DPRESENT_INTERVAL_IMMEDIATE = 0x80000000u;
inline constexpr int D3DMULTISAMPLE_NONE = 0;

// Render states and their values.
inline constexpr int D3DRS_CULLMODE = 22;
inline constexpr int D3DRS_DITHERENABLE = 26;
inline constexpr int D3DRS_ALPHABLENDENABLE = 27;
inline constexpr int D3DRS_SRCBLEND = 19;
inline constexpr int D3DRS_DESTBLEND = 20;
inline constexpr int D3DRS_LIGHTING = 137;
inline constexpr uint32_t D3DCULL_NONE = 1;

inline constexpr uint32_t D3DBLEND_ZERO = 1;
inline constexpr uint32_t D3DBLEND_ONE = 2;
inline constexpr uint32_t D3DBLEND_SRCCOLOR = 3;
inline constexpr uint32_t D3DBLEND_INVSRCCOLOR = 4;
inline constexpr uint32_t D3DBLEND_SRCALPHA = 5;
inline constexpr uint32_t D3DBLEND_INVSRCALPHA = 6;
inline constexpr uint32_t D3DBLEND_DESTALPHA = 7;
inline constexpr uint32_t D3DBLEND_INVDESTALPHA = 8;
inline constexpr uint32_t D3DBLEND_DESTCOLOR = 9;
inline constexpr uint32_t D3DBLEND_INVDESTCOLOR = 10;

// Texture-stage states and their values.
inline constexpr int D3DTSS_COLOROP = 1;
inline constexpr int D3DTSS_ALPHAOP = 4;
inline constexpr int D3DTSS_ALPHAARG1 = 5;
inline constexpr int D3DTSS_ALPHAARG2 = 6;
inline constexpr int D3DTSS_MAGFILTER = 16;
inline constexpr int D3DTSS_MINFILTER = 17;
inline constexpr uint32_t D3DTOP_SELECTARG1 = 2;
inline constexpr uint32_t D3DTOP_MODULATE = 4;
inline constexpr uint32_t D3DTA_DIFFUSE = 0;
inline constexpr uint32_t D3DTA_TEXTURE = 2;
inline constexpr uint32_t D3DTEXF_POINT = 1;
inline constexpr uint32_t D3DTEXF_LINEAR = 2;

// Geometry.
inline constexpr int D3DPT_TRIANGLELIST = 4;
inline constexpr int D3DPT_TRIANGLESTRIP = 5;
inline constexpr uint32_t D3DFVF_XYZRHW = 0x004;
inline constexpr uint32_t D3DFVF_DIFFUSE = 0x040;
inline constexpr uint32_t D3DFVF_TEX1 = 0x100;

// A pre-transformed, coloured, textured vertex (28 bytes): screen position, 0xAARRGGBB, u, v.
struct TVertex {
  float x = 0, y = 0, z = 0, rhw = 1;
  uint32_t Diffuse = 0xFFFFFFFFu;
  float u = 0, v = 0;
};
static_assert(sizeof(TVertex) == 28);
inline constexpr uint32_t VertexFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;  // 324

struct D3DDISPLAYMODE {
  uint32_t Width = 0;
  uint32_t Height = 0;
  uint32_t RefreshRate = 0;
  int Format = D3DFMT_UNKNOWN;
};

struct D3DPRESENT_PARAMETERS {
  uint32_t BackBufferWidth = 0;
  uint32_t BackBufferHeight = 0;
  int BackBufferFormat = D3DFMT_UNKNOWN;
  uint32_t BackBufferCount = 0;
  int MultiSampleType = D3DMULTISAMPLE_NONE;
  int SwapEffect = 0;
  void* hDeviceWindow = nullptr;
  bool Windowed = false;
  bool EnableAutoDepthStencil = false;
  int AutoDepthStencilFormat = D3DFMT_UNKNOWN;
  uint32_t Flags = 0;
  uint32_t FullScreen_RefreshRateInHz = 0;
  uint32_t FullScreen_PresentationInterval = 0;
};

struct D3DADAPTER_IDENTIFIER8 {
  char Driver[512] = {};
  char Description[512] = {};
  uint32_t VendorId = 0;
  uint32_t DeviceId = 0;
};

struct D3DCAPS8 {
  int DeviceType = 0;
  uint32_t AdapterOrdinal = 0;
  uint32_t MaxTextureWidth = 0;
  uint32_t MaxTextureHeight = 0;
};

struct D3DVIEWPORT8 {
  uint32_t X = 0, Y = 0, Width = 0, Height = 0;
  float MinZ = 0, MaxZ = 0;
};

struct D3DLOCKED_RECT {
  int Pitch = 0;
  void* pBits = nullptr;
};

class IDirect3DTexture8 {
 public:
  virtual ~IDirect3DTexture8() = default;
  virtual HRESULT LockRect(uint32_t level, D3DLOCKED_RECT* locked, const void* rect,
                           uint32_t flags) = 0;
  virtual HRESULT UnlockRect(uint32_t level) = 0;
};
using PDirect3DTexture8 = std::shared_ptr<IDirect3DTexture8>;

class IDirect3DVertexBuffer8 {
 public:
  virtual ~IDirect3DVertexBuffer8() = default;
  virtual HRESULT Lock(uint32_t offset, uint32_t size, uint8_t** data, uint32_t flags) = 0;
  virtual HRESULT Unlock() = 0;
};
using PDirect3DVertexBuffer8 = std::unique_ptr<IDirect3DVertexBuffer8>;

class IDirect3DDevice8 {
 public:
  virtual ~IDirect3DDevice8() = default;
  virtual HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) = 0;
  // Whole back buffer to the device window (the four arguments of the original are always nil).
  virtual HRESULT Present() = 0;
  virtual HRESULT BeginScene() = 0;
  virtual HRESULT EndScene() = 0;
  virtual HRESULT SetRenderState(int state, uint32_t value) = 0;
  virtual HRESULT SetTextureStageState(uint32_t stage, int type, uint32_t value) = 0;
  virtual HRESULT SetTexture(uint32_t stage, IDirect3DTexture8* texture) = 0;
  virtual HRESULT SetViewport(const D3DVIEWPORT8* viewport) = 0;
  virtual HRESULT CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t fvf, int pool,
                                     PDirect3DVertexBuffer8* buffer) = 0;
  virtual HRESULT SetStreamSource(uint32_t stream, IDirect3DVertexBuffer8* buffer,
                                  uint32_t stride) = 0;
  virtual HRESULT SetVertexShader(uint32_t fvf) = 0;
  virtual HRESULT DrawPrimitive(int type, uint32_t startVertex, uint32_t primitiveCount) = 0;
  virtual HRESULT CreateTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage,
                                int format, int pool, PDirect3DTexture8* texture) = 0;
};
using PDirect3DDevice8 = std::unique_ptr<IDirect3DDevice8>;

class IDirect3D8 {
 public:
  virtual ~IDirect3D8() = default;
  virtual HRESULT GetDeviceCaps(uint32_t adapter, int deviceType, D3DCAPS8* caps) = 0;
  virtual HRESULT GetAdapterIdentifier(uint32_t adapter, uint32_t flags,
                                       D3DADAPTER_IDENTIFIER8* identifier) = 0;
  virtual HRESULT GetAdapterDisplayMode(uint32_t adapter, D3DDISPLAYMODE* mode) = 0;
  virtual uint32_t GetAdapterModeCount(uint32_t adapter) = 0;
  virtual HRESULT EnumAdapterModes(uint32_t adapter, uint32_t index, D3DDISPLAYMODE* mode) = 0;
  virtual HRESULT CreateDevice(uint32_t adapter, int deviceType, void* focusWindow,
                               uint32_t behaviour, D3DPRESENT_PARAMETERS* parameters,
                               PDirect3DDevice8* device) = 0;
};
using PDirect3D8 = std::unique_ptr<IDirect3D8>;

// Makes the Direct3D object of a back end (nullptr when it cannot).
using TDirect3DCreate = std::function<PDirect3D8(uint32_t sdkVersion)>;

}  // namespace marblix
