// The recording audio library that other tests rely on: every call written down, handles traceable
// to files.
#include <gtest/gtest.h>

#include "support/RecordingAudio.h"

namespace marblix {
namespace {

TEST(RecordingAudio, WritesEveryCallWithItsArgumentsAndResult) {
  TRecordingAudio audio;
  audio.MissingFiles.insert("./sounds/none.ogg");
  EXPECT_EQ(audio.GetVersion(), 2u);
  audio.Init(1, 44100, 0, nullptr, nullptr);
  const HSAMPLE click = audio.SampleLoad(false, "./sounds/click.ogg", 0, 0, 32, 4);
  const HSAMPLE none = audio.SampleLoad(false, "./sounds/none.ogg", 0, 0, 32, 4);
  audio.SamplePlayEx(click, 0, -1, 70, -1, 0);
  audio.SamplePlayEx(none, 0, -1, 70, -1, 0);
  audio.SampleStop(click);

  EXPECT_EQ(none, 0u);
  EXPECT_EQ(audio.FileOf(click), "./sounds/click.ogg");
  const std::vector<std::string> expected = {
      "BASS_GetVersion() = 2",
      "BASS_Init(1, 44100, 0, nil, nil) = 1",
      "BASS_SampleLoad(0, ./sounds/click.ogg, 0, 0, 32, 4) = 1",
      "BASS_SampleLoad(0, ./sounds/none.ogg, 0, 0, 32, 4) = 0",
      "BASS_SamplePlayEx(1, 0, -1, 70, -1, 0) = 2",
      "BASS_SamplePlayEx(0, 0, -1, 70, -1, 0) = 0",
      "BASS_SampleStop(1) = 1",
  };
  EXPECT_EQ(audio.Calls, expected);
  EXPECT_EQ(audio.PlayedFiles(), (std::vector<std::string>{"./sounds/click.ogg", ""}));
  EXPECT_EQ(audio.CallsOf("BASS_SampleStop"), (std::vector<std::string>{"BASS_SampleStop(1) = 1"}));
}

}  // namespace
}  // namespace marblix
