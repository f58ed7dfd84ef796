// The clock: a high-resolution counter and its frequency, a millisecond tick count and a sleep,
// with the system's implementation and a hand-driven one for tests.
#pragma once

#include <cstdint>

namespace marblix {

class TClock {
 public:
  virtual ~TClock() = default;
  // False when the platform has no high-resolution counter.
  virtual bool QueryPerformanceFrequency(int64_t& frequency) = 0;
  virtual bool QueryPerformanceCounter(int64_t& counter) = 0;
  // Milliseconds since an arbitrary start, wrapping at 2^32.
  virtual uint32_t GetTickCount() = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;
};

// The machine's monotonic clock, counting nanoseconds.
class TSystemClock : public TClock {
 public:
  bool QueryPerformanceFrequency(int64_t& frequency) override;
  bool QueryPerformanceCounter(int64_t& counter) override;
  uint32_t GetTickCount() override;
  void Sleep(uint32_t milliseconds) override;
};

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
  void AdvanceCounts(int64_t counts) { Counter += counts; }

  int64_t Frequency = 1000000;
  int64_t Counter = 0;
  bool HasCounter = true;
  uint64_t Slept = 0;
};

}  // namespace marblix
