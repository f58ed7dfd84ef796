// A render device that draws nothing: it records every call with its arguments (states, binds,
// locks, draws with their vertices) and fails any call on demand. Used by the tests.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "graphics/DirectXGraphics.h"

namespace marblix {

struct TRecordedCall {
  std::string Name;               // the operation, e.g. "SetRenderState", "DrawPrimitive"
  std::vector<int64_t> Args;      // its integer arguments in order
  const void* Object = nullptr;   // the texture or vertex buffer it was given
  std::vector<TVertex> Vertices;  // DrawPrimitive: the vertices drawn, in order
  std::vector<uint8_t> Texels;    // UnlockRect, when the recording keeps them: the texels given
  HRESULT Result = D3D_OK;
};

// The log and the failure rules, shared by the Direct3D object, its device and their resources.
class TRecording {
 public:
  // The named operation returns `code` for its next `times` calls (-1: until healed), after
  // first letting `skip` calls succeed.
  void Fail(const std::string& name, HRESULT code = E_FAIL, int times = -1, int skip = 0);
  void HealAll() { FFailures.clear(); }
  void Clear() { Calls.clear(); }

  std::vector<const TRecordedCall*> Named(const std::string& name) const;
  int CountOf(const std::string& name) const { return static_cast<int>(Named(name).size()); }
  // Names of all calls in order, for comparing call sequences.
  std::vector<std::string> Names() const;

  // Records a call and returns its result under the failure rules.
  HRESULT Record(TRecordedCall call);

  std::vector<TRecordedCall> Calls;
  // CreateTexture's Object is the texture made; UnlockRect keeps the texels when this is set.
  bool KeepTexels = false;
  std::vector<D3DDISPLAYMODE> Modes;  // what the adapter lists
  D3DDISPLAYMODE Desktop{800, 600, 60, D3DFMT_X8R8G8B8};
  std::string Driver = "recording";
  std::string Description = "Recording device";
  // The device's state as the calls left it.
  std::map<int, uint32_t> RenderStates;
  std::map<int, uint32_t> StageStates;  // stage 0
  const void* BoundTexture = nullptr;
  D3DVIEWPORT8 Viewport;
  int DirectObjectsAlive = 0;
  int DevicesAlive = 0;
  int TexturesAlive = 0;
  int BuffersAlive = 0;

 private:
  struct TFailure {
    HRESULT Code;
    int Times;
    int Skip;
  };
  std::map<std::string, TFailure> FFailures;
};

// A texture kept in memory; its texels can be read back.
class TRecordingTexture : public IDirect3DTexture8 {
 public:
  TRecordingTexture(std::shared_ptr<TRecording> recording, int width, int height, int format);
  ~TRecordingTexture() override;
  HRESULT LockRect(uint32_t level, D3DLOCKED_RECT* locked, const void* rect,
                   uint32_t flags) override;
  HRESULT UnlockRect(uint32_t level) override;

  // The raw texel (1, 2 or 4 bytes of the format, little-endian).
  uint32_t Texel(int x, int y) const;
  const int Width, Height, Format, BytesPerTexel;
  std::vector<uint8_t> Bits;
  bool Locked = false;

 private:
  std::shared_ptr<TRecording> FRecording;
};

// Makes recording Direct3D objects that share one log.
TDirect3DCreate RecordingDirect3DCreate(std::shared_ptr<TRecording> recording);

}  // namespace marblix
