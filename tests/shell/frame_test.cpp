// The frame loop: clocks, the order of work per screen, and the application's pause and resume.
#include <gtest/gtest.h>

#include "shell/game_shell.h"
#include "shell/recording_ports.h"

namespace marblix {
namespace {

class Frame : public ::testing::Test {
 protected:
  TShellValues values;
  test_support::RecordingPorts ports{values};
  GameShell shell{ports, values};
};

TEST_F(Frame, BlinkPhaseFoldsBackBelowZero) {
  shell.SetBlinkPhase(1.9);
  shell.AdvanceClocks(0.8);  // 1.9 + 0.2 = 2.1 -> -0.1
  EXPECT_NEAR(shell.BlinkPhase(), -0.1, 1e-12);
  shell.AdvanceClocks(4.0);
  EXPECT_NEAR(shell.BlinkPhase(), 0.9, 1e-12);
}

TEST_F(Frame, AnimClockWrapsOnlyAbove500AndLogoFrameRestsOnItsLastPicture) {
  shell.AdvanceClocks(37.5);
  EXPECT_EQ(shell.LogoFrame(), 37);
  shell.AdvanceClocks(1.0);
  EXPECT_EQ(shell.LogoFrame(), 37);
  shell.SetAnimClock(499.0f);
  shell.AdvanceClocks(1.0);
  EXPECT_EQ(shell.AnimClock(), 500.0f);
  shell.AdvanceClocks(0.5);
  EXPECT_EQ(shell.AnimClock(), 0.0f);
  shell.AdvanceClocks(2.5);
  EXPECT_EQ(shell.LogoFrame(), 2);
}

TEST_F(Frame, LogoFrameDrawsBackgroundAndLogoOnly) {
  values.ScreenState = LogoScreen;
  shell.PowerTimer1RealTime(1.0);
  EXPECT_EQ(ports.calls,
            (std::vector<std::string>{"UpdateParticles", "BeginFrame", "DrawLogoBackground",
                                      "StepLogo", "DrawPointer", "EndAndPresentFrame"}));
}

TEST_F(Frame, LoadingFrameRunsTheLoaderAndNothingElse) {
  values.ScreenState = LoadingScreen;
  ports.onLoadAssets = [this] { values.ScreenState = GameScreen; };
  shell.PowerTimer1RealTime(1.0);
  EXPECT_EQ(ports.calls, (std::vector<std::string>{"LoadAssets"}));
  shell.PowerTimer1RealTime(1.0);
  EXPECT_TRUE(ports.Called("BoardFrame"));
}

TEST_F(Frame, ADialogOverTheGameKeepsTheBoardMoving) {
  values.ScreenState = DialogOpen | ExitDialog | GameScreen;
  shell.PowerTimer1RealTime(1.0);
  EXPECT_EQ(ports.calls,
            (std::vector<std::string>{"UpdateParticles", "BeginFrame", "DrawCommonLayer",
                                      "BoardFrame", "DrawGameTexts", "DrawParticles", "DrawDialog",
                                      "DrawPointer", "EndAndPresentFrame"}));
}

TEST_F(Frame, EachPanelDrawsItsLayer) {
  const std::pair<uint32_t, const char*> panels[] = {{InstructionsScreen, "DrawInstructions"},
                                                     {OptionsScreen, "DrawOptions"},
                                                     {HighScoresScreen, "DrawHighScores"}};
  for (auto [screen, layer] : panels) {
    ports.calls.clear();
    values.ScreenState = screen;
    shell.PowerTimer1RealTime(1.0);
    EXPECT_TRUE(ports.Called(layer));
    EXPECT_FALSE(ports.Called("BoardFrame"));
    EXPECT_FALSE(ports.Called("DrawDialog"));
  }
  ports.calls.clear();
  values.ScreenState = DialogOpen | EnterNameDialog | HighScoresScreen;
  shell.PowerTimer1RealTime(1.0);
  EXPECT_TRUE(ports.Called("DrawHighScores"));
  EXPECT_TRUE(ports.Called("DrawDialog"));
}

TEST_F(Frame, DeactivateStopsFramesAndMusicActivateResumesBoth) {
  values.ScreenState = GameScreen;
  values.Score = 12;
  shell.Deactivate();
  shell.Activate();
  EXPECT_EQ(ports.calls, (std::vector<std::string>{"SetFramesRunning(0)", "PauseMusic",
                                                   "SetFramesRunning(1)", "ResumeMusic"}));
  EXPECT_EQ(values.ScreenState, GameScreen);
  EXPECT_EQ(values.Score, 12);
}

}  // namespace
}  // namespace marblix
