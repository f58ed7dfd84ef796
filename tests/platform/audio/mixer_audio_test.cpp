// The SDL2_mixer audio library on the silent output: handles, plays per sample, stopping, volumes,
// the stream.
#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>

#include "platform/audio/MixerAudio.h"
#include "support/TempDir.h"

namespace marblix {
namespace {

namespace fs = std::filesystem;

// Writes a mono 16-bit WAV of a sine tone lasting the given milliseconds.
void WriteTone(const fs::path& path, int milliseconds) {
  const uint32_t rate = 22050;
  const uint32_t samples = rate * static_cast<uint32_t>(milliseconds) / 1000;
  const uint32_t dataBytes = samples * 2;
  std::ofstream out(path, std::ios::binary);
  const auto put32 = [&out](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
  const auto put16 = [&out](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
  out.write("RIFF", 4);
  put32(36 + dataBytes);
  out.write("WAVEfmt ", 8);
  put32(16);
  put16(1);
  put16(1);
  put32(rate);
  put32(rate * 2);
  put16(2);
  put16(16);
  out.write("data", 4);
  put32(dataBytes);
  for (uint32_t i = 0; i < samples; ++i) {
    put16(static_cast<uint16_t>(static_cast<int16_t>(8000 * std::sin(i * 0.1))));
  }
}

class MixerAudioTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Folder = std::make_unique<testing::TTempDir>("marblix_audio");
    Dir = Folder->Path;
    WriteTone(Dir / "short.wav", 40);
    WriteTone(Dir / "long.wav", 2000);
  }
  static void TearDownTestSuite() { Folder.reset(); }

  void SetUp() override { ASSERT_TRUE(Audio.Init(1, 44100, 0, nullptr, nullptr)); }

  HSAMPLE Load(const char* file, DWORD max = 32) {
    return Audio.SampleLoad(false, (Dir / file).string(), 0, 0, max, BASS_SAMPLE_LOOP);
  }
  HCHANNEL PlayLooped(HSAMPLE sample) { return Audio.SamplePlayEx(sample, 0, -1, 100, -1, -1); }

  static inline std::unique_ptr<testing::TTempDir> Folder;
  static inline fs::path Dir;
  TMixerAudio Audio;
};

TEST_F(MixerAudioTest, ReportsVersionTwoAndOpensWithoutASoundCard) {
  EXPECT_EQ(Audio.GetVersion(), 2u);
  EXPECT_TRUE(Audio.IsOpen());
  EXPECT_TRUE(Audio.Start());
  EXPECT_FALSE(Audio.Init(1, 44100, 0, nullptr, nullptr)) << "a second Init is refused";
}

TEST_F(MixerAudioTest, HandleZeroAndMissingFilesPlayNothing) {
  EXPECT_EQ(Audio.SampleLoad(false, (Dir / "absent.ogg").string(), 0, 0, 32, 4), 0u);
  EXPECT_EQ(Audio.StreamCreateFile(false, (Dir / "absent.ogg").string(), 0, 0, 0), 0u);
  EXPECT_EQ(Audio.SamplePlayEx(0, 0, -1, 100, -1, 0), 0u);
  EXPECT_FALSE(Audio.SampleStop(0));
  EXPECT_FALSE(Audio.StreamPlay(0, false, BASS_SAMPLE_LOOP));
  EXPECT_FALSE(Audio.ChannelSetAttributes(0, 44100, 50, 0));
  EXPECT_FALSE(Audio.ChannelPause(0));
  EXPECT_FALSE(Audio.ChannelResume(0));
  EXPECT_EQ(Audio.PlaysOf(0), 0);
}

TEST_F(MixerAudioTest, OneSampleSoundsAtMostItsMaximumAtOnce) {
  const HSAMPLE sample = Load("long.wav", 32);
  ASSERT_NE(sample, 0u);
  for (int play = 0; play < 32; ++play) ASSERT_NE(PlayLooped(sample), 0u) << play;
  EXPECT_EQ(PlayLooped(sample), 0u) << "the 33rd play is refused";
  EXPECT_EQ(Audio.PlaysOf(sample), 32);

  const HSAMPLE other = Load("long.wav", 32);
  EXPECT_NE(PlayLooped(other), 0u) << "another sample still has room";
}

TEST_F(MixerAudioTest, StoppingASampleStopsEveryPlayOfItAndNoOther) {
  const HSAMPLE sample = Load("long.wav");
  const HSAMPLE other = Load("long.wav");
  const HCHANNEL first = PlayLooped(sample);
  const HCHANNEL second = PlayLooped(sample);
  const HCHANNEL kept = PlayLooped(other);
  ASSERT_TRUE(Audio.IsPlaying(first) && Audio.IsPlaying(second) && Audio.IsPlaying(kept));

  EXPECT_TRUE(Audio.SampleStop(sample));
  EXPECT_FALSE(Audio.IsPlaying(first));
  EXPECT_FALSE(Audio.IsPlaying(second));
  EXPECT_EQ(Audio.PlaysOf(sample), 0);
  EXPECT_TRUE(Audio.IsPlaying(kept));
  EXPECT_NE(PlayLooped(sample), 0u) << "a stopped sample plays again";
}

TEST_F(MixerAudioTest, LoopZeroPlaysOnceWhileLoopMinusOneKeepsTheSamplesLoop) {
  const HSAMPLE sample = Load("short.wav");
  const HCHANNEL once = Audio.SamplePlayEx(sample, 0, -1, 100, -1, 0);
  const HCHANNEL looped = Audio.SamplePlayEx(sample, 0, -1, 100, -1, -1);
  ASSERT_NE(once, 0u);
  ASSERT_NE(looped, 0u);
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  EXPECT_FALSE(Audio.IsPlaying(once));
  EXPECT_TRUE(Audio.IsPlaying(looped));
}

TEST_F(MixerAudioTest, VolumesRunFromZeroToAHundred) {
  const HSAMPLE sample = Load("long.wav");
  const HCHANNEL half = Audio.SamplePlayEx(sample, 0, -1, 50, -1, -1);
  const HCHANNEL full = Audio.SamplePlayEx(sample, 0, -1, 100, -1, -1);
  const HCHANNEL mute = Audio.SamplePlayEx(sample, 0, -1, 0, -1, -1);
  EXPECT_EQ(Audio.MixerVolumeOf(half), 64);
  EXPECT_EQ(Audio.MixerVolumeOf(full), 128);
  EXPECT_EQ(Audio.MixerVolumeOf(mute), 0);
  EXPECT_TRUE(Audio.ChannelSetAttributes(half, 44100, 25, 0));
  EXPECT_EQ(Audio.MixerVolumeOf(half), 32);
}

TEST_F(MixerAudioTest, TheMusicStreamLoopsTakesItsVolumeAndPauses) {
  const HSTREAM music = Audio.StreamCreateFile(false, (Dir / "short.wav").string(), 0, 0, 0);
  ASSERT_NE(music, 0u);
  EXPECT_TRUE(Audio.ChannelSetAttributes(music, 44100, 50, 0)) << "set before playing";
  ASSERT_TRUE(Audio.StreamPlay(music, false, BASS_SAMPLE_LOOP));
  EXPECT_EQ(Audio.MixerVolumeOf(music), 64);
  EXPECT_TRUE(Audio.ChannelSetAttributes(music, 44100, 100, 0));
  EXPECT_EQ(Audio.MixerVolumeOf(music), 128);

  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_TRUE(Audio.IsPlaying(music)) << "a looping stream outlives its 40 ms";
  EXPECT_TRUE(Audio.ChannelPause(music));
  EXPECT_FALSE(Audio.IsPlaying(music));
  EXPECT_TRUE(Audio.ChannelResume(music));
  EXPECT_TRUE(Audio.IsPlaying(music));
}

TEST(MixerAudioSilence, DeviceZeroAndNoInitStillAnswerEveryCall) {
  TMixerAudio notStarted;
  EXPECT_EQ(notStarted.SampleLoad(false, "x.ogg", 0, 0, 32, 4), 0u);
  EXPECT_EQ(notStarted.SamplePlayEx(1, 0, -1, 100, -1, 0), 0u);
  EXPECT_FALSE(notStarted.StreamPlay(1, false, 4));

  TMixerAudio silent;
  ASSERT_TRUE(silent.Init(0, 44100, 0, nullptr, nullptr));
  EXPECT_TRUE(silent.IsSilent());
  EXPECT_STREQ(SDL_GetCurrentAudioDriver(), "dummy");
}

// Plays the tone at the volume through SDL's disk driver; true when the written mix holds any
// sound.
bool MixHoldsSound(const fs::path& tone, const fs::path& mix, int volume) {
  const char* previous = std::getenv("SDL_AUDIODRIVER");
  const std::string saved = previous != nullptr ? previous : "";
  ::setenv("SDL_AUDIODRIVER", "disk", 1);
  ::setenv("SDL_DISKAUDIOFILE", mix.c_str(), 1);
  {
    TMixerAudio audio;
    EXPECT_TRUE(audio.Init(1, 44100, 0, nullptr, nullptr));
    EXPECT_FALSE(audio.IsSilent());
    const HSAMPLE sample = audio.SampleLoad(false, tone.string(), 0, 0, 32, BASS_SAMPLE_LOOP);
    EXPECT_NE(audio.SamplePlayEx(sample, 0, -1, volume, -1, -1), 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
  }
  if (previous != nullptr) {
    ::setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
  } else {
    ::unsetenv("SDL_AUDIODRIVER");
  }
  std::ifstream in(mix, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_GT(bytes.size(), 1000u) << "the disk driver wrote the mix";
  return bytes.find_first_not_of('\0') != std::string::npos;
}

TEST(MixerAudioOutput, APlayReachesTheOutputAndVolumeZeroIsSilent) {
  const testing::TTempDir folder("marblix_mix");
  const fs::path& dir = folder.Path;
  WriteTone(dir / "tone.wav", 2000);
  EXPECT_TRUE(MixHoldsSound(dir / "tone.wav", dir / "loud.raw", 100));
  EXPECT_FALSE(MixHoldsSound(dir / "tone.wav", dir / "mute.raw", 0));
}

}  // namespace
}  // namespace marblix
