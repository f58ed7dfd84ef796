// The audio library layer reaches the back end the program installed, and no other.
#include <gtest/gtest.h>

#include "sound/Bass.h"
#include "support/RecordingAudio.h"

namespace marblix {
namespace {

TEST(AudioLibrary, WithoutAnInstalledBackEndThereIsNoLibrary) {
  TScopedAudioLibrary none(nullptr);
  EXPECT_EQ(BASS_GetVersion(), 0u) << "the loader then goes on silent";
  EXPECT_FALSE(BASS_Init(1, 44100, 0, nullptr, nullptr));
  EXPECT_EQ(BASS_SampleLoad(false, "./sounds/click.ogg", 0, 0, 32, 0), 0u);
  EXPECT_EQ(BASS_StreamCreateFile(false, "./music/theme.ogg", 0, 0, 0), 0u);
}

TEST(AudioLibrary, AnInstalledBackEndTakesTheCallsUntilItsScopeEnds) {
  TScopedAudioLibrary none(nullptr);
  {
    TScopedAudioLibrary installed(std::make_unique<TRecordingAudio>());
    auto& audio = static_cast<TRecordingAudio&>(AudioLibrary());
    EXPECT_EQ(BASS_GetVersion(), BASS_VERSION);
    EXPECT_NE(BASS_SampleLoad(false, "./sounds/click.ogg", 0, 0, 32, 0), 0u);
    EXPECT_EQ(audio.CallsOf("BASS_SampleLoad").size(), 1u);
  }
  EXPECT_EQ(BASS_GetVersion(), 0u);
}

}  // namespace
}  // namespace marblix
