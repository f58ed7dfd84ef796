// The daily challenge's rule: a date names one start board and, for each move made on a board,
// one set of balls it brings, the same on every machine, whatever the frame rate or the effects.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "shell/defs.h"

namespace marblix {

// A date of the Gregorian calendar.
struct TCivilDate {
  int Year = 2000;
  int Month = 1;
  int Day = 1;

  friend constexpr bool operator==(const TCivilDate&, const TCivilDate&) = default;
};

// The dates the game knows; an earlier clock counts as the first of them.
inline constexpr TCivilDate FirstDate{2000, 1, 1};
inline constexpr TCivilDate LastDate{9999, 12, 31};

// Days since 1970-01-01. Every date from FirstDate on has a number above 0, so the shell values'
// DailyDay of 0 means "not the day's game".
int32_t DayNumberOf(const TCivilDate& date);
TCivilDate DateOfDayNumber(int32_t day);
// "2026-12-09".
std::string DateText(const TCivilDate& date);
inline std::string DayText(int32_t day) {
  return DateText(DateOfDayNumber(day));
}
// Reads "YYYY-MM-DD", a date from FirstDate to LastDate; nothing otherwise.
std::optional<TCivilDate> ParseDate(std::string_view text);

// The generator's seed for the day's opening drop and its first preview.
uint32_t OpeningSeedOf(int32_t day);
// The generator's seed for everything a move draws on the day's board (its lines' texts, its
// blast, its drop and the new preview); `moveDigest` names the board and the move (MoveDigest).
uint32_t ArrivalSeedOf(int32_t day, uint64_t moveDigest);

// FNV-1a over 32-bit values, low byte first: the same digest on every machine.
class TDigest {
 public:
  void Add(uint32_t value);
  uint64_t Value() const { return value_; }

 private:
  uint64_t value_ = 0xCBF29CE484222325ull;
};

// While it lives, the shared generator draws from `seed`; afterwards it goes on from where it was,
// as if nothing had been drawn, so the day's draws leave every other sequence as it would be.
class TSeedScope {
 public:
  TSeedScope(TShellValues& values, uint32_t seed) : values_(values), saved_(values.RandSeed) {
    values_.RandSeed = seed;
  }
  ~TSeedScope() { values_.RandSeed = saved_; }
  TSeedScope(const TSeedScope&) = delete;
  TSeedScope& operator=(const TSeedScope&) = delete;

 private:
  TShellValues& values_;
  uint32_t saved_;
};

}  // namespace marblix
