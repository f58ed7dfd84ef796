// A hand-driven clock for the tests, the benchmarks and the soak bot.
#pragma once

#include <cstdint>

#include "platform/system/Clock.h"

namespace marblix {

// A clock that moves only when told to (or by sleeping); the counter runs at Frequency per second.
class TFakeClock : public TClock {
 public:
  bool QueryPerformanceFrequency(int64_t& frequency) override {
    frequency = Frequency;
    return HasCounter;
  }
  bool QueryPerformanceCounter(int64_t& counter) override {
    counter = Counter;
    return HasCounter;
  }
  uint32_t GetTickCount() override { return static_cast<uint32_t>(Counter * 1000 / Frequency); }
  void Sleep(uint32_t milliseconds) override {
    Slept += milliseconds;
    AdvanceMilliseconds(milliseconds);
  }

  void AdvanceMilliseconds(double milliseconds) {
    Counter += static_cast<int64_t>(milliseconds * static_cast<double>(Frequency) / 1000.0);
  }

  int64_t Frequency = 1000000;
  int64_t Counter = 0;
  bool HasCounter = true;
  uint64_t Slept = 0;
};

}  // namespace marblix
