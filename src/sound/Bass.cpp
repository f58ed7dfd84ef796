// The audio library's calls, forwarded to the one installed back end.
#include "sound/Bass.h"

#include "platform/audio/MixerAudio.h"

namespace marblix {

namespace {

// The process-wide audio library, like the one shared library it stands for.
std::unique_ptr<TAudioLibrary>& InstalledLibrary() {
  static std::unique_ptr<TAudioLibrary> library;
  return library;
}

}  // namespace

TAudioLibrary& AudioLibrary() {
  std::unique_ptr<TAudioLibrary>& library = InstalledLibrary();
  if (!library) library = std::make_unique<TMixerAudio>();
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
