// The system clock: counter, tick count and sleep agree; the fake clock moves only when told.
#include <gtest/gtest.h>

#include "platform/system/Clock.h"
#include "support/FakeClock.h"

namespace marblix {
namespace {

TEST(SystemClock, CounterTicksAndSleepAgree) {
  TSystemClock clock;
  int64_t frequency = 0, before = 0, after = 0;
  ASSERT_TRUE(clock.QueryPerformanceFrequency(frequency));
  EXPECT_EQ(frequency, 1000000000);
  ASSERT_TRUE(clock.QueryPerformanceCounter(before));
  const uint32_t tickBefore = clock.GetTickCount();
  clock.Sleep(30);
  clock.QueryPerformanceCounter(after);
  const uint32_t ticks = clock.GetTickCount() - tickBefore;
  EXPECT_GE(after - before, 29 * frequency / 1000);
  EXPECT_GE(ticks, 29u);
  EXPECT_LT(ticks, 2000u);
}

TEST(FakeClock, MovesOnlyWhenTold) {
  TFakeClock clock;
  clock.Frequency = 3579545;
  int64_t counter = 0;
  clock.AdvanceMilliseconds(1500);
  clock.QueryPerformanceCounter(counter);
  EXPECT_EQ(counter, 5369317);
  EXPECT_EQ(clock.GetTickCount(), 1499u) << "whole milliseconds of the counter";
  clock.Sleep(500);
  EXPECT_EQ(clock.GetTickCount(), 1999u);
  EXPECT_EQ(clock.Slept, 500u);
  clock.HasCounter = false;
  EXPECT_FALSE(clock.QueryPerformanceFrequency(counter));
}

}  // namespace
}  // namespace marblix
