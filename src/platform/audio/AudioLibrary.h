// The seam behind the audio library's eleven calls: handles, flags and the interface every back end
// implements.
#pragma once

#include <cstdint>
#include <string>

namespace marblix {

using DWORD = uint32_t;
using HSAMPLE = uint32_t;   // a loaded sample; 0 = none
using HSTREAM = uint32_t;   // a music stream; 0 = none
using HCHANNEL = uint32_t;  // one play of a sample; 0 = none

// Sample and stream flag: loop the sound.
inline constexpr DWORD BASS_SAMPLE_LOOP = 4;
// The interface version this library reports: major 2 in the low word, minor 0 in the high word.
inline constexpr DWORD BASS_VERSION = 2;

// One audio library. Every call tolerates handle 0 and unknown handles by doing nothing.
class TAudioLibrary {
 public:
  virtual ~TAudioLibrary() = default;

  virtual DWORD GetVersion() = 0;
  // device: 1 = the default output; freq in Hz; window: the main window (unused by our back ends).
  virtual bool Init(int device, DWORD freq, DWORD flags, void* window, const void* clsid) = 0;
  virtual bool Start() = 0;
  // max: at most this many simultaneous plays; flags: BASS_SAMPLE_LOOP makes looping the default.
  virtual HSAMPLE SampleLoad(bool mem, const std::string& file, DWORD offset, DWORD length,
                             DWORD max, DWORD flags) = 0;
  // freq -1 and pan -1 keep the sample's defaults; volume 0..100; loop 0 once, 1 looped,
  // -1 the sample's own setting.
  virtual HCHANNEL SamplePlayEx(HSAMPLE sample, DWORD start, int freq, int volume, int pan,
                                int loop) = 0;
  // Stops every play of the sample.
  virtual bool SampleStop(HSAMPLE sample) = 0;
  virtual HSTREAM StreamCreateFile(bool mem, const std::string& file, DWORD offset, DWORD length,
                                   DWORD flags) = 0;
  virtual bool StreamPlay(HSTREAM stream, bool flush, DWORD flags) = 0;
  // Works on a stream or on one play of a sample; volume 0..100, -1 leaves a value unchanged.
  virtual bool ChannelSetAttributes(DWORD handle, int freq, int volume, int pan) = 0;
  virtual bool ChannelPause(DWORD handle) = 0;
  virtual bool ChannelResume(DWORD handle) = 0;
  // Why Init found no sound output and the library plays to nobody; empty while sound is on.
  virtual std::string SoundOffReason() const { return {}; }
};

}  // namespace marblix
