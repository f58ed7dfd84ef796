// TPowerGraph: properties, device creation and release, fixed states and the frame calls.
#include "graphics/PowerD3D.h"

#include "graphics/EnumUnit.h"

namespace marblix {

namespace {

constexpr uint32_t SmallBufferBytes = 5 * sizeof(TVertex);    // 140
constexpr uint32_t LargeBufferBytes = 256 * sizeof(TVertex);  // 7168

}  // namespace

TPowerGraph::TPowerGraph(TComponentOwner* owner, TDirect3DCreate direct3DCreate)
    : TComponent(owner), Direct3DCreate8(std::move(direct3DCreate)) {
  FCornerCache.resize(CornerCacheSize);
}

TPowerGraph::~TPowerGraph() {
  ReleaseDevice();
}

// ---- Properties -------------------------------------------------------------------------------

void TPowerGraph::SetAntialias(bool value) {
  FAntialias = value;
  if (!FOpen) return;
  FlushBatch();
  ApplyFilter();
}

void TPowerGraph::SetDithering(bool value) {
  FDithering = value;
  if (!FOpen) return;
  FlushBatch();
  FDevice->SetRenderState(D3DRS_DITHERENABLE, FDithering ? 1 : 0);
}

void TPowerGraph::SetFullScreen(bool value) {
  if (!FOpen) FFullScreen = value;
}
void TPowerGraph::SetWidth(int value) {
  if (!FOpen) FWidth = value;
}
void TPowerGraph::SetHeight(int value) {
  if (!FOpen) FHeight = value;
}
void TPowerGraph::SetBackBufferCount(int value) {
  if (!FOpen) FBackBufferCount = value;
}
void TPowerGraph::SetBitDepth(TBitDepth value) {
  if (!FOpen) FBitDepth = value;
}
void TPowerGraph::SetZBuffer(TZBuffer value) {
  if (!FOpen) FZBuffer = value;
}
void TPowerGraph::SetVSync(bool value) {
  if (!FOpen) FVSync = value;
}

void TPowerGraph::SetRefreshRate(TRefreshRate value) {
  if (FOpen) return;
  FRefreshRate = value;
  if (value != rr_custom) FCustomRefreshRate = 0;
}

void TPowerGraph::SetCustomRefreshRate(int value) {
  if (!FOpen && FRefreshRate == rr_custom) FCustomRefreshRate = value;
}

// ---- Device -----------------------------------------------------------------------------------

int TPowerGraph::CreateDevice() {
  return CreateDeviceWith(FWidth, FHeight, FBitDepth, FFullScreen, FBackBufferCount, Hardware,
                          FRefreshRate, FZBuffer, FVSync);
}

int TPowerGraph::ChooseFullScreenMode(int width, int height, TBitDepth bitDepth,
                                      TRefreshRate refreshRate) {
  TModeList modes;
  modes.WantedRefreshRate = FCustomRefreshRate;
  const int first = bitDepth == bd_Low ? 16 : 32;
  const int second = bitDepth == bd_Low ? 32 : 16;
  if (!modes.EnumerateModes(FDirect3D.get(), width, height, first) &&
      !modes.EnumerateModes(FDirect3D.get(), width, height, second))
    return -3;
  const TModeRecord* mode = modes.SelectMode(refreshRate);
  if (mode == nullptr) return -3;
  FParameters.BackBufferWidth = static_cast<uint32_t>(mode->Width);
  FParameters.BackBufferHeight = static_cast<uint32_t>(mode->Height);
  FParameters.BackBufferFormat = mode->Format;
  FParameters.FullScreen_RefreshRateInHz =
      refreshRate == rr_default ? 0 : static_cast<uint32_t>(mode->RefreshRate);
  return 0;
}

int TPowerGraph::CreateDeviceWith(int width, int height, TBitDepth bitDepth, bool fullScreen,
                                  int backBufferCount, bool hardware, TRefreshRate refreshRate,
                                  TZBuffer zBuffer, bool vSync) {
  if (FOpen || Owner() == nullptr || !Owner()->IsForm()) return -1;
  FDirect3D = Direct3DCreate8 ? Direct3DCreate8(D3D_SDK_VERSION) : nullptr;
  if (!FDirect3D) return -2;
  const auto fail = [this](int code) {
    ReleaseAll();
    return code;
  };
  const int deviceType = hardware ? D3DDEVTYPE_HAL : D3DDEVTYPE_REF;
  FCaps = D3DCAPS8{};
  if (FAILED(FDirect3D->GetDeviceCaps(D3DADAPTER_DEFAULT, deviceType, &FCaps))) return fail(-7);
  FIdentifier = D3DADAPTER_IDENTIFIER8{};
  if (FAILED(FDirect3D->GetAdapterIdentifier(D3DADAPTER_DEFAULT, 0, &FIdentifier))) return fail(-8);
  if (const int code = FillPresentParameters(width, height, bitDepth, fullScreen, backBufferCount,
                                             refreshRate, zBuffer, vSync);
      code != 0)
    return fail(code);
  if (const int code = CreateDeviceAndBuffers(deviceType); code != 0) return fail(code);
  ResetDrawingState();
  FOpen = true;
  return 0;
}

int TPowerGraph::FillPresentParameters(int width, int height, TBitDepth bitDepth, bool fullScreen,
                                       int backBufferCount, TRefreshRate refreshRate,
                                       TZBuffer zBuffer, bool vSync) {
  FParameters = D3DPRESENT_PARAMETERS{};
  FParameters.Windowed = !fullScreen;
  FParameters.MultiSampleType = D3DMULTISAMPLE_NONE;
  if (zBuffer != zb_None) {
    FParameters.EnableAutoDepthStencil = true;
    FParameters.AutoDepthStencilFormat = zBuffer == zb_16bit ? D3DFMT_D16 : D3DFMT_D32;
  }
  FParameters.hDeviceWindow = Owner()->WindowHandle();
  if (fullScreen) {
    if (const int code = ChooseFullScreenMode(width, height, bitDepth, refreshRate); code != 0)
      return code;
    FParameters.BackBufferCount = static_cast<uint32_t>(backBufferCount);
    FParameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    FParameters.FullScreen_PresentationInterval =
        vSync ? D3DPRESENT_INTERVAL_ONE : D3DPRESENT_INTERVAL_IMMEDIATE;
  } else {
    D3DDISPLAYMODE desktop;
    if (FAILED(FDirect3D->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &desktop))) return -4;
    FParameters.BackBufferWidth = static_cast<uint32_t>(width);
    FParameters.BackBufferHeight = static_cast<uint32_t>(height);
    FParameters.BackBufferFormat = desktop.Format;
    FParameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
  }
  return 0;
}

int TPowerGraph::CreateDeviceAndBuffers(int deviceType) {
  if (FAILED(FDirect3D->CreateDevice(D3DADAPTER_DEFAULT, deviceType, Owner()->WindowHandle(),
                                     D3DCREATE_SOFTWARE_VERTEXPROCESSING, &FParameters,
                                     &FDevice)) ||
      !FDevice)
    return -5;
  if (FAILED(FDevice->CreateVertexBuffer(SmallBufferBytes, 0, VertexFormat, D3DPOOL_MANAGED,
                                         &FSmallBuffer)) ||
      !FSmallBuffer ||
      FAILED(FDevice->CreateVertexBuffer(LargeBufferBytes, 0, VertexFormat, D3DPOOL_MANAGED,
                                         &FLargeBuffer)) ||
      !FLargeBuffer)
    return -6;
  return 0;
}

void TPowerGraph::ResetDrawingState() {
  for (TVertex& corner : FTemplate) {
    corner.z = 0.0f;
    corner.rhw = 1.0f;
  }
  ApplyFixedStates();
  FBoundTexture.reset();
  FBatchCount = 0;
  FCurrentEffect = 0;
}

void TPowerGraph::ApplyFilter() {
  const uint32_t filter = FAntialias ? D3DTEXF_LINEAR : D3DTEXF_POINT;
  FDevice->SetTextureStageState(0, D3DTSS_MAGFILTER, filter);
  FDevice->SetTextureStageState(0, D3DTSS_MINFILTER, filter);
}

void TPowerGraph::ApplyFixedStates() {
  FDevice->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  FDevice->SetRenderState(D3DRS_LIGHTING, 0);
  ApplyFilter();
  FDevice->SetRenderState(D3DRS_DITHERENABLE, FDithering ? 1 : 0);
}

void TPowerGraph::ReleaseAll() {
  FBoundTexture.reset();
  FLargeBuffer.reset();
  FSmallBuffer.reset();
  FDevice.reset();
  FDirect3D.reset();
  FOpen = false;
}

int TPowerGraph::ReleaseDevice() {
  if (!FOpen) return -1;
  BindPattern(nullptr, 0, 0);
  ReleaseAll();
  return 0;
}

bool TPowerGraph::ResetDevice() {
  if (!FOpen) return false;
  return SUCCEEDED(FDevice->Reset(&FParameters));
}

bool TPowerGraph::BeginFrame() {
  if (!FOpen) return false;
  FBatchCount = 0;
  FDrawCalls = 0;
  return SUCCEEDED(FDevice->BeginScene());
}

bool TPowerGraph::EndFrame() {
  if (!FOpen) return false;
  if (FlushBatch() != 0) return false;
  return SUCCEEDED(FDevice->EndScene());
}

bool TPowerGraph::PresentFrame() {
  if (!FOpen) return false;
  const HRESULT result = FDevice->Present();
  if (result == D3DERR_DEVICELOST && OnDeviceLost) {
    OnDeviceLost(this);
    FBoundTexture.reset();
    FCurrentEffect = 0;
  }
  return SUCCEEDED(result);
}

}  // namespace marblix
