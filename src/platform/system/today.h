// Today's date: the local date of the machine's clock, or the date a test sets in the environment.
#pragma once

#include <string>

namespace marblix {

// The environment variable through which tests set today's date, "YYYY-MM-DD" (it reaches a game
// run under Wine as well).
inline constexpr const char* TodayVariable = "MARBLIX_TODAY";

// The value of MARBLIX_TODAY, or "" when it is not set.
std::string TodayFromEnvironment();
// The local date of the machine's clock as "YYYY-MM-DD".
std::string TodayFromClock();

}  // namespace marblix
