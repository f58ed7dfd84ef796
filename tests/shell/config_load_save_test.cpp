// Reading Config.bin at the end of loading and writing it at shutdown.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "shell/game_shell.h"
#include "shell/high_scores.h"
#include "shell/recording_ports.h"
#include "support/TempDir.h"

namespace marblix {
namespace {

class ConfigLoadSave : public ::testing::Test {
 protected:
  void SetUp() override {
    values.ScreenState = MenuScreen;  // as the loader leaves it before reading the file
    values.GameMode = ModeNormal;
  }
  std::vector<uint8_t> FileBytes() {
    std::vector<uint8_t> bytes;
    ReadWholeFile(ConfigFileName, bytes);
    return bytes;
  }
  testing::TScopedWorkingDirectory dir;
  TShellValues values;
  test_support::RecordingPorts ports{values};
  GameShell shell{ports, values};
};

TEST_F(ConfigLoadSave, FirstStartGivesDefaultsAndANewNormalGame) {
  shell.LoadConfig();
  EXPECT_EQ(values.MusicVolume, 50);
  EXPECT_EQ(values.SoundVolume, 75);
  for (int m = 0; m < 3; ++m) EXPECT_EQ(EntryName(values.HighScoreTable[m][0]), "Harko");
  EXPECT_EQ(values.ScreenState, GameScreen);
  EXPECT_EQ(values.GameMode, ModeNormal);
  EXPECT_TRUE(ports.Called("DropBalls(6,1)"));
}

TEST_F(ConfigLoadSave, AGameWithAScoreSurvivesARestart) {
  shell.LoadConfig();
  values.Score = 120;
  values.GameMode = ModeProfessional;
  ports.board.Preview = {{{1, 0}, {2, 1}, {0x00010000, 21}, {0x7F, 10}}};
  ports.board.Cells[4][7] = {0x01000004, 13};
  ports.board.NextCount = 4;
  values.ScreenState = DialogOpen | ExitDialog | GameScreen;  // quitting through the exit question
  shell.SaveConfig();
  EXPECT_EQ(FileBytes().size(), 1450u);

  const SavedGameRecord before = ports.board;
  TShellValues restartedValues;
  restartedValues.ScreenState = MenuScreen;
  test_support::RecordingPorts next{restartedValues};
  GameShell restarted(next, restartedValues);
  restarted.LoadConfig();
  EXPECT_EQ(restartedValues.ScreenState, 0x10000408u);
  EXPECT_EQ(restartedValues.ReturnState, MenuScreen);
  EXPECT_EQ(restartedValues.GameMode, ModeProfessional);
  EXPECT_EQ(restartedValues.Score, 120);
  EXPECT_FALSE(restartedValues.GameUnderWay);
  EXPECT_EQ(next.board.Cells, before.Cells);
  EXPECT_EQ(next.board.Preview, before.Preview);
  EXPECT_EQ(next.board.NextCount, 4);
  EXPECT_TRUE(next.Called("SelectModeButton"));
  EXPECT_FALSE(next.Called("DropBalls(6,1)"));
}

// The exit question says what the exit keeps: the text it shows and the file agree.
TEST_F(ConfigLoadSave, AGameIsKeptOnlyWhenItScoredAndIsShownOrAPanelLeadsBackToIt) {
  struct Row {
    uint32_t screen, panelReturn;
    int score;
    std::optional<int32_t> finalScore;  // a game has ended
    KeptGame told;
  };
  constexpr uint32_t GameUnderExit = DialogOpen | ExitDialog | GameScreen;
  constexpr uint32_t OptionsUnderExit = DialogOpen | ExitDialog | OptionsScreen;
  constexpr uint32_t ScoresUnderClear = DialogOpen | ClearScoresDialog | HighScoresScreen;
  constexpr uint32_t MenuUnderExit = DialogOpen | ExitDialog | MenuScreen;
  const std::optional<int32_t> none;
  shell.LoadConfig();
  values.MusicVolume = 30;
  for (const Row& row : {Row{GameUnderExit, MenuScreen, 0, none, KeptGame::Unscored},
                         Row{GameUnderExit, MenuScreen, 40, none, KeptGame::Kept},
                         Row{HighScoresScreen, MenuScreen, 50, none, KeptGame::NoGame},
                         Row{OptionsUnderExit, GameScreen, 50, none, KeptGame::Kept},
                         Row{ScoresUnderClear, GameScreen, 50, none, KeptGame::Kept},
                         Row{OptionsScreen, GameScreen, 0, none, KeptGame::Unscored},
                         Row{DialogOpen | EnterNameDialog | HighScoresScreen, GameScreen, 50, none,
                             KeptGame::NoGame},
                         // After a game over: Back to the emptied board, or to the menu.
                         Row{GameUnderExit, GameScreen, 0, 730, KeptGame::NoGame},
                         Row{MenuUnderExit, MenuScreen, 0, 730, KeptGame::NoGame}}) {
    values.ScreenState = row.screen;
    values.PanelReturnState = row.panelReturn;
    values.Score = row.score;
    values.FinalScore = row.finalScore;
    EXPECT_EQ(WhatTheExitKeeps(values), row.told) << std::hex << row.screen;
    shell.SaveConfig();
    const auto bytes = FileBytes();
    ASSERT_EQ(bytes.size(), 1450u);
    EXPECT_EQ(bytes[608], row.told == KeptGame::Kept ? 1 : 0) << std::hex << row.screen;
    EXPECT_EQ(bytes[600], 30);
  }
}

TEST_F(ConfigLoadSave, NothingIsWrittenBeforeTheFileWasRead) {
  { std::ofstream(ConfigFileName, std::ios::binary) << "precious"; }
  shell.SaveConfig();
  EXPECT_EQ(FileBytes().size(), 8u);
}

TEST_F(ConfigLoadSave, AnUnwritableFileIsLoggedAndTheOldOneStays) {
  shell.LoadConfig();
  shell.SaveConfig();
  const auto old = FileBytes();
  values.MusicVolume = 10;
  // Something in the way of the temporary file, as a full disk or a read-only folder would be.
  std::filesystem::create_directories("Config.bin.tmp/occupied");
  shell.SaveConfig();
  EXPECT_EQ(FileBytes(), old);
  bool logged = false;
  for (const auto& c : ports.calls) logged |= c.rfind("Log:Cannot create", 0) == 0;
  EXPECT_TRUE(logged);
}

TEST_F(ConfigLoadSave, DamagedValuesAreMadeSafeAndADamagedGameIsNotOffered) {
  ConfigContents c;
  for (auto& table : c.Tables) {
    for (auto& row : table) row.NameLength = 255;
  }
  c.MusicVolume = 300;
  c.SoundVolume = -40;
  c.SavedGameFlag = 1;
  c.Game.Mode = 7;
  c.Game.Score = 10;
  c.Game.NextCount = 2;
  c.Game.Preview.fill({1, 0});
  const auto bytes = EncodeConfig(c);
  {
    std::ofstream(ConfigFileName, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  shell.LoadConfig();
  EXPECT_EQ(values.MusicVolume, 100);
  EXPECT_EQ(values.SoundVolume, 0);
  EXPECT_EQ(values.HighScoreTable[2][9].NameLength, 17);
  EXPECT_EQ(values.ScreenState, GameScreen);  // a new Normal game instead of the resume question
  EXPECT_EQ(values.GameMode, ModeNormal);
  EXPECT_FALSE(ports.Called("RestoreBoard"));
}

TEST_F(ConfigLoadSave, ATruncatedFileKeepsTheDefaultsOfWhatItLacks) {
  auto bytes = EncodeConfig(ConfigContents{});
  bytes.resize(300);  // half the tables
  {
    std::ofstream(ConfigFileName, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  shell.LoadConfig();
  EXPECT_EQ(values.MusicVolume, 0);
  EXPECT_EQ(values.ScreenState, GameScreen);
}

}  // namespace
}  // namespace marblix
