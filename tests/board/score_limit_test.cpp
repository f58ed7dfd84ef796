// The score of a resumed game may be anything a file holds; lines and chains never overflow it.
#include <cstdint>
#include <limits>

#include "board/BoardDoubles.h"

namespace marblix::testing {
namespace {

class ScoreLimit : public BoardTest {
 protected:
  void Line(int y, int length, int kind) {
    for (int x = 0; x < length; ++x) Put(x, y, kind);
  }
};

// Found by the Config.bin fuzz target: a saved score of 2147483632 plus a line's 150 points
// overflowed the score.
TEST_F(ScoreLimit, ALineOnTheLargestScoreKeepsTheLargestScore) {
  constexpr int32_t Largest = std::numeric_limits<int32_t>::max();
  values.Score = Largest - 16;
  Line(0, 9, 1);
  EXPECT_EQ(board.RemoveLines(), 9);
  EXPECT_EQ(values.Score, Largest);

  board.FChain = 5;  // the chain bonus is added on top, and stops there as well
  Line(1, 5, 2);
  EXPECT_EQ(board.RemoveLines(), 5);
  EXPECT_EQ(values.Score, Largest);
}

TEST_F(ScoreLimit, ScoresBelowTheLimitStillAddUpExactly) {
  values.Score = 1000000;
  board.FChain = 1;
  Line(4, 5, 3);
  EXPECT_EQ(board.RemoveLines(), 5);
  EXPECT_EQ(values.Score, 1000000 + 50 + 50);
}

}  // namespace
}  // namespace marblix::testing
