// The totals of every way to play, the daily challenge's best of the day and streak, and the
// texts of the page and of the shared line.
#include "shell/statistics.h"

#include <algorithm>
#include <cstdio>

#include "board/DayGame.h"
#include "shell/defs.h"

namespace marblix {
namespace {

void AddDailyEnd(TPlayStatistics& statistics, int32_t day, int32_t score) {
  if (day > statistics.BestDay) {
    statistics.BestDay = day;
    statistics.BestOfDay = score;
  } else if (day == statistics.BestDay) {
    statistics.BestOfDay = std::max(statistics.BestOfDay, score);
  }
  if (day == statistics.LastFinishedDay) return;
  // A clock set back never breaks a streak that was made.
  if (day < statistics.LastFinishedDay) return;
  statistics.Streak = day == statistics.LastFinishedDay + 1 ? statistics.Streak + 1 : 1;
  statistics.LastFinishedDay = day;
}

}  // namespace

uint8_t WayOf(uint8_t mode, bool daily) {
  return daily ? uint8_t{WayDaily} : std::min<uint8_t>(mode, ModeProfessional);
}

void AddGame(TPlayStatistics& statistics, const TGameRecord& game, bool finished, int32_t score) {
  if (!game.Present) return;
  TWayTotals& way = statistics.Ways[std::min<int>(game.Way, PlayWayCount - 1)];
  const bool played = game.Counted || game.Tally.Moves > 0;
  if (played) ++way.Played;
  way.Lines += game.Tally.Lines;
  way.Balls += game.Tally.Balls;
  way.Bombs += game.Tally.Bombs;
  way.LongestChain = std::max(way.LongestChain, game.Tally.LongestChain);
  way.Milliseconds += game.Milliseconds;
  if (!finished || !played) return;
  ++way.Finished;
  score = std::max(score, 0);
  way.ScoreSum += static_cast<uint64_t>(score);
  way.Best = std::max(way.Best, score);
  if (game.Way == WayDaily) AddDailyEnd(statistics, game.Day, score);
}

TPlayStatistics WithGameOnBoard(const TPlayStatistics& statistics, const TGameRecord& game) {
  TPlayStatistics shown = statistics;
  AddGame(shown, game, false, 0);
  return shown;
}

uint32_t StreakOn(const TPlayStatistics& statistics, int32_t today) {
  return today - statistics.LastFinishedDay <= 1 ? statistics.Streak : 0;
}

std::optional<int32_t> BestOfDay(const TPlayStatistics& statistics, int32_t day) {
  if (day == 0 || statistics.BestDay != day) return std::nullopt;
  return statistics.BestOfDay;
}

int64_t AverageScore(const TWayTotals& totals) {
  if (totals.Finished == 0) return 0;
  return static_cast<int64_t>((totals.ScoreSum + totals.Finished / 2) / totals.Finished);
}

std::string PlayTimeText(uint64_t milliseconds) {
  const uint64_t minutes = milliseconds / 60000;
  char text[32];
  std::snprintf(text, sizeof text, "%llu:%02llu", static_cast<unsigned long long>(minutes / 60),
                static_cast<unsigned long long>(minutes % 60));
  return text;
}

std::string GroupedNumber(int64_t number) {
  std::string digits = std::to_string(number < 0 ? -number : number);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
  return number < 0 ? "-" + digits : digits;
}

std::string DailySummaryLine(const TDailyResult& result) {
  return "Marblix daily " + DayText(result.Day) + ": " + GroupedNumber(result.Score) + " points, " +
         GroupedNumber(result.Lines) + (result.Lines == 1 ? " line" : " lines");
}

}  // namespace marblix
