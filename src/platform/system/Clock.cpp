// The machine's clock over std::chrono's steady clock.
#include "platform/system/Clock.h"

#include <chrono>
#include <thread>

namespace marblix {

namespace {

int64_t NanosecondsNow() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

bool TSystemClock::QueryPerformanceFrequency(int64_t& frequency) {
  frequency = 1000000000;
  return true;
}

bool TSystemClock::QueryPerformanceCounter(int64_t& counter) {
  counter = NanosecondsNow();
  return true;
}

uint32_t TSystemClock::GetTickCount() {
  return static_cast<uint32_t>(NanosecondsNow() / 1000000);
}

void TSystemClock::Sleep(uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace marblix
