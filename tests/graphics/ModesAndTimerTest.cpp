// Display-mode selection by every policy, and the frame timer on a fake clock.
#include <gtest/gtest.h>

#include "graphics/EnumUnit.h"
#include "graphics/PowerTiming.h"
#include "support/FakeClock.h"
#include "support/RecordingDevice.h"

namespace marblix {
namespace {

class Modes : public ::testing::Test {
 protected:
  int Pick(TRefreshRate policy, int wanted = 0) {
    auto direct3D = RecordingDirect3DCreate(Recording)(D3D_SDK_VERSION);
    TModeList list;
    list.WantedRefreshRate = wanted;
    EXPECT_TRUE(list.EnumerateModes(direct3D.get(), 800, 600, 32));
    const TModeRecord* mode = list.SelectMode(policy);
    return mode ? mode->RefreshRate : -100;
  }
  std::shared_ptr<TRecording> Recording = std::make_shared<TRecording>();
};

TEST_F(Modes, PoliciesOverThreeRates) {
  Recording->Modes = {{800, 600, 75, D3DFMT_X8R8G8B8},
                      {800, 600, 60, D3DFMT_X8R8G8B8},
                      {800, 600, 85, D3DFMT_A8R8G8B8},
                      {800, 600, 100, D3DFMT_R5G6B5},
                      {640, 480, 120, D3DFMT_X8R8G8B8}};
  EXPECT_EQ(Pick(rr_default), 60);
  EXPECT_EQ(Pick(rr_lowest), 60);
  EXPECT_EQ(Pick(rr_highest), 85);
  EXPECT_EQ(Pick(rr_higher), 75);
  EXPECT_EQ(Pick(rr_average), 75);
  EXPECT_EQ(Pick(rr_custom, 75), 75);
  EXPECT_EQ(Pick(rr_custom, 70), 60);
  Recording->Modes = {{800, 600, 60, D3DFMT_X8R8G8B8}, {800, 600, 75, D3DFMT_X8R8G8B8}};
  EXPECT_EQ(Pick(rr_higher), 75);
  Recording->Modes.clear();
  EXPECT_EQ(Pick(rr_highest), -100);
}

TEST_F(Modes, ListKeepingAndSorting) {
  TModeList list;
  EXPECT_EQ(list.Count(), 0);
  EXPECT_FALSE(list.Clear());
  list.AddMode(800, 600, 60, 22);
  list.AddMode(800, 600, 75, 21);
  list.AddMode(800, 600, 60, 21);
  EXPECT_EQ(list.First()->Format, 21) << "added at the front";
  list.SortByRefresh();
  EXPECT_EQ(list.First()->RefreshRate, 75);
  EXPECT_EQ(list.First()->Next->Format, 21) << "equal rates keep their order";
  EXPECT_EQ(list.First()->Next->Next->Format, 22);
  EXPECT_TRUE(list.Clear());
  EXPECT_EQ(TModeRecord().RefreshRate, -1);

  auto direct3D = RecordingDirect3DCreate(Recording)(D3D_SDK_VERSION);
  Recording->Modes = {{800, 600, 60, D3DFMT_X8R8G8B8}};
  EXPECT_TRUE(list.EnumerateModes(direct3D.get(), 800, 600, 24));
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(list.EnumerateModes(direct3D.get(), 800, 600, 32));
  EXPECT_EQ(list.Count(), 1);
  Recording->Fail("EnumAdapterModes");
  EXPECT_FALSE(list.EnumerateModes(direct3D.get(), 800, 600, 32));
  EXPECT_EQ(list.Count(), 0);
}

class Timer : public ::testing::Test {
 protected:
  void Pass(double milliseconds) {
    Clock.AdvanceMilliseconds(milliseconds);
    bool done = true;
    Application.OnIdle(&Application, done);
    EXPECT_FALSE(done);
  }
  TFakeClock Clock;
  TApplication Application;
};

TEST_F(Timer, InstallsItselfAndFpsRange) {
  {
    TPowerTimer timer(nullptr, &Application, Clock);
    EXPECT_TRUE(Application.OnIdle);
    EXPECT_EQ(timer.FPS(), 60);
    for (int bad : {0, -3, 241}) timer.SetFPS(bad);
    EXPECT_EQ(timer.FPS(), 60);
    timer.SetFPS(240);
    EXPECT_EQ(timer.FPS(), 240);
  }
  EXPECT_FALSE(Application.OnIdle);
}

TEST_F(Timer, RealTimeGetsFramesInNominalPeriods) {
  TPowerTimer timer(nullptr, &Application, Clock);
  timer.SetFPS(15);
  timer.MayRealTime = true;
  std::vector<double> deltas;
  timer.OnRealTime = [&](TObject*, double delta) { deltas.push_back(delta); };
  Pass(20);
  EXPECT_EQ(timer.CurrentRate(), 50);
  Pass(1000.0 / 59.6);
  Pass(0);
  ASSERT_EQ(deltas.size(), 3u);
  EXPECT_DOUBLE_EQ(deltas[0], 0.3);
  EXPECT_DOUBLE_EQ(deltas[1], 0.25);
  EXPECT_DOUBLE_EQ(deltas[2], 15.0 / 2147483647.0) << "a frame of no time";
  EXPECT_EQ(Clock.Slept, 0u);
}

TEST_F(Timer, StallGivesNoRealTimeAndOneStep) {
  TPowerTimer timer(nullptr, &Application, Clock);
  int realTime = 0, steps = 0;
  timer.MayRealTime = timer.MayProcess = true;
  timer.OnRealTime = [&](TObject*, double) { ++realTime; };
  timer.OnProcess = [&](TObject*) { ++steps; };
  Pass(3000);
  EXPECT_EQ(timer.CurrentRate(), 0);
  EXPECT_EQ(realTime, 0);
  EXPECT_EQ(steps, 1);
  // 10 frames a second at FPS 60: six steps each.
  steps = 0;
  Pass(100);
  EXPECT_EQ(steps, 6);
  steps = 0;
  Pass(1500);
  EXPECT_EQ(steps, 8) << "clamped";
}

TEST_F(Timer, MeasuredFpsAfter31PassesThenBySample) {
  TPowerTimer timer(nullptr, &Application, Clock);
  timer.MayRender = true;
  int renders = 0;
  timer.OnRender = [&](TObject*) { ++renders; };
  for (int i = 0; i < 30; ++i) Pass(20);
  EXPECT_EQ(timer.MeasuredFps(), 0);
  Pass(20);
  EXPECT_EQ(timer.MeasuredFps(), 50) << "31 frames in 620 ms";
  EXPECT_EQ(renders, 31);
  for (int i = 0; i < 59; ++i) Pass(10);
  EXPECT_EQ(timer.MeasuredFps(), 50);
  Pass(10);
  EXPECT_EQ(timer.MeasuredFps(), 100) << "a sample of 60 frames after a figure above 44";
}

TEST_F(Timer, IdleTimerSleepsAndStillMeasures) {
  TPowerTimer timer(nullptr, &Application, Clock);
  for (int i = 0; i < 31; ++i) Pass(0);
  EXPECT_EQ(Clock.Slept, 31u * 500);
  EXPECT_EQ(timer.MeasuredFps(), 2);
  EXPECT_EQ(timer.CurrentRate(), 2);
}

TEST_F(Timer, TickCountWithoutCounter) {
  Clock.HasCounter = false;
  TPowerTimer timer(nullptr, &Application, Clock);
  timer.MayRealTime = true;
  EXPECT_FALSE(timer.UsePerformanceCounter());
  Pass(40);
  EXPECT_EQ(timer.CurrentRate(), 25);
}

}  // namespace
}  // namespace marblix
