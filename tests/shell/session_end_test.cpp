// The desktop session ending the program: never a question, the game kept as at quit.
#include <gtest/gtest.h>

#include "shell/game_shell.h"
#include "shell/high_scores.h"
#include "shell/recording_ports.h"

namespace marblix {
namespace {

struct SessionEndCase {
  const char* name;
  uint32_t screen;
  bool closesAtOnce;  // stops frames and releases the device first, as a close during loading
};

class SessionEnd : public ::testing::TestWithParam<SessionEndCase> {
 protected:
  void SetUp() override { values.FullScreenSetting = false; }
  TShellValues values;
  test_support::RecordingPorts ports{values};
  GameShell shell{ports, values};
};

TEST_P(SessionEnd, EndsWithoutAQuestion) {
  const SessionEndCase& c = GetParam();
  values.ScreenState = c.screen;
  shell.EndSession();
  EXPECT_EQ(ports.Count("Terminate"), 1);
  EXPECT_EQ(ports.Called("SetFramesRunning(0)"), c.closesAtOnce);
  EXPECT_EQ(ports.Called("ReleaseDevice"), c.closesAtOnce);
  EXPECT_EQ(values.ScreenState & ExitDialog, c.screen & ExitDialog) << "no exit question opens";
}

INSTANTIATE_TEST_SUITE_P(
    Screens, SessionEnd,
    ::testing::Values(
        SessionEndCase{"Logo", LogoScreen, true}, SessionEndCase{"Loading", LoadingScreen, true},
        SessionEndCase{"Game", GameScreen, false}, SessionEndCase{"Menu", MenuScreen, false},
        SessionEndCase{"ResumeQuestion", DialogOpen | OldGameDialog | GameScreen, false},
        SessionEndCase{"ExitQuestion", DialogOpen | ExitDialog | GameScreen, false}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(SessionEnd, AnUnansweredFullScreenQuestionLeavesTheSettingAsItWas) {
  values.ScreenState = OptionsScreen;
  shell.ToggleFullScreen();  // the question opens with the setting already switched
  ASSERT_TRUE(values.FullScreenSetting);
  shell.EndSession();
  EXPECT_FALSE(values.FullScreenSetting);
  EXPECT_EQ(ports.Count("Terminate"), 1);
}

TEST_F(SessionEnd, ANameBeingTypedIsKept) {
  for (uint8_t mode = 0; mode < HighScoreModes; ++mode) ResetScoreTable(values, mode);
  values.GameMode = ModeNormal;
  values.Score = 950;
  PlaceFinalScore(values);  // row 1, the name question open
  ASSERT_TRUE(values.ScreenState & EnterNameDialog);
  values.PlayerName = "Vesna";
  shell.EndSession();
  EXPECT_EQ(EntryName(values.HighScoreTable[ModeNormal][1]), "Vesna");
}

}  // namespace
}  // namespace marblix
