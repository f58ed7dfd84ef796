// The audio library's calls as the game makes them; they go to the back end the program installs.
#pragma once

#include <memory>
#include <string>

#include "platform/audio/AudioLibrary.h"

namespace marblix {

DWORD BASS_GetVersion();
bool BASS_Init(int device, DWORD freq, DWORD flags, void* window, const void* clsid);
bool BASS_Start();
HSAMPLE BASS_SampleLoad(bool mem, const std::string& file, DWORD offset, DWORD length, DWORD max,
                        DWORD flags);
HCHANNEL BASS_SamplePlayEx(HSAMPLE sample, DWORD start, int freq, int volume, int pan, int loop);
bool BASS_SampleStop(HSAMPLE sample);
HSTREAM BASS_StreamCreateFile(bool mem, const std::string& file, DWORD offset, DWORD length,
                              DWORD flags);
bool BASS_StreamPlay(HSTREAM stream, bool flush, DWORD flags);
bool BASS_ChannelSetAttributes(DWORD handle, int freq, int volume, int pan);
bool BASS_ChannelPause(DWORD handle);
bool BASS_ChannelResume(DWORD handle);
// Why the library plays to nobody after BASS_Init (no sound device); empty while sound is on.
std::string SoundOffReason();

// The back end the calls above reach. Until one is installed, there is no audio library: its
// version is 0, nothing loads and nothing plays.
TAudioLibrary& AudioLibrary();
// Installs a back end for the rest of the run (or until the next install); returns the previous
// one.
std::unique_ptr<TAudioLibrary> InstallAudioLibrary(std::unique_ptr<TAudioLibrary> library);

// Installs a back end for one scope and puts the previous one back at its end (tests).
class TScopedAudioLibrary {
 public:
  explicit TScopedAudioLibrary(std::unique_ptr<TAudioLibrary> library)
      : Previous(InstallAudioLibrary(std::move(library))) {}
  ~TScopedAudioLibrary() { InstallAudioLibrary(std::move(Previous)); }
  TScopedAudioLibrary(const TScopedAudioLibrary&) = delete;
  TScopedAudioLibrary& operator=(const TScopedAudioLibrary&) = delete;

 private:
  std::unique_ptr<TAudioLibrary> Previous;
};

}  // namespace marblix
