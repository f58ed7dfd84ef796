// The board's sound slots reach the samples sounds.txt named for them.
#include <gtest/gtest.h>

#include "sound/Bass.h"
#include "sound/BoardSounds.h"
#include "support/RecordingAudio.h"
#include "support/TempDir.h"

namespace marblix {
namespace {

TEST(BoardSounds, EverySlotNamePlaysTheFileListedUnderThatName) {
  TScopedAudioLibrary installed(std::make_unique<TRecordingAudio>());
  auto& audio = static_cast<TRecordingAudio&>(AudioLibrary());
  GameSounds = TSoundTable{};

  std::vector<SoundSlot> slots;
  for (uint8_t n = 0; n < 10; ++n) slots.push_back(SoundOf(static_cast<NamedSound>(n)));
  for (uint8_t look : {0, 5, 22}) {  // look 22 is N = 23, the bomb's fixed entries
    for (uint8_t sample = 0; sample < 4; ++sample) slots.push_back(SelectSoundOf(look, sample));
    slots.push_back(HoverSoundOf(look));
  }
  for (uint8_t look : {0, 21}) {
    slots.push_back(ArriveSoundOf(look));
    slots.push_back(VanishSoundOf(look));
  }
  slots.push_back({SoundTable::Blast, 4, 0});

  std::string list;
  for (const SoundSlot& slot : slots) {
    list += SoundSlotName(slot) + "\t./" + SoundSlotName(slot) + ".ogg\t1\n";
  }
  testing::TTempDir dir;
  ASSERT_TRUE(LoadSoundTable({}, dir.Write("sounds.txt", list)));

  TShellValues values;
  TBoardSounds sounds(values);
  std::vector<std::string> expected;
  for (const SoundSlot& slot : slots) {
    sounds.PlayEffect(slot);
    expected.push_back("./" + SoundSlotName(slot) + ".ogg");
  }
  // The fixed bomb samples replace what the list gave entry 23 (a and hover).
  expected[10 + 10] = "./sounds/a_bomb.ogg";
  expected[10 + 14] = "./sounds/h_bomb.ogg";
  EXPECT_EQ(audio.PlayedFiles(), expected);

  audio.ClearCalls();
  sounds.PlayEffect(ArriveSoundOf(22));  // outside the 22-entry table
  sounds.PlayEffectLooped(ABombSound);
  sounds.StopEffect(ABombSound);
  EXPECT_EQ(audio.PlayedFiles(), (std::vector<std::string>{"", "./sounds/a_bomb.ogg"}));
  EXPECT_EQ(audio.CallsOf("BASS_SampleStop").size(), 1u);
  GameSounds = TSoundTable{};
}

TEST(BoardSounds, EachPlayTakesTheSoundVolumeOfItsMoment) {
  TScopedAudioLibrary installed(std::make_unique<TRecordingAudio>());
  auto& audio = static_cast<TRecordingAudio&>(AudioLibrary());
  GameSounds = TSoundTable{};
  testing::TTempDir dir;
  ASSERT_TRUE(LoadSoundTable({}, dir.Write("sounds.txt", "s_pin\t./pin.ogg\t1\n")));
  TShellValues values;
  TBoardSounds sounds(values);
  values.SoundVolume = 80;
  sounds.PlayEffectLooped(SoundOf(NamedSound::s_pin));
  values.SoundVolume = 30;
  sounds.PlayEffect(SoundOf(NamedSound::s_pin));
  const auto plays = audio.CallsOf("BASS_SamplePlayEx");
  ASSERT_EQ(plays.size(), 2u);
  EXPECT_NE(plays[0].find(", 0, -1, 80, -1, -1)"), std::string::npos) << plays[0];
  EXPECT_NE(plays[1].find(", 0, -1, 30, -1, 0)"), std::string::npos) << plays[1];
  GameSounds = TSoundTable{};
}

}  // namespace
}  // namespace marblix
