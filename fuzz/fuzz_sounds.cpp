// Fuzz target: the sound list "sounds.txt", read into the sound table over a silent audio library.
#include <cstdlib>
#include <memory>

#include "FuzzScratch.h"
#include "sound/Bass.h"
#include "sound/sounds.h"

namespace {

// Hands out a fresh handle for every load and plays nothing.
class TCountingAudio final : public marblix::TAudioLibrary {
 public:
  marblix::DWORD GetVersion() override { return marblix::BASS_VERSION; }
  bool Init(int, marblix::DWORD, marblix::DWORD, void*, const void*) override { return true; }
  bool Start() override { return true; }
  marblix::HSAMPLE SampleLoad(bool, const std::string&, marblix::DWORD, marblix::DWORD,
                              marblix::DWORD, marblix::DWORD) override {
    return ++Handles;
  }
  marblix::HCHANNEL SamplePlayEx(marblix::HSAMPLE, marblix::DWORD, int, int, int, int) override {
    return 0;
  }
  bool SampleStop(marblix::HSAMPLE) override { return true; }
  marblix::HSTREAM StreamCreateFile(bool, const std::string&, marblix::DWORD, marblix::DWORD,
                                    marblix::DWORD) override {
    return ++Handles;
  }
  bool StreamPlay(marblix::HSTREAM, bool, marblix::DWORD) override { return true; }
  bool ChannelSetAttributes(marblix::DWORD, int, int, int) override { return true; }
  bool ChannelPause(marblix::DWORD) override { return true; }
  bool ChannelResume(marblix::DWORD) override { return true; }

  marblix::DWORD Handles = 0;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  marblix::InstallAudioLibrary(std::make_unique<TCountingAudio>());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = marblix::fuzz::WriteInput("sounds.txt", data, size);
  marblix::GameSounds = marblix::TSoundTable{};
  if (!marblix::LoadSoundTable([](const std::string&) {}, path)) std::abort();
  // Entry 0 of every per-look table belongs to no look and must stay silent.
  const marblix::TSoundTable& t = marblix::GameSounds;
  if (t.KindHoverSounds[0] || t.KindBlastSounds[0] || t.KindArriveSounds[0] ||
      t.KindVanishSounds[0] || t.KindSelectSounds[0].a || t.KindSelectSounds[0].b ||
      t.KindSelectSounds[0].c || t.KindSelectSounds[0].d)
    std::abort();
  return 0;
}
