// The statistics' rules: a game that leaves the board joins its way's totals, a finished daily game
// sets the best of its day and the streak, and the page counts the game on the board in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "shell/play_record.h"

namespace marblix {

// The way a game is counted under: its mode, or the daily challenge.
uint8_t WayOf(uint8_t mode, bool daily);

// Adds a game that leaves the board to the totals of its way: played when a move was made,
// finished with its score when it ended. A finished daily game also sets the best score of its day
// and the streak of days.
void AddGame(TPlayStatistics& statistics, const TGameRecord& game, bool finished, int32_t score);

// The totals as the page shows them: the game on the board counted in as played, not finished.
TPlayStatistics WithGameOnBoard(const TPlayStatistics& statistics, const TGameRecord& game);

// The days in a row with a finished daily game, as they stand on `today`: none when the last one
// was finished before yesterday.
uint32_t StreakOn(const TPlayStatistics& statistics, int32_t today);
// The best daily score finished on `today`'s date, if there is one.
std::optional<int32_t> BestOfDay(const TPlayStatistics& statistics, int32_t day);

// The way's average final score, rounded; 0 with no finished game.
int64_t AverageScore(const TWayTotals& totals);
// Hours and minutes, "12:05".
std::string PlayTimeText(uint64_t milliseconds);
// Digits grouped by threes with commas, "1,450".
std::string GroupedNumber(int64_t number);
// The line put on the clipboard for sharing: "Marblix daily 2026-12-09: 1,450 points, 12 lines".
std::string DailySummaryLine(const TDailyResult& result);

}  // namespace marblix
