// The frame-rate cap of the frame timer: sleeps to each frame's deadline on the timer's clock,
// while Delta still measures the whole pass.
#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "graphics/PowerTiming.h"
#include "support/FakeClock.h"

namespace marblix {
namespace {

class FramePacing : public ::testing::Test {
 protected:
  FramePacing() {
    timer.SetFPS(15);
    timer.MayRealTime = true;
    timer.OnRealTime = [this](TObject*, double delta) {
      deltas.push_back(delta);
      Clock.AdvanceMilliseconds(workMilliseconds);  // the frame's own work
    };
  }
  // Runs passes for a second of the clock; returns how many frames ran.
  int OneSecond() {
    const int64_t start = Clock.Counter;
    int frames = 0;
    while (Clock.Counter - start < Clock.Frequency) {
      bool done = true;
      timer.IdleHandler(nullptr, done);
      ++frames;
    }
    return frames;
  }
  TFakeClock Clock;
  TApplication Application;
  TPowerTimer timer{nullptr, &Application, Clock};
  double workMilliseconds = 5;
  std::vector<double> deltas;
};

TEST_F(FramePacing, QuickFramesRunAtTheCapAndDeltaKeepsTime) {
  timer.SetFrameRateCap(60);
  OneSecond();  // settles
  deltas.clear();
  const int frames = OneSecond();
  EXPECT_NEAR(frames, 60, 1);
  // The units of the second's frames add up to one second of 15 units.
  EXPECT_NEAR(std::accumulate(deltas.begin(), deltas.end(), 0.0), 15.0, 0.5);
}

TEST_F(FramePacing, WithoutACapFramesRunAsFastAsTheyCan) {
  timer.SetFrameRateCap(0);
  EXPECT_EQ(OneSecond(), 200);
  EXPECT_EQ(Clock.Slept, 0u);
}

TEST_F(FramePacing, SlowFramesAreNotSlowedFurther) {
  timer.SetFrameRateCap(60);
  workMilliseconds = 40;
  EXPECT_EQ(OneSecond(), 25);
  EXPECT_EQ(Clock.Slept, 0u);
}

TEST_F(FramePacing, AStoppedTimerOnlySleepsItsHalfSeconds) {
  timer.SetFrameRateCap(60);
  timer.MayRealTime = false;
  bool done = true;
  timer.IdleHandler(nullptr, done);
  timer.IdleHandler(nullptr, done);
  EXPECT_EQ(Clock.Slept, 1000u);
}

}  // namespace
}  // namespace marblix
