// Where the frame is shown in a window or screen of another size: whole-number scales where they
// fill the area nearly as well, smooth scaling otherwise, centred with black bars.
#include <gtest/gtest.h>

#include "graphics/FrameFit.h"

namespace marblix {
namespace {

TEST(FrameFit, WholeScalesWhereTheyNearlyFillElseSmooth) {
  struct Case {
    int AreaWidth, AreaHeight;
    TFrameFit Want;
  };
  const Case cases[] = {
      {800, 600, {0, 0, 800, 600, false}},        // one to one
      {1600, 1200, {0, 0, 1600, 1200, false}},    // twice
      {1700, 1250, {50, 25, 1600, 1200, false}},  // 2.08 fits: twice, with bars
      {850, 700, {25, 50, 800, 600, false}},      // 1.06 fits: one to one, with bars
      {1280, 960, {0, 0, 1280, 960, true}},       // 1.6 fits: smooth
      {1024, 768, {0, 0, 1024, 768, true}},       // 1.28
      {1280, 720, {160, 0, 960, 720, true}},      // wide: bars left and right
      {1000, 2000, {0, 625, 1000, 750, true}},    // tall: bars above and below
      {1920, 1200, {160, 0, 1600, 1200, false}},  // height fits twice exactly
      {3840, 2160, {480, 0, 2880, 2160, true}},   // 3.6 fits: 3x would lose a sixth
      {400, 300, {0, 0, 400, 300, true}},         // smaller than the frame
      {801, 601, {0, 0, 800, 600, false}},        // an odd pixel of bar goes right and down
      {0, 600, {}},                               // no area at all
  };
  for (const Case& c : cases) {
    const TFrameFit got = FitFrame(800, 600, c.AreaWidth, c.AreaHeight);
    EXPECT_EQ(got, c.Want) << c.AreaWidth << " x " << c.AreaHeight << ": got " << got.Left << ","
                           << got.Top << " " << got.Width << " x " << got.Height
                           << (got.Smooth ? " smooth" : " crisp");
  }
}

}  // namespace
}  // namespace marblix
