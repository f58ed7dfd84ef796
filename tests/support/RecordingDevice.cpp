// The recording device: Direct3D object, device, textures and vertex buffers that log their calls.
#include "support/RecordingDevice.h"

#include <cstring>

#include "graphics/PDrawEx.h"

namespace marblix {

namespace {

TRecordedCall Call(std::string name, std::vector<int64_t> args, const void* object = nullptr) {
  TRecordedCall call;
  call.Name = std::move(name);
  call.Args = std::move(args);
  call.Object = object;
  return call;
}

class TRecordingVertexBuffer : public IDirect3DVertexBuffer8 {
 public:
  TRecordingVertexBuffer(std::shared_ptr<TRecording> recording, uint32_t length)
      : Data(length), FRecording(std::move(recording)) {
    ++FRecording->BuffersAlive;
  }
  ~TRecordingVertexBuffer() override { --FRecording->BuffersAlive; }

  HRESULT Lock(uint32_t offset, uint32_t size, uint8_t** data, uint32_t flags) override {
    const HRESULT result = FRecording->Record(Call("Lock", {offset, size, flags}, this));
    if (FAILED(result) || offset > Data.size()) return FAILED(result) ? result : D3DERR_INVALIDCALL;
    *data = Data.data() + offset;
    return result;
  }
  HRESULT Unlock() override { return FRecording->Record(Call("Unlock", {}, this)); }

  std::vector<uint8_t> Data;

 private:
  std::shared_ptr<TRecording> FRecording;
};

class TRecordingDeviceImpl : public IDirect3DDevice8 {
 public:
  explicit TRecordingDeviceImpl(std::shared_ptr<TRecording> recording)
      : FRecording(std::move(recording)) {
    ++FRecording->DevicesAlive;
  }
  ~TRecordingDeviceImpl() override { --FRecording->DevicesAlive; }

  HRESULT Reset(D3DPRESENT_PARAMETERS* p) override {
    return FRecording->Record(Call("Reset", {p->BackBufferWidth, p->BackBufferHeight}));
  }
  HRESULT Present() override { return FRecording->Record(Call("Present", {})); }
  HRESULT BeginScene() override { return FRecording->Record(Call("BeginScene", {})); }
  HRESULT EndScene() override { return FRecording->Record(Call("EndScene", {})); }
  HRESULT SetRenderState(int state, uint32_t value) override {
    const HRESULT result = FRecording->Record(Call("SetRenderState", {state, value}));
    if (SUCCEEDED(result)) FRecording->RenderStates[state] = value;
    return result;
  }
  HRESULT SetTextureStageState(uint32_t stage, int type, uint32_t value) override {
    const HRESULT result = FRecording->Record(Call("SetTextureStageState", {stage, type, value}));
    if (SUCCEEDED(result) && stage == 0) FRecording->StageStates[type] = value;
    return result;
  }
  HRESULT SetTexture(uint32_t stage, IDirect3DTexture8* texture) override {
    const HRESULT result = FRecording->Record(Call("SetTexture", {stage}, texture));
    if (SUCCEEDED(result) && stage == 0) FRecording->BoundTexture = texture;
    return result;
  }
  HRESULT SetViewport(const D3DVIEWPORT8* v) override {
    const HRESULT result =
        FRecording->Record(Call("SetViewport", {v->X, v->Y, v->Width, v->Height}));
    if (SUCCEEDED(result)) FRecording->Viewport = *v;
    return result;
  }
  HRESULT CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t fvf, int pool,
                             PDirect3DVertexBuffer8* buffer) override {
    const HRESULT result =
        FRecording->Record(Call("CreateVertexBuffer", {length, usage, fvf, pool}));
    if (SUCCEEDED(result)) *buffer = std::make_unique<TRecordingVertexBuffer>(FRecording, length);
    return result;
  }
  HRESULT SetStreamSource(uint32_t stream, IDirect3DVertexBuffer8* buffer,
                          uint32_t stride) override {
    const HRESULT result = FRecording->Record(Call("SetStreamSource", {stream, stride}, buffer));
    if (SUCCEEDED(result)) FStream = static_cast<TRecordingVertexBuffer*>(buffer);
    return result;
  }
  HRESULT SetVertexShader(uint32_t fvf) override {
    return FRecording->Record(Call("SetVertexShader", {fvf}));
  }
  HRESULT DrawPrimitive(int type, uint32_t start, uint32_t count) override {
    TRecordedCall call = Call("DrawPrimitive", {type, start, count}, FStream);
    const uint32_t vertices = type == D3DPT_TRIANGLESTRIP ? count + 2 : count * 3;
    if (FStream != nullptr && (start + vertices) * sizeof(TVertex) <= FStream->Data.size()) {
      call.Vertices.resize(vertices);
      std::memcpy(call.Vertices.data(), FStream->Data.data() + start * sizeof(TVertex),
                  vertices * sizeof(TVertex));
    }
    return FRecording->Record(std::move(call));
  }
  HRESULT CreateTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage,
                        int format, int pool, PDirect3DTexture8* texture) override {
    HRESULT result =
        FRecording->Record(Call("CreateTexture", {width, height, levels, usage, format, pool}));
    if (SUCCEEDED(result) && BytesPerTexel(format) == 0) result = D3DERR_INVALIDCALL;
    if (SUCCEEDED(result)) {
      *texture = std::make_shared<TRecordingTexture>(FRecording, int(width), int(height), format);
      FRecording->Calls.back().Object = texture->get();
    }
    return result;
  }

 private:
  std::shared_ptr<TRecording> FRecording;
  TRecordingVertexBuffer* FStream = nullptr;
};

class TRecordingDirect3D : public IDirect3D8 {
 public:
  explicit TRecordingDirect3D(std::shared_ptr<TRecording> recording)
      : FRecording(std::move(recording)) {
    ++FRecording->DirectObjectsAlive;
  }
  ~TRecordingDirect3D() override { --FRecording->DirectObjectsAlive; }

  HRESULT GetDeviceCaps(uint32_t adapter, int type, D3DCAPS8* caps) override {
    caps->DeviceType = type;
    caps->MaxTextureWidth = caps->MaxTextureHeight = 4096;
    return FRecording->Record(Call("GetDeviceCaps", {adapter, type}));
  }
  HRESULT GetAdapterIdentifier(uint32_t adapter, uint32_t flags,
                               D3DADAPTER_IDENTIFIER8* id) override {
    std::strncpy(id->Driver, FRecording->Driver.c_str(), sizeof(id->Driver) - 1);
    std::strncpy(id->Description, FRecording->Description.c_str(), sizeof(id->Description) - 1);
    return FRecording->Record(Call("GetAdapterIdentifier", {adapter, flags}));
  }
  HRESULT GetAdapterDisplayMode(uint32_t adapter, D3DDISPLAYMODE* mode) override {
    *mode = FRecording->Desktop;
    return FRecording->Record(Call("GetAdapterDisplayMode", {adapter}));
  }
  uint32_t GetAdapterModeCount(uint32_t adapter) override {
    FRecording->Record(Call("GetAdapterModeCount", {adapter}));
    return static_cast<uint32_t>(FRecording->Modes.size());
  }
  HRESULT EnumAdapterModes(uint32_t adapter, uint32_t index, D3DDISPLAYMODE* mode) override {
    const HRESULT result = FRecording->Record(Call("EnumAdapterModes", {adapter, index}));
    if (index >= FRecording->Modes.size()) return D3DERR_INVALIDCALL;
    if (SUCCEEDED(result)) *mode = FRecording->Modes[index];
    return result;
  }
  HRESULT CreateDevice(uint32_t adapter, int type, void*, uint32_t behaviour,
                       D3DPRESENT_PARAMETERS* p, PDirect3DDevice8* device) override {
    const HRESULT result = FRecording->Record(
        Call("CreateDevice", {adapter, type, behaviour, p->BackBufferWidth, p->BackBufferHeight,
                              p->BackBufferFormat, p->Windowed}));
    if (SUCCEEDED(result)) *device = std::make_unique<TRecordingDeviceImpl>(FRecording);
    return result;
  }

 private:
  std::shared_ptr<TRecording> FRecording;
};

}  // namespace

void TRecording::Fail(const std::string& name, HRESULT code, int times, int skip) {
  FFailures[name] = {code, times, skip};
}

std::vector<const TRecordedCall*> TRecording::Named(const std::string& name) const {
  std::vector<const TRecordedCall*> found;
  for (const TRecordedCall& call : Calls)
    if (call.Name == name) found.push_back(&call);
  return found;
}

std::vector<std::string> TRecording::Names() const {
  std::vector<std::string> names;
  for (const TRecordedCall& call : Calls) names.push_back(call.Name);
  return names;
}

HRESULT TRecording::Record(TRecordedCall call) {
  const auto failure = FFailures.find(call.Name);
  if (failure != FFailures.end() && failure->second.Skip > 0) {
    --failure->second.Skip;
  } else if (failure != FFailures.end()) {
    call.Result = failure->second.Code;
    if (failure->second.Times > 0 && --failure->second.Times == 0) FFailures.erase(failure);
  }
  Calls.push_back(std::move(call));
  return Calls.back().Result;
}

TRecordingTexture::TRecordingTexture(std::shared_ptr<TRecording> recording, int width, int height,
                                     int format)
    : Width(width),
      Height(height),
      Format(format),
      BytesPerTexel(marblix::BytesPerTexel(format)),
      Bits(static_cast<size_t>(width) * height * BytesPerTexel),
      FRecording(std::move(recording)) {
  ++FRecording->TexturesAlive;
}

TRecordingTexture::~TRecordingTexture() {
  --FRecording->TexturesAlive;
}

HRESULT TRecordingTexture::LockRect(uint32_t level, D3DLOCKED_RECT* locked, const void*,
                                    uint32_t flags) {
  const HRESULT result = FRecording->Record(Call("LockRect", {level, flags}, this));
  if (FAILED(result)) return result;
  locked->pBits = Bits.data();
  locked->Pitch = Width * BytesPerTexel;
  Locked = true;
  return result;
}

HRESULT TRecordingTexture::UnlockRect(uint32_t level) {
  Locked = false;
  TRecordedCall call = Call("UnlockRect", {level}, this);
  if (FRecording->KeepTexels) call.Texels = Bits;
  return FRecording->Record(std::move(call));
}

uint32_t TRecordingTexture::Texel(int x, int y) const {
  uint32_t value = 0;
  std::memcpy(&value, Bits.data() + (static_cast<size_t>(y) * Width + x) * BytesPerTexel,
              BytesPerTexel);
  return value;
}

TDirect3DCreate RecordingDirect3DCreate(std::shared_ptr<TRecording> recording) {
  return [recording = std::move(recording)](uint32_t sdkVersion) -> PDirect3D8 {
    recording->Record(Call("Direct3DCreate8", {sdkVersion}));
    if (recording->CountOf("Direct3DCreate8") > 0 && FAILED(recording->Calls.back().Result))
      return nullptr;
    return std::make_unique<TRecordingDirect3D>(recording);
  };
}

}  // namespace marblix
