// Today's date from the environment or the local clock.
#include "platform/system/today.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/system/file_io.h"

namespace marblix {

std::string TodayFromEnvironment() {
  const char* value = std::getenv(TodayVariable);
  return value != nullptr ? value : "";
}

std::string TodayFromClock() {
  const std::tm now = LocalTime(std::time(nullptr));
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", now.tm_year + 1900, now.tm_mon + 1,
                now.tm_mday);
  return text;
}

}  // namespace marblix
