// Lines and scoring: rows, columns, diagonals, longer runs and crosses, jokers and two-colour
// balls, the multiplier joker, the chain bonus and where the score texts appear.
#include "BoardDoubles.h"

namespace marblix::testing {
namespace {

class Lines : public BoardTest {
 protected:
  void Line(int x, int y, int dx, int dy, int length, int kind) {
    for (int k = 0; k < length; ++k) Put(x + k * dx, y + k * dy, kind);
  }
  std::vector<std::string> Texts() {
    std::vector<std::string> out;
    for (const ServiceCall& c : services.Of("AddText")) out.push_back(c.Text);
    return out;
  }
};

TEST_F(Lines, FiveInARowColumnOrEitherDiagonalVanishForFifty) {
  struct Case {
    int x, y, dx, dy;
  };
  for (const Case& c : {Case{2, 3, 1, 0}, Case{6, 1, 0, 1}, Case{0, 0, 1, 1}, Case{4, 8, 1, -1},
                        Case{4, 0, 1, 0}, Case{8, 4, 0, 1}, Case{4, 4, 1, 1}, Case{4, 4, 1, -1}}) {
    board.FCells.Fill({});
    services.Clear();
    values.Score = 0;
    Line(c.x, c.y, c.dx, c.dy, 5, 4);
    // A ball of another colour just before the line stays.
    const bool before = board.OnBoard(c.x - c.dx, c.y - c.dy);
    if (before) Put(c.x - c.dx, c.y - c.dy, 5);
    EXPECT_EQ(board.RemoveLines(), 5) << c.x << "," << c.y;
    EXPECT_EQ(values.Score, 50);
    EXPECT_EQ(81 - board.CountFree(), before ? 1 : 0);
    EXPECT_EQ(services.Played(), std::vector<std::string>{"s_disapp"});
    const auto balls = services.Of("AddBall");
    ASSERT_EQ(balls.size(), 5u);
    for (const ServiceCall& b : balls) {
      EXPECT_FALSE(b.Appear);
      EXPECT_EQ(b.Picture, BallPictureOf(3));
    }
    // Vanishing balls sit a pixel right of and two below the cell centre, in visiting order.
    const int firstX = c.dx < 0 ? c.x + 4 * c.dx : c.x;
    EXPECT_FLOAT_EQ(balls[0].X, 324 + 52 * firstX);
    EXPECT_EQ(Texts(), std::vector<std::string>{"+50"});
  }
}

TEST_F(Lines, FourAreNotALineAndLeaveEverythingAlone) {
  Line(0, 0, 1, 0, 4, 1);
  Line(0, 2, 0, 1, 4, 2);
  Line(3, 3, 1, 1, 4, 3);
  Line(1, 8, 1, -1, 4, 4);
  Put(4, 0, 2);
  EXPECT_EQ(board.RemoveLines(), 0);
  EXPECT_EQ(values.Score, 0);
  EXPECT_TRUE(services.Calls.empty());
  EXPECT_EQ(81 - board.CountFree(), 17);
}

TEST_F(Lines, SixScoreSeventyAndTheCrossOfNineScoresOneThirtyWithTheThirdSound) {
  Line(1, 2, 1, 0, 6, 6);
  EXPECT_EQ(board.RemoveLines(), 6);
  EXPECT_EQ(values.Score, 70);
  EXPECT_EQ(Texts(), std::vector<std::string>{"+70"});
  EXPECT_EQ(services.Played(), std::vector<std::string>{"s_disapp2"});

  services.Clear();
  values.Score = 0;
  Line(2, 4, 1, 0, 5, 5);  // row 4 from column 2 to 6
  Line(4, 2, 0, 1, 5, 5);  // column 4 from row 2 to 6, sharing (4, 4)
  EXPECT_EQ(board.RemoveLines(), 9);
  EXPECT_EQ(values.Score, 130);
  EXPECT_EQ(Texts(), std::vector<std::string>{"+130"});
  EXPECT_EQ(services.Played(), std::vector<std::string>{"s_disapp3"});
  EXPECT_EQ(board.CountFree(), 81);
  // The text sits over the centre (4, 4): columns step 52, rows step 51.
  const auto text = services.Of("AddText")[0];
  EXPECT_FLOAT_EQ(text.X, 303 + 52 * 4);
  EXPECT_FLOAT_EQ(text.Y, 31 + 51 * 4);
}

TEST_F(Lines, JokersMatchAnyColourAndTwoColourBallsEitherOfTheirs) {
  Put(0, 0, 1);
  Put(1, 0, KindJoker);
  Put(2, 0, 9);  // colours 1 and 3
  Put(3, 0, 1);
  Put(4, 0, KindJokerX3);
  EXPECT_EQ(board.RemoveLines(), 5);

  // Two-colour balls of 4 and 6 with plain 4 and 6 balls: no colour is common to all five.
  board.FCells.Fill({});
  Put(0, 5, 8);
  Put(1, 5, 4);
  Put(2, 5, 8);
  Put(3, 5, 6);
  Put(4, 5, 8);
  EXPECT_EQ(board.RemoveLines(), 0);
  Put(3, 5, 4);
  EXPECT_EQ(board.RemoveLines(), 5);

  // Colour bombs of any colours line up with each other; bombs only with bombs.
  board.FCells.Fill({});
  for (int k = 0; k < 5; ++k) Put(k, 1, KindFirstColourBomb + k);
  for (int k = 0; k < 4; ++k) Put(k, 3, KindBomb);
  Put(4, 3, KindJoker);
  EXPECT_EQ(board.RemoveLines(), 5);
  EXPECT_EQ(MaskAt(0, 3), MaskBomb);
}

TEST_F(Lines, TheMultiplierJokerMultipliesTheLineButNotTheChainBonus) {
  Line(0, 7, 1, 0, 4, 2);
  Put(4, 7, KindJokerX3);
  board.FChain = 1;
  EXPECT_EQ(board.RemoveLines(), 5);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"+50x3", "+50 Chain Bonus"}));
  EXPECT_EQ(values.Score, 150 + 50);
  EXPECT_EQ(services.Played(), std::vector<std::string>{"s_disapp3"});  // 5 * 3 = 15

  // Nine balls with the x9 joker: factor 117 is past the last sound.
  services.Clear();
  values.Score = 0;
  board.FChain = 0;
  Line(2, 4, 1, 0, 5, 5);
  Line(4, 2, 0, 1, 5, 5);
  Put(4, 4, KindJokerX9);
  EXPECT_EQ(board.RemoveLines(), 9);
  EXPECT_EQ(values.Score, 13 * 9 * 10);
  EXPECT_EQ(Texts(), std::vector<std::string>{"+130x9"});
  EXPECT_TRUE(services.Played().empty());
}

TEST_F(Lines, TheChainBonusTextSitsLeftOfTheScoreAndGrowsWithTheChain) {
  Line(0, 2, 0, 1, 5, 3);  // column 0, rows 2..6: centre (0, 4)
  board.FChain = 2;
  EXPECT_EQ(board.RemoveLines(), 5);
  EXPECT_EQ(values.Score, 50 + 100);
  const auto texts = services.Of("AddText");
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[1].Text, "+100 Chain Bonus");
  EXPECT_FLOAT_EQ(texts[1].X, 220);
  EXPECT_FLOAT_EQ(texts[1].Y, 51 + 51 * 4);
  EXPECT_FLOAT_EQ(texts[0].X, 303);
  EXPECT_FLOAT_EQ(texts[0].Y, 31 + 51 * 4);
}

class Chain : public BoardTest {};

TEST_F(Chain, RisesOnConsecutiveLineMovesAndResetsOnAMoveWithoutOne) {
  board.FPreview.fill(BallKinds[KindBomb]);  // dropped bombs make no line and never go off
  board.FNextCount = 3;
  // Rows 0, 2 and 4: four of a kind in columns 0..3 and a fifth at column 5.
  for (int row : {0, 2, 4}) {
    for (int k = 0; k < 4; ++k) Put(k, row, 1 + row / 2);
    Put(5, row, 1 + row / 2);
  }
  const int expectedScore[] = {50, 50 + 50 + 50, 150 + 50 + 100};
  for (int n = 0; n < 3; ++n) {
    ASSERT_DOUBLE_EQ(Move(5, 2 * n, 4, 2 * n), 1.0);
    RunUntilIdle();
    EXPECT_EQ(board.FChain, n + 1);
    EXPECT_EQ(values.Score, expectedScore[n]);
    EXPECT_EQ(board.FNextCount, 3);
  }
  EXPECT_EQ(board.CountFree(), 81);  // no drop after line moves
  Put(8, 8, 2);
  ASSERT_DOUBLE_EQ(Move(8, 8, 8, 7), 1.0);
  RunUntilIdle();
  EXPECT_EQ(board.FChain, 0);
  EXPECT_EQ(81 - board.CountFree(), 1 + 3);
  // The next line move earns no bonus.
  services.Clear();
  for (int k = 0; k < 4; ++k) Put(k, 8, 6);
  Put(5, 8, 6);
  values.Score = 0;
  const double steps = Move(5, 8, 4, 8);
  if (steps > 0) RunUntilIdle();
  EXPECT_EQ(values.Score, 50);
  EXPECT_EQ(board.FChain, 1);
}

}  // namespace
}  // namespace marblix::testing
