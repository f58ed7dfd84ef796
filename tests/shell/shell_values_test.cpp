// The shell values: a fresh instance holds the state of a program that has just started.
#include <gtest/gtest.h>

#include "shell/defs.h"

namespace marblix {
namespace {

TEST(ShellValues, AFreshInstanceHoldsTheStateAtProgramStart) {
  const TShellValues values;
  EXPECT_EQ(values.ScreenState, 0u);
  EXPECT_EQ(values.ReturnState, MenuScreen);
  EXPECT_EQ(values.PanelReturnState, MenuScreen);
  EXPECT_EQ(values.GameMode, ModeNormal);
  EXPECT_EQ(values.RequestedMode, ModeKids);
  EXPECT_EQ(values.Score, 0);
  EXPECT_FALSE(values.GameUnderWay);
  EXPECT_EQ(values.ScoreTablePage, 0);
  EXPECT_EQ(values.HelpPage, 0);
  for (const auto& table : values.HighScoreTable) {
    for (const HighScoreEntry& entry : table) {
      EXPECT_EQ(entry.NameLength, 0);
      EXPECT_EQ(entry.Score, 0);
    }
  }
  EXPECT_EQ(values.NewEntryRow, 0);
  EXPECT_EQ(values.PlayerName, "Player");
  EXPECT_EQ(values.MusicVolume, 0);
  EXPECT_EQ(values.SoundVolume, 0);
  EXPECT_TRUE(values.FullScreenSetting);  // a first start opens full screen
  EXPECT_EQ(values.MouseX, 0);
  EXPECT_EQ(values.MouseY, 0);
  EXPECT_EQ(values.MouseButton, 0);
  EXPECT_EQ(values.MeasuredFps, 0);
  EXPECT_EQ(values.RandSeed, 0u);
}

TEST(ShellValues, EachInstanceDrawsFromItsOwnSeed) {
  TShellValues first;
  TShellValues second;
  first.RandSeed = 1;
  second.RandSeed = 1;
  first.Random(100);
  EXPECT_EQ(second.RandSeed, 1u);
  EXPECT_EQ(second.Random(256), 8u);  // the sequence from seed 1, untouched by the other
}

}  // namespace
}  // namespace marblix
