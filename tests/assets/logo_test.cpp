// The logo sequence: its phases, the flare's growth, the shine, the progress bar and its skip.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assets/logo.h"
#include "shell/defs.h"

namespace marblix {
namespace {

struct RecordingLogoPainter : LogoPainter {
  std::vector<std::string> calls;
  int width = 235;
  void DrawScene(int p) override { calls.push_back("scene " + std::to_string(p)); }
  void DrawFlare(int a, int s) override {
    calls.push_back("flare " + std::to_string(a) + " " + std::to_string(s));
  }
  void DrawShine(int p) override { calls.push_back("shine " + std::to_string(p)); }
  void DrawProgress(int r) override { calls.push_back("bar " + std::to_string(r)); }
  int StatusLineWidth() override { return width; }
};

class Logo : public ::testing::Test {
 protected:
  void SetUp() override {
    values.ScreenState = LogoScreen;
    state.LogoClock = -20;
  }
  TShellValues values;
  LogoState state;
  RecordingLogoPainter painter;
};

TEST_F(Logo, FirstFramesAskForANegativePictureAndTheBarGrowsWithElapsedTime) {
  // The image clamps a pattern below 0 to its first picture.
  StepLogo(state, 1.0, painter, values);
  EXPECT_EQ(painter.calls, (std::vector<std::string>{"scene -18", "bar 287"}));  // 235/195
  EXPECT_DOUBLE_EQ(state.LogoClock, -18.75);
  EXPECT_DOUBLE_EQ(state.LoadProgress, 1.0);
}

TEST_F(Logo, OneLongFrameRunsEveryPhaseAndEndsTheLogo) {
  StepLogo(state, 60.0, painter, values);  // d' = 75: all three phases switch in this one call
  EXPECT_EQ(state.LogoPhase, 2);
  EXPECT_EQ(values.ScreenState, LoadingScreen);
  EXPECT_EQ(painter.calls,
            (std::vector<std::string>{"scene 3", "flare 1200 -1738", "shine 75", "bar 358"}));
}

TEST_F(Logo, FlareJumpsAtItsMidpointAndEndsAfterSixteen) {
  state.LogoPhase = 1;
  state.LogoClock = 3;
  StepLogo(state, 6.0, painter, values);  // FlareClock 7.5: growing, 225
  EXPECT_EQ(painter.calls[1], "flare 120 225");
  StepLogo(state, 0.4, painter, values);  // FlareClock 8 exactly: 272, not 240
  EXPECT_EQ(painter.calls[4], "flare 128 272");
  StepLogo(state, 6.4, painter, values);  // 16: the shine starts in the same frame
  EXPECT_EQ(state.LogoPhase, 2);
  EXPECT_EQ(painter.calls[7], "flare 256 32");
  EXPECT_EQ(painter.calls[8], "shine 8");
  EXPECT_EQ(values.ScreenState, LogoScreen);
}

TEST_F(Logo, WholeSequenceTakesAboutSeventySevenUnits) {
  int frames = 0;
  while (values.ScreenState == LogoScreen && frames < 10000) {
    StepLogo(state, 0.1, painter, values);
    ++frames;
  }
  EXPECT_NEAR(state.LoadProgress, 76.8, 0.3);
}

TEST_F(Logo, AClickOrAKeyCutsItShortOnlyAfterItsFirstSecond) {
  StepLogo(state, 14.9, painter, values);
  EXPECT_FALSE(SkipLogo(state, values));
  StepLogo(state, 0.1, painter, values);
  EXPECT_TRUE(SkipLogo(state, values));
  EXPECT_EQ(values.ScreenState, LoadingScreen);
  EXPECT_FALSE(SkipLogo(state, values)) << "loading is never cut short";
}

TEST(ProgressBar, RightEdgeRoundsHalvesToEven) {
  EXPECT_EQ(ProgressRight(195, 0), 286);
  EXPECT_EQ(ProgressRight(195, 78 + 116), 286 + 194);
  EXPECT_EQ(ProgressRight(390, 0.25), 286);  // 0.5 rounds to 0
  EXPECT_EQ(ProgressRight(390, 0.75), 288);  // 1.5 rounds to 2
}

}  // namespace
}  // namespace marblix
