// The capturing device: passes every call on and keeps draws, states, texels and present times.
#include "capture_device.h"

#include <cstring>

#include "graphics/PDrawEx.h"

namespace marblix::bench {
namespace {

class TCaptureTexture final : public IDirect3DTexture8 {
 public:
  TCaptureTexture(PDirect3DTexture8 inner, int id) : Inner(std::move(inner)), Id(id) {}

  HRESULT LockRect(uint32_t level, D3DLOCKED_RECT* locked, const void* rect,
                   uint32_t flags) override {
    return Inner->LockRect(level, locked, rect, flags);
  }
  HRESULT UnlockRect(uint32_t level) override { return Inner->UnlockRect(level); }

  PDirect3DTexture8 Inner;
  const int Id;
};

class TCaptureDevice final : public IDirect3DDevice8 {
 public:
  TCaptureDevice(PDirect3DDevice8 inner, std::shared_ptr<TFrameCapture> capture)
      : FInner(std::move(inner)), FCapture(std::move(capture)) {}

  HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) override { return FInner->Reset(parameters); }
  HRESULT Present() override {
    const HRESULT result = FInner->Present();
    FCapture->Presents.push_back(TFrameCapture::Clock::now());
    FCapture->Capturing = false;
    return result;
  }
  HRESULT BeginScene() override { return FInner->BeginScene(); }
  HRESULT EndScene() override { return FInner->EndScene(); }
  HRESULT SetRenderState(int state, uint32_t value) override {
    if (state == D3DRS_ALPHABLENDENABLE) FState.Blend = value != 0;
    if (state == D3DRS_SRCBLEND) FState.SourceBlend = value;
    if (state == D3DRS_DESTBLEND) FState.DestinationBlend = value;
    return FInner->SetRenderState(state, value);
  }
  HRESULT SetTextureStageState(uint32_t stage, int type, uint32_t value) override {
    if (stage == 0) {
      if (type == D3DTSS_ALPHAOP) FState.AlphaOp = value;
      if (type == D3DTSS_ALPHAARG1) FState.AlphaArg1 = value;
      if (type == D3DTSS_ALPHAARG2) FState.AlphaArg2 = value;
      if (type == D3DTSS_MAGFILTER) FState.MagFilter = value;
      if (type == D3DTSS_MINFILTER) FState.MinFilter = value;
    }
    return FInner->SetTextureStageState(stage, type, value);
  }
  HRESULT SetTexture(uint32_t stage, IDirect3DTexture8* texture) override {
    auto* captured = static_cast<TCaptureTexture*>(texture);
    if (stage == 0) FState.Texture = captured ? captured->Id : -1;
    return FInner->SetTexture(stage, captured ? captured->Inner.get() : nullptr);
  }
  HRESULT SetViewport(const D3DVIEWPORT8* viewport) override {
    FState.Clip = *viewport;
    return FInner->SetViewport(viewport);
  }
  HRESULT CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t fvf, int pool,
                             PDirect3DVertexBuffer8* buffer) override {
    return FInner->CreateVertexBuffer(length, usage, fvf, pool, buffer);
  }
  HRESULT SetStreamSource(uint32_t stream, IDirect3DVertexBuffer8* buffer,
                          uint32_t stride) override {
    if (stream == 0) FStream = buffer;
    return FInner->SetStreamSource(stream, buffer, stride);
  }
  HRESULT SetVertexShader(uint32_t fvf) override { return FInner->SetVertexShader(fvf); }
  HRESULT DrawPrimitive(int type, uint32_t start, uint32_t count) override {
    const HRESULT result = FInner->DrawPrimitive(type, start, count);
    ++FCapture->DrawCalls;
    if (result == D3D_OK && FCapture->Capturing) Keep(type, start, count);
    return result;
  }
  HRESULT CreateTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage,
                        int format, int pool, PDirect3DTexture8* texture) override {
    PDirect3DTexture8 inner;
    const HRESULT result =
        FInner->CreateTexture(width, height, levels, usage, format, pool, &inner);
    if (result != D3D_OK) return result;
    const int id = FNextTexture++;
    *texture = std::make_shared<TCaptureTexture>(std::move(inner), id);
    FCapture->Textures[id] = {int(width), int(height), format, {}, *texture};
    return D3D_OK;
  }

 private:
  void Keep(int type, uint32_t start, uint32_t count) {
    const uint32_t vertices = type == D3DPT_TRIANGLESTRIP ? count + 2 : count * 3;
    uint8_t* data = nullptr;
    if (FStream == nullptr || FStream->Lock(start * sizeof(TVertex), 0, &data, 0) != D3D_OK) return;
    TCapturedDraw draw{FState, type, {}};
    draw.Vertices.resize(vertices);
    std::memcpy(draw.Vertices.data(), data, vertices * sizeof(TVertex));
    FStream->Unlock();
    FCapture->Draws.push_back(std::move(draw));
  }

  PDirect3DDevice8 FInner;
  std::shared_ptr<TFrameCapture> FCapture;
  TDrawState FState;
  IDirect3DVertexBuffer8* FStream = nullptr;
  int FNextTexture = 0;
};

class TCaptureDirect3D final : public IDirect3D8 {
 public:
  TCaptureDirect3D(PDirect3D8 inner, std::shared_ptr<TFrameCapture> capture)
      : FInner(std::move(inner)), FCapture(std::move(capture)) {}

  HRESULT GetDeviceCaps(uint32_t adapter, int type, D3DCAPS8* caps) override {
    return FInner->GetDeviceCaps(adapter, type, caps);
  }
  HRESULT GetAdapterIdentifier(uint32_t adapter, uint32_t flags,
                               D3DADAPTER_IDENTIFIER8* id) override {
    return FInner->GetAdapterIdentifier(adapter, flags, id);
  }
  HRESULT GetAdapterDisplayMode(uint32_t adapter, D3DDISPLAYMODE* mode) override {
    return FInner->GetAdapterDisplayMode(adapter, mode);
  }
  uint32_t GetAdapterModeCount(uint32_t adapter) override {
    return FInner->GetAdapterModeCount(adapter);
  }
  HRESULT EnumAdapterModes(uint32_t adapter, uint32_t index, D3DDISPLAYMODE* mode) override {
    return FInner->EnumAdapterModes(adapter, index, mode);
  }
  HRESULT CreateDevice(uint32_t adapter, int type, void* window, uint32_t behaviour,
                       D3DPRESENT_PARAMETERS* parameters, PDirect3DDevice8* device) override {
    PDirect3DDevice8 inner;
    const HRESULT result =
        FInner->CreateDevice(adapter, type, window, behaviour, parameters, &inner);
    if (result == D3D_OK) *device = std::make_unique<TCaptureDevice>(std::move(inner), FCapture);
    return result;
  }

 private:
  PDirect3D8 FInner;
  std::shared_ptr<TFrameCapture> FCapture;
};

}  // namespace

void TFrameCapture::ReadTexels() {
  for (const TCapturedDraw& draw : Draws) {
    const auto found = Textures.find(draw.State.Texture);
    if (found == Textures.end() || !found->second.Bits.empty()) continue;
    TCapturedTexture& texture = found->second;
    const PDirect3DTexture8 live = texture.Texture.lock();
    D3DLOCKED_RECT locked{};
    if (!live || live->LockRect(0, &locked, nullptr, 0) != D3D_OK) continue;
    const size_t row = size_t(texture.Width) * BytesPerTexel(texture.Format);
    texture.Bits.resize(row * texture.Height);
    for (int y = 0; y < texture.Height; ++y)
      std::memcpy(texture.Bits.data() + row * y,
                  static_cast<const uint8_t*>(locked.pBits) + size_t(locked.Pitch) * y, row);
    live->UnlockRect(0);
  }
}

TDirect3DCreate CapturingDirect3DCreate(TDirect3DCreate inner,
                                        std::shared_ptr<TFrameCapture> capture) {
  return
      [inner = std::move(inner), capture = std::move(capture)](uint32_t sdkVersion) -> PDirect3D8 {
        PDirect3D8 made = inner(sdkVersion);
        if (!made) return nullptr;
        return std::make_unique<TCaptureDirect3D>(std::move(made), capture);
      };
}

}  // namespace marblix::bench
