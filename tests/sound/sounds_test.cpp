// The sound table: name rules, the fixed bomb entries, replaced slots, malformed lines and the
// three plays.
#include <gtest/gtest.h>

#include "shell/defs.h"
#include "sound/Bass.h"
#include "sound/sounds.h"
#include "support/RecordingAudio.h"
#include "support/TempDir.h"

namespace marblix {
namespace {

class SoundTableTest : public ::testing::Test {
 protected:
  SoundTableTest() : Installed(std::make_unique<TRecordingAudio>()) {
    Audio = static_cast<TRecordingAudio*>(&AudioLibrary());
    GameSounds = TSoundTable{};
    values.SoundVolume = 80;
  }
  ~SoundTableTest() override { GameSounds = TSoundTable{}; }

  // Loads a sounds.txt of the given contents; returns what was logged.
  std::vector<std::string> LoadList(const std::string& contents) {
    std::vector<std::string> log;
    EXPECT_TRUE(LoadSoundTable([&log](const std::string& line) { log.push_back(line); },
                               Dir.Write("sounds.txt", contents)));
    return log;
  }
  std::string FileOf(HSAMPLE sample) const { return Audio->FileOf(sample); }

  TScopedAudioLibrary Installed;
  TRecordingAudio* Audio = nullptr;
  testing::TTempDir Dir;
  TShellValues values;
};

TEST_F(SoundTableTest, NamedSlotsLoadTheirFilesWhateverTheNumber) {
  const auto log = LoadList(
      "s_click\t./sounds/click.ogg\t1.0\n"
      "s_hover\t./sounds/hover.ogg\t0\r\n"
      "S_app\t./sounds/wrong.ogg\t1.0\n");
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(FileOf(GameSounds[NamedSound::s_click]), "./sounds/click.ogg");
  EXPECT_EQ(FileOf(GameSounds[NamedSound::s_hover]), "./sounds/hover.ogg");
  EXPECT_EQ(GameSounds[NamedSound::s_app], 0u) << "names are case-sensitive";
  EXPECT_EQ(Audio->CallsOf("BASS_SampleLoad").front(),
            "BASS_SampleLoad(0, ./sounds/click.ogg, 0, 0, 32, 4) = 1");
}

TEST_F(SoundTableTest, LookNamesFillTheirTablesWithinRange) {
  LoadList(
      "_a1\t./a1.ogg\t1\n_d7\t./d7.ogg\t1\n_h3\t./h3.ogg\t1\n_f5\t./f5.ogg\t1\n"
      "_r22\t./r22.ogg\t1\n_r23\t./r23.ogg\t1\n_o1\t./o1.ogg\t1\n_o0\t./o0.ogg\t1\n"
      "_x4\t./x4.ogg\t1\n_a24\t./a24.ogg\t1\n");
  EXPECT_EQ(FileOf(GameSounds.KindSelectSounds[1].a), "./a1.ogg");
  EXPECT_EQ(FileOf(GameSounds.KindSelectSounds[7].d), "./d7.ogg");
  EXPECT_EQ(FileOf(GameSounds.KindHoverSounds[3]), "./h3.ogg");
  EXPECT_EQ(FileOf(GameSounds.KindBlastSounds[5]), "./f5.ogg");
  EXPECT_EQ(FileOf(GameSounds.KindArriveSounds[22]), "./r22.ogg");
  EXPECT_EQ(FileOf(GameSounds.KindVanishSounds[1]), "./o1.ogg");
  EXPECT_EQ(GameSounds.KindVanishSounds[0], 0u);
  // "_r23", "_o0", "_x4" and "_a24" name no slot: they load nothing at all.
  for (const std::string& call : Audio->CallsOf("BASS_SampleLoad")) {
    for (const char* file : {"r23", "o0", "x4", "a24"})
      EXPECT_EQ(call.find(file), std::string::npos);
  }
}

TEST_F(SoundTableTest, FixedBombSamplesLoadLastAndReplaceTheListsEntries) {
  LoadList("_h23\t./sounds/other_h.ogg\t1\n_a23\t./sounds/other_a.ogg\t1\n_b23\t./b23.ogg\t1\n");
  EXPECT_EQ(FileOf(GameSounds.KindHoverSounds[23]), "./sounds/h_bomb.ogg");
  EXPECT_EQ(FileOf(GameSounds.KindSelectSounds[23].a), "./sounds/a_bomb.ogg");
  EXPECT_EQ(FileOf(GameSounds.KindBlastSounds[23]), "./sounds/Bomb_boom.ogg");
  EXPECT_EQ(FileOf(GameSounds.KindSelectSounds[23].b), "./b23.ogg");
  const auto loads = Audio->CallsOf("BASS_SampleLoad");
  ASSERT_EQ(loads.size(), 6u);
  EXPECT_NE(loads[3].find("h_bomb"), std::string::npos);
  EXPECT_NE(loads[4].find("a_bomb"), std::string::npos);
  EXPECT_NE(loads[5].find("Bomb_boom"), std::string::npos);
}

TEST_F(SoundTableTest, TheLaterLineForASlotIsTheOnePlayed) {
  LoadList("s_app\t./first.ogg\t1\ns_app\t./second.ogg\t1\n");
  PlayEffect(GameSounds[NamedSound::s_app], values.SoundVolume);
  EXPECT_EQ(Audio->PlayedFiles(), (std::vector<std::string>{"./second.ogg"}));
}

TEST_F(SoundTableTest, MalformedLinesAreLoggedWithTheirNumberAndSkipped) {
  const auto log = LoadList(
      "s_app\t./app.ogg\t1.0\n"
      "s_pin\t./pin.ogg\n"
      "s_click\t./click.ogg\tone\n"
      "\n"
      "_hx\t./hx.ogg\t1\n"
      "s_paint\n"
      "s_press\t./press.ogg\t2.5\n");
  ASSERT_EQ(log.size(), 5u);
  const char* lines[] = {"line 2:", "line 3:", "line 4:", "line 5:", "line 6:"};
  for (size_t i = 0; i < log.size(); ++i) {
    EXPECT_NE(log[i].find("sounds.txt, "), std::string::npos) << log[i];
    EXPECT_NE(log[i].find(lines[i]), std::string::npos) << log[i];
  }
  EXPECT_EQ(FileOf(GameSounds[NamedSound::s_app]), "./app.ogg");
  EXPECT_EQ(FileOf(GameSounds[NamedSound::s_press]), "./press.ogg")
      << "lines after a bad one still load";
  EXPECT_EQ(GameSounds[NamedSound::s_pin], 0u);
  EXPECT_EQ(GameSounds[NamedSound::s_click], 0u);
  EXPECT_EQ(FileOf(GameSounds.KindHoverSounds[23]), "./sounds/h_bomb.ogg");
}

TEST_F(SoundTableTest, AMissingListIsLoggedAndLeavesEverySlotSilent) {
  std::vector<std::string> log;
  EXPECT_FALSE(LoadSoundTable([&log](const std::string& line) { log.push_back(line); },
                              Dir.File("sounds.txt")));
  ASSERT_EQ(log.size(), 1u);
  EXPECT_NE(log[0].find("sounds.txt"), std::string::npos);
  EXPECT_TRUE(Audio->CallsOf("BASS_SampleLoad").empty());
  EXPECT_EQ(GameSounds.KindHoverSounds[23], 0u);
  PlayEffect(GameSounds[NamedSound::s_click], values.SoundVolume);
  EXPECT_EQ(Audio->PlayedFiles(), (std::vector<std::string>{""})) << "handle 0 plays nothing";
}

TEST_F(SoundTableTest, PlaysUseTheVolumeOfTheirMomentAndStopReachesTheSample) {
  LoadList("s_ballmove\t./move.ogg\t1\n");
  const HSAMPLE move = GameSounds[NamedSound::s_ballmove];
  Audio->ClearCalls();
  PlayEffectLooped(move, values.SoundVolume);
  values.SoundVolume = 30;
  PlayEffect(move, values.SoundVolume);
  StopEffect(move);
  const std::string h = std::to_string(move);
  EXPECT_EQ(Audio->Calls, (std::vector<std::string>{
                              "BASS_SamplePlayEx(" + h + ", 0, -1, 80, -1, -1) = 5",
                              "BASS_SamplePlayEx(" + h + ", 0, -1, 30, -1, 0) = 6",
                              "BASS_SampleStop(" + h + ") = 1",
                          }));
}

}  // namespace
}  // namespace marblix
