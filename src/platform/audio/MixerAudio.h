// The audio library over SDL2_mixer: samples on mixer channels, one music stream, a silent output
// without a sound card.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/AudioLibrary.h"

struct Mix_Chunk;
struct _Mix_Music;

namespace marblix {

// SDL2_mixer keeps one output per process, so only one of these may be open at a time.
class TMixerAudio final : public TAudioLibrary {
 public:
  TMixerAudio();
  ~TMixerAudio() override;
  TMixerAudio(const TMixerAudio&) = delete;
  TMixerAudio& operator=(const TMixerAudio&) = delete;

  DWORD GetVersion() override;
  bool Init(int device, DWORD freq, DWORD flags, void* window, const void* clsid) override;
  bool Start() override;
  HSAMPLE SampleLoad(bool mem, const std::string& file, DWORD offset, DWORD length, DWORD max,
                     DWORD flags) override;
  HCHANNEL SamplePlayEx(HSAMPLE handle, DWORD start, int freq, int volume, int pan,
                        int loop) override;
  bool SampleStop(HSAMPLE sample) override;
  HSTREAM StreamCreateFile(bool mem, const std::string& file, DWORD offset, DWORD length,
                           DWORD flags) override;
  bool StreamPlay(HSTREAM handle, bool flush, DWORD flags) override;
  bool ChannelSetAttributes(DWORD handle, int freq, int volume, int pan) override;
  bool ChannelPause(DWORD handle) override;
  bool ChannelResume(DWORD handle) override;

  // True once Init has an output (a sound card or the silent one).
  bool IsOpen() const { return Open; }
  // True when Init found no sound card: everything works but nobody hears it.
  bool IsSilent() const { return Silent; }
  // Set when Init fell back to the silent output: the sound card's failure.
  std::string SoundOffReason() const override { return OffReason; }
  // How many plays of the sample sound (or wait paused) right now.
  int PlaysOf(HSAMPLE sample) const;
  // Whether a play of a sample or a stream is sounding (not paused, not finished).
  bool IsPlaying(DWORD handle) const;
  // The mixer volume (0..128) of a play of a sample or of the music; -1 for an unknown handle.
  int MixerVolumeOf(DWORD handle) const;

 private:
  struct ChunkFree {
    void operator()(Mix_Chunk* chunk) const;
  };
  struct MusicFree {
    void operator()(_Mix_Music* music) const;
  };
  struct Sample {
    std::unique_ptr<Mix_Chunk, ChunkFree> Chunk;
    DWORD MaxPlays = 1;
    bool Loop = false;
  };
  struct Stream {
    std::unique_ptr<_Mix_Music, MusicFree> Music;
    bool Loop = false;
    int Volume = 100;
  };
  // What a mixer channel plays: the handle of that play and its sample.
  struct Play {
    HCHANNEL Handle = 0;
    HSAMPLE Sample = 0;
  };

  bool OpenOutput(DWORD freq);
  bool OpenSilentOutput(DWORD freq);
  void CloseOutput();
  int FreeChannel();
  int ChannelOf(HCHANNEL handle) const;
  void ApplyMusicVolume(const Stream& stream);
  DWORD NewHandle() { return NextHandle++; }

  bool Open = false;
  bool Silent = false;
  bool AudioSubsystemUp = false;
  std::string OffReason;
  DWORD NextHandle = 1;
  HSTREAM PlayingStream = 0;
  std::map<HSAMPLE, Sample> Samples;
  std::map<HSTREAM, Stream> Streams;
  std::vector<Play> Channels;
};

}  // namespace marblix
