// Dates as day numbers and text, and the seeds of the day's game.
#include "board/DayGame.h"

#include <cstdio>

namespace marblix {
namespace {

// The civil calendar's days from 1970-01-01, counted in eras of 400 years from March 1st.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2 ? 1 : 0;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yearOfEra = y - era * 400;
  const int64_t dayOfYear = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : Days[month - 1];
}

// A number of `digits` decimal digits, nothing else.
std::optional<int> Digits(std::string_view text, size_t digits) {
  if (text.size() != digits) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// The finaliser of SplitMix64: every input bit reaches every output bit.
uint64_t Mix(uint64_t z) {
  z += 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

// Sets the day's numbers apart from any other use of the mixer.
constexpr uint64_t DayGameSalt = 0x4D61726269786479ull;

}  // namespace

int32_t DayNumberOf(const TCivilDate& date) {
  return static_cast<int32_t>(DaysFromCivil(date.Year, date.Month, date.Day));
}

TCivilDate DateOfDayNumber(int32_t day) {
  const int64_t z = int64_t{day} + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t dayOfEra = z - era * 146097;
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t mp = (5 * dayOfYear + 2) / 153;
  const int64_t d = dayOfYear - (153 * mp + 2) / 5 + 1;
  const int64_t m = mp < 10 ? mp + 3 : mp - 9;
  const int64_t y = yearOfEra + era * 400 + (m <= 2 ? 1 : 0);
  return {static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

std::string DateText(const TCivilDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.Year, date.Month, date.Day);
  return text;
}

std::optional<TCivilDate> ParseDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto year = Digits(text.substr(0, 4), 4);
  const auto month = Digits(text.substr(5, 2), 2);
  const auto day = Digits(text.substr(8, 2), 2);
  if (!year || !month || !day || *year < FirstDate.Year || *month < 1 || *month > 12) {
    return std::nullopt;
  }
  if (*day < 1 || *day > DaysInMonth(*year, *month)) return std::nullopt;
  return TCivilDate{*year, *month, *day};
}

uint32_t OpeningSeedOf(int32_t day) {
  return static_cast<uint32_t>(Mix(DayGameSalt ^ static_cast<uint32_t>(day)) >> 32);
}

uint32_t ArrivalSeedOf(int32_t day, uint64_t moveDigest) {
  return static_cast<uint32_t>(Mix(Mix(DayGameSalt ^ static_cast<uint32_t>(day)) ^ moveDigest) >>
                               32);
}

void TDigest::Add(uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) {
    value_ ^= (value >> shift) & 0xFFu;
    value_ *= 0x100000001B3ull;
  }
}

}  // namespace marblix
