// The frame-rate cap from the display's refresh rate and MARBLIX_MAX_FPS.
#include <gtest/gtest.h>

#include "shell/frame_rate.h"

namespace marblix {
namespace {

TEST(FrameRateCap, FollowsTheDisplayUnlessTold) {
  struct Case {
    int refresh;
    const char* setting;
    int cap;
  };
  const Case cases[] = {
      {75, nullptr, 75}, {0, nullptr, 60}, {60, "", 60},   {60, "0", 0},
      {60, "144", 144},  {60, "x", 60},    {60, "-5", 60}, {60, "30fps", 60},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FrameRateCap(c.refresh, c.setting), c.cap)
        << c.refresh << " Hz, MARBLIX_MAX_FPS=" << (c.setting ? c.setting : "(unset)");
  }
  EXPECT_TRUE(SyncsToDisplay(75, 75));
  EXPECT_FALSE(SyncsToDisplay(0, 60)) << "an unknown refresh rate is paced by sleeping";
  EXPECT_FALSE(SyncsToDisplay(60, 0));
}

}  // namespace
}  // namespace marblix
