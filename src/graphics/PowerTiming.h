// TPowerTimer: the frame timer that runs one frame per idle pass of the application and hands the
// frame's duration, in nominal frame periods, to OnRealTime.
#pragma once

#include <functional>

#include "graphics/PowerTypes.h"
#include "platform/system/Clock.h"

namespace marblix {

using TRealTimeEvent = std::function<void(TObject* Sender, double Delta)>;

class TPowerTimer : public TComponent {
 public:
  // Starts measuring at once and installs itself as the application's idle event (when there is
  // an application).
  TPowerTimer(TComponentOwner* owner, TApplication* application, TClock& clock);
  ~TPowerTimer() override;
  TPowerTimer(const TPowerTimer&) = delete;
  TPowerTimer& operator=(const TPowerTimer&) = delete;

  int FPS() const { return FFps; }
  void SetFPS(int value);  // 1 ... 240; other values are ignored
  bool MayProcess = false;
  bool MayRender = false;
  bool MayRealTime = false;
  TNotifyEvent OnRender;
  TNotifyEvent OnProcess;
  TRealTimeEvent OnRealTime;

  int MeasuredFps() const { return FMeasuredFps; }
  int CurrentRate() const { return FCurrentRate; }
  bool UsePerformanceCounter() const { return FUsePerformanceCounter; }

  // At most this many frames a second while frames run: an idle pass that ran a frame sleeps to the
  // next frame's deadline on the timer's clock. 0 (the default) lets frames run as fast as they
  // can.
  void SetFrameRateCap(int framesPerSecond) {
    FFrameRateCap = framesPerSecond > 0 ? framesPerSecond : 0;
  }
  int FrameRateCap() const { return FFrameRateCap; }

  void IdleHandler(TObject* Sender, bool& Done);
  void MeasureRate();
  void MeasureAverage();

 private:
  TApplication* FApplication;
  TClock& FClock;
  int FFps = 60;
  bool FUsePerformanceCounter = false;
  int64_t FFrequency = 0;
  int64_t FLastCounter = 0;
  uint32_t FLastTick = 0;
  int FCurrentRate = 0;
  int FMeasuredFps = 0;
  int FFrameCounter = 0;
  int FSampleInterval = 30;
  uint32_t FLastSampleTick = 0;
  double FAccumulator = 0;
  int FFrameRateCap = 0;
  double FNextFrame = -1;  // milliseconds on the clock; negative: no frame planned

  double NowMilliseconds();
  void WaitForNextFrame();
};

}  // namespace marblix
