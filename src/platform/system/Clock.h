// The clock: a high-resolution counter and its frequency, a millisecond tick count and a sleep,
// with the system's implementation.
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

}  // namespace marblix
