// What the statistics count: one game's tally as the board keeps it, the totals of each way to
// play, the daily challenge's best of the day and streak, and the game on the board.
#pragma once

#include <array>
#include <cstdint>

namespace marblix {

// What the game on the board has done so far; the board counts, an undo takes back its share.
struct TGameTally {
  uint32_t Lines = 0;         // lines made (a cross of two lines counts two)
  uint32_t Balls = 0;         // balls cleared by lines and by bombs
  uint32_t Bombs = 0;         // bombs and colour bombs set off
  uint32_t LongestChain = 0;  // the most line-making moves in a row
  uint32_t Moves = 0;         // moves made

  friend bool operator==(const TGameTally&, const TGameTally&) = default;
};

// The four ways to play, as the statistics keep them apart.
enum TPlayWay : uint8_t { WayKids = 0, WayNormal = 1, WayProfessional = 2, WayDaily = 3 };
inline constexpr int PlayWayCount = 4;

// One way to play over every game that has left the board.
struct TWayTotals {
  uint32_t Played = 0;    // games in which a move was made
  uint32_t Finished = 0;  // games played to their end (or a daily finished as it stood)
  int32_t Best = 0;       // the best final score
  uint64_t ScoreSum = 0;  // of the finished games, for their average
  uint64_t Lines = 0;
  uint64_t Balls = 0;
  uint32_t LongestChain = 0;
  uint64_t Bombs = 0;
  uint64_t Milliseconds = 0;  // on the game screen with no question open

  friend bool operator==(const TWayTotals&, const TWayTotals&) = default;
};

struct TPlayStatistics {
  std::array<TWayTotals, PlayWayCount> Ways{};
  // The best finished daily score of day BestDay.
  int32_t BestDay = 0;
  int32_t BestOfDay = 0;
  // The days in a row, up to LastFinishedDay, on each of which a daily game was finished.
  int32_t LastFinishedDay = 0;
  uint32_t Streak = 0;

  friend bool operator==(const TPlayStatistics&, const TPlayStatistics&) = default;
};

// The game on the board as the statistics follow it; Present is false when there is none.
struct TGameRecord {
  bool Present = false;
  uint8_t Way = WayNormal;
  int32_t Day = 0;       // the daily challenge's day
  bool Counted = false;  // a move has been made, so the game counts as played
  TGameTally Tally;      // as it was when the record was last taken
  uint64_t Milliseconds = 0;
  // The kept game in Config.bin this record belongs to (0: the game was not kept).
  uint64_t Fingerprint = 0;

  friend bool operator==(const TGameRecord&, const TGameRecord&) = default;
};

// How the last daily game ended, for the result shown and shared.
struct TDailyResult {
  int32_t Day = 0;
  int32_t Score = 0;
  uint32_t Lines = 0;
};

}  // namespace marblix
