// The audio library's calls, forwarded to the one installed back end.
#include "sound/Bass.h"

namespace marblix {

namespace {

// No audio library at all, as when the shared library is missing: version 0, every call fails.
class TNoAudioLibrary final : public TAudioLibrary {
 public:
  DWORD GetVersion() override { return 0; }
  bool Init(int, DWORD, DWORD, void*, const void*) override { return false; }
  bool Start() override { return false; }
  HSAMPLE SampleLoad(bool, const std::string&, DWORD, DWORD, DWORD, DWORD) override { return 0; }
  HCHANNEL SamplePlayEx(HSAMPLE, DWORD, int, int, int, int) override { return 0; }
  bool SampleStop(HSAMPLE) override { return false; }
  HSTREAM StreamCreateFile(bool, const std::string&, DWORD, DWORD, DWORD) override { return 0; }
  bool StreamPlay(HSTREAM, bool, DWORD) override { return false; }
  bool ChannelSetAttributes(DWORD, int, int, int) override { return false; }
  bool ChannelPause(DWORD) override { return false; }
  bool ChannelResume(DWORD) override { return false; }
};

// The process-wide audio library, like the one shared library it stands for.
std::unique_ptr<TAudioLibrary>& InstalledLibrary() {
  static std::unique_ptr<TAudioLibrary> library;
  return library;
}

}  // namespace

TAudioLibrary& AudioLibrary() {
  std::unique_ptr<TAudioLibrary>& library = InstalledLibrary();
  if (!library) library = std::make_unique<TNoAudioLibrary>();
  return *library;
}

std::unique_ptr<TAudioLibrary> InstallAudioLibrary(std::unique_ptr<TAudioLibrary> library) {
  std::unique_ptr<TAudioLibrary> previous = std::move(InstalledLibrary());
  InstalledLibrary() = std::move(library);
  return previous;
}

DWORD BASS_GetVersion() {
  return AudioLibrary().GetVersion();
}

bool BASS_Init(int device, DWORD freq, DWORD flags, void* window, const void* clsid) {
  return AudioLibrary().Init(device, freq, flags, window, clsid);
}

bool BASS_Start() {
  return AudioLibrary().Start();
}

HSAMPLE BASS_SampleLoad(bool mem, const std::string& file, DWORD offset, DWORD length, DWORD max,
                        DWORD flags) {
  return AudioLibrary().SampleLoad(mem, file, offset, length, max, flags);
}

HCHANNEL BASS_SamplePlayEx(HSAMPLE sample, DWORD start, int freq, int volume, int pan, int loop) {
  return AudioLibrary().SamplePlayEx(sample, start, freq, volume, pan, loop);
}

bool BASS_SampleStop(HSAMPLE sample) {
  return AudioLibrary().SampleStop(sample);
}

HSTREAM BASS_StreamCreateFile(bool mem, const std::string& file, DWORD offset, DWORD length,
                              DWORD flags) {
  return AudioLibrary().StreamCreateFile(mem, file, offset, length, flags);
}

bool BASS_StreamPlay(HSTREAM stream, bool flush, DWORD flags) {
  return AudioLibrary().StreamPlay(stream, flush, flags);
}

bool BASS_ChannelSetAttributes(DWORD handle, int freq, int volume, int pan) {
  return AudioLibrary().ChannelSetAttributes(handle, freq, volume, pan);
}

bool BASS_ChannelPause(DWORD handle) {
  return AudioLibrary().ChannelPause(handle);
}

bool BASS_ChannelResume(DWORD handle) {
  return AudioLibrary().ChannelResume(handle);
}

std::string SoundOffReason() {
  return AudioLibrary().SoundOffReason();
}

}  // namespace marblix
