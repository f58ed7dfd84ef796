// TPowerTimer: frame measurement, the smoothed rate, the fixed-step accumulator and the idle pass.
#include "graphics/PowerTiming.h"

#include <cmath>
#include <cstdlib>

namespace marblix {

namespace {

constexpr int NoTimeTaken = 2147483647;

int RoundRate(double rate) {
  return rate >= double(NoTimeTaken) ? NoTimeTaken : static_cast<int>(std::nearbyint(rate));
}

}  // namespace

TPowerTimer::TPowerTimer(TComponentOwner* owner, TApplication* application, TClock& clock)
    : TComponent(owner), FApplication(application), FClock(clock) {
  int64_t frequency = 0;
  if (FClock.QueryPerformanceFrequency(frequency) && frequency > 0) {
    FUsePerformanceCounter = true;
    FFrequency = frequency;
    FClock.QueryPerformanceCounter(FLastCounter);
  } else {
    FLastTick = FClock.GetTickCount();
  }
  FLastSampleTick = FClock.GetTickCount();
  if (FApplication != nullptr)
    FApplication->OnIdle = [this](TObject* sender, bool& done) { IdleHandler(sender, done); };
}

TPowerTimer::~TPowerTimer() {
  if (FApplication != nullptr) FApplication->OnIdle = nullptr;
}

void TPowerTimer::SetFPS(int value) {
  if (value >= 1 && value <= 240) FFps = value;
}

void TPowerTimer::MeasureRate() {
  if (FUsePerformanceCounter) {
    int64_t now = 0;
    FClock.QueryPerformanceCounter(now);
    const int64_t d = std::llabs(now - FLastCounter);
    FLastCounter = now;
    FCurrentRate = d > 0 ? RoundRate(double(FFrequency) / double(d)) : NoTimeTaken;
  } else {
    const uint32_t now = FClock.GetTickCount();
    const int64_t d = std::llabs(int64_t(now) - int64_t(FLastTick));
    FLastTick = now;
    FCurrentRate = d > 0 ? RoundRate(1000.0 / double(d)) : NoTimeTaken;
  }
}

void TPowerTimer::MeasureAverage() {
  const uint32_t now = FClock.GetTickCount();
  const uint32_t d = now - FLastSampleTick;
  FLastSampleTick = now;
  FMeasuredFps = d > 0 ? RoundRate(double(FFrameCounter) * 1000.0 / double(d)) : 0;
}

void TPowerTimer::IdleHandler(TObject* /*Sender*/, bool& Done) {
  Done = false;
  if (!MayRender && !MayProcess && !MayRealTime) FClock.Sleep(500);
  MeasureRate();
  if (++FFrameCounter > FSampleInterval) {
    MeasureAverage();
    FFrameCounter = 0;
    FSampleInterval = 19;
    if (FMeasuredFps > 20) FSampleInterval = 29;
    if (FMeasuredFps > 44) FSampleInterval = 59;
    if (FMeasuredFps > 65) FSampleInterval = 74;
  }
  if (FCurrentRate != 0)
    FAccumulator += double(FFps) / double(FCurrentRate);
  else
    FAccumulator = 1.0;
  if (FAccumulator > 8.0) FAccumulator = 8.0;
  if (MayRender && OnRender) OnRender(this);
  if (MayRealTime && FCurrentRate != 0 && OnRealTime)
    OnRealTime(this, double(FFps) / double(FCurrentRate));
  const double steps = std::floor(FAccumulator);
  if (MayProcess && OnProcess)
    for (int i = 0; i < static_cast<int>(steps); ++i) OnProcess(this);
  FAccumulator -= steps;
  WaitForNextFrame();
}

double TPowerTimer::NowMilliseconds() {
  if (!FUsePerformanceCounter) return double(FClock.GetTickCount());
  int64_t now = 0;
  FClock.QueryPerformanceCounter(now);
  return double(now) * 1000.0 / double(FFrequency);
}

// Frames are planned one period apart, so a frame that woke up late is made up by the next one;
// a pass more than a whole period behind starts the plan afresh rather than hurrying several
// frames. Sleeps are whole milliseconds, never past the deadline.
void TPowerTimer::WaitForNextFrame() {
  if (FFrameRateCap == 0 || !MayRealTime) {
    FNextFrame = -1;
    return;
  }
  const double now = NowMilliseconds();
  const double period = 1000.0 / FFrameRateCap;
  FNextFrame = FNextFrame < 0 ? now : FNextFrame + period;
  if (FNextFrame < now - period) FNextFrame = now;
  const double wait = std::floor(FNextFrame - now);
  if (wait >= 1) FClock.Sleep(static_cast<uint32_t>(wait));
}

}  // namespace marblix
