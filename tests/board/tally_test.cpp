// The game's tally as the statistics read it: lines (a longer run once, a cross twice), balls
// cleared by lines and bombs, bombs set off, the longest chain and the moves; an undo takes back
// what the move counted.
#include <vector>

#include "BoardDoubles.h"

namespace marblix::testing {
namespace {

struct TallyCase {
  const char* Name;
  std::vector<std::array<int, 3>> Balls;  // (x, y, kind) on an empty board
  std::vector<std::array<int, 4>> Moves;  // (from x, from y, to x, to y), made one after another
  TGameTally Expected;                    // Lines, Balls, Bombs, LongestChain, Moves
};

const TallyCase TallyCases[] = {
    {"a row of five",
     {{0, 0, 1}, {1, 0, 1}, {2, 0, 1}, {3, 0, 1}, {4, 5, 1}},
     {{4, 5, 4, 0}},
     {1, 5, 0, 1, 1}},
    {"a row of seven is one line",
     {{0, 0, 1}, {1, 0, 1}, {2, 0, 1}, {4, 0, 1}, {5, 0, 1}, {6, 0, 1}, {3, 5, 1}},
     {{3, 5, 3, 0}},
     {1, 7, 0, 1, 1}},
    {"two lines sharing a ball are two",
     {{0, 4, 2},
      {1, 4, 2},
      {2, 4, 2},
      {3, 4, 2},
      {4, 5, 2},
      {4, 6, 2},
      {4, 7, 2},
      {4, 8, 2},
      {8, 0, 2}},
     {{8, 0, 4, 4}},
     {2, 9, 0, 1, 1}},
    {"a bomb throws its three neighbours",
     {{6, 3, 2}, {6, 4, 3}, {6, 5, 4}, {0, 8, KindBomb}},
     {{0, 8, 5, 4}},
     {0, 3, 1, 0, 1}},
    {"two rows in two moves are a chain of two",
     {{0, 0, 1},
      {1, 0, 1},
      {2, 0, 1},
      {3, 0, 1},
      {4, 5, 1},
      {0, 8, 3},
      {1, 8, 3},
      {2, 8, 3},
      {3, 8, 3},
      {8, 2, 3}},
     {{4, 5, 4, 0}, {8, 2, 4, 8}},
     {2, 10, 0, 2, 2}},
};

class Tally : public BoardTest {};

TEST_F(Tally, CountsWhatTheMovesDidAndAnUndoTakesItsShareBack) {
  for (const TallyCase& c : TallyCases) {
    SCOPED_TRACE(c.Name);
    board.Create(9, 9);
    board.ClearBoard();
    values.GameMode = ModeNormal;
    values.Tally = {};
    for (const auto& [x, y, kind] : c.Balls) Put(x, y, kind);
    board.FNextCount = 3;
    TGameTally beforeLastMove;
    for (const auto& [fx, fy, tx, ty] : c.Moves) {
      beforeLastMove = values.Tally;
      ASSERT_GE(Move(fx, fy, tx, ty), 1.0);
      RunUntilIdle();
    }
    EXPECT_EQ(values.Tally, c.Expected);
    board.RequestUndo();
    EXPECT_EQ(values.Tally, beforeLastMove);
  }
}

}  // namespace
}  // namespace marblix::testing
