// The hint: which move it finds (the first that completes a line by the board's matching rules),
// that the board really removes a line for it, and that asking for it never touches the generator.
#include "BoardDoubles.h"

namespace marblix::testing {
namespace {

struct Ball {
  int X, Y, Kind;
};

struct HintCase {
  const char* Name;
  std::vector<Ball> Balls;
  std::optional<TBoardMove> Expected;
};

void PrintTo(const HintCase& c, std::ostream* out) {
  *out << c.Name;
}

constexpr int C1 = KindFirstColour, C2 = KindFirstColour + 1, C3 = KindFirstColour + 2;
constexpr int C4 = KindFirstColour + 3, C5 = KindFirstColour + 4, C6 = KindFirstColour + 5;
constexpr int Colours4And6 = KindFirstTwoColour, Colours1And3 = KindFirstTwoColour + 1;
constexpr int ColourBomb1 = KindFirstColourBomb, ColourBomb2 = KindFirstColourBomb + 1;
constexpr int ColourBomb3 = KindFirstColourBomb + 2;

const std::vector<HintCase>& Cases() {
  static const std::vector<HintCase> cases = {
      {"a fifth ball completes a row",
       {{0, 0, C1}, {1, 0, C1}, {2, 0, C1}, {3, 0, C1}, {8, 8, C1}},
       TBoardMove{8, 8, 4, 0}},
      {"four alone make no line: the ball that moves leaves its cell",
       {{0, 0, C1}, {1, 0, C1}, {2, 0, C1}, {3, 0, C1}},
       std::nullopt},
      {"the fifth ball is walled in",
       {{0, 0, C1}, {1, 0, C1}, {2, 0, C1}, {3, 0, C1}, {8, 8, C1}, {7, 8, C2}, {8, 7, C3}},
       std::nullopt},
      {"a joker completes a column, first target in scan order",
       {{2, 3, C2}, {2, 4, C2}, {2, 5, C2}, {2, 6, C2}, {6, 6, KindJoker}},
       TBoardMove{6, 6, 2, 2}},
      {"a joker inside the row joins it",
       {{0, 8, C1}, {1, 8, C1}, {2, 8, KindJoker}, {3, 8, C1}, {6, 0, C1}},
       TBoardMove{6, 0, 4, 8}},
      {"a two-colour ball joins a line of either colour",
       {{0, 0, C4}, {1, 1, C4}, {2, 2, C4}, {3, 3, C4}, {8, 0, Colours4And6}},
       TBoardMove{8, 0, 4, 4}},
      {"a two-colour ball of other colours does not",
       {{0, 0, C4}, {1, 1, C4}, {2, 2, C4}, {3, 3, C4}, {8, 0, Colours1And3}},
       std::nullopt},
      {"all five must share one colour, not only neighbours",
       {{0, 4, C4}, {1, 4, C4}, {2, 4, Colours4And6}, {3, 4, C4}, {8, 0, C6}},
       std::nullopt},
      {"a rising diagonal",
       {{0, 8, C5}, {1, 7, C5}, {2, 6, C5}, {3, 5, C5}, {8, 8, C5}},
       TBoardMove{8, 8, 4, 4}},
      {"a colour bomb completes a line of its colour",
       {{4, 0, C3}, {4, 1, C3}, {4, 2, C3}, {4, 3, C3}, {0, 8, ColourBomb3}},
       TBoardMove{0, 8, 4, 4}},
      {"colour bombs of any colours match each other",
       {{0, 2, ColourBomb1},
        {1, 2, ColourBomb1},
        {2, 2, ColourBomb1},
        {3, 2, ColourBomb1},
        {8, 8, ColourBomb2}},
       TBoardMove{8, 8, 4, 2}},
      {"bombs never complete a line: they go off",
       {{0, 0, KindBomb}, {1, 0, KindBomb}, {2, 0, KindBomb}, {3, 0, KindBomb}, {8, 8, KindBomb}},
       std::nullopt},
  };
  return cases;
}

class Hint : public BoardTest, public ::testing::WithParamInterface<HintCase> {
 protected:
  void PutBalls(const std::vector<Ball>& balls) {
    for (const Ball& ball : balls) Put(ball.X, ball.Y, ball.Kind);
  }
};

TEST_P(Hint, FindsTheFirstMoveThatCompletesALineAndTheBoardRemovesItsLine) {
  const HintCase& c = GetParam();
  PutBalls(c.Balls);
  const std::optional<TBoardMove> found = FindLineMove(board.FCells);
  ASSERT_EQ(found.has_value(), c.Expected.has_value());
  board.ShowHint();  // it always answers: the move, or that there is none
  EXPECT_EQ(board.FHintTimer > 0, found.has_value());
  EXPECT_EQ(board.FNoLineTimer > 0, !found.has_value());
  if (!found) return;
  EXPECT_EQ(*found, *c.Expected);
  values.Score = 0;
  Move(found->FromX, found->FromY, found->ToX, found->ToY);
  RunUntilIdle();
  EXPECT_GT(values.Score, 0) << "the board made no line of the hinted move";
  EXPECT_EQ(MaskAt(found->ToX, found->ToY), 0u);
}

INSTANTIATE_TEST_SUITE_P(Boards, Hint, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<HintCase>& param) {
                           std::string name = param.param.Name;
                           for (char& ch : name)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

class ShowHint : public BoardTest {
 protected:
  void SetUp() override {
    BoardTest::SetUp();
    for (const Ball& ball : Cases()[0].Balls) Put(ball.X, ball.Y, ball.Kind);
  }
};

TEST_F(ShowHint, NeverDrawsFromTheGenerator) {
  // A twin board with the same balls and seed, whose player never asks for a hint.
  TShellValues twinValues;
  twinValues.ScreenState = GameScreen;
  RecordingServices twinServices{twinValues};
  TGameField twin{
      TBoardServices{twinServices, twinServices, twinServices, twinServices, twinServices},
      twinValues};
  twin.FCells = board.FCells;
  values.MeasuredFps = twinValues.MeasuredFps = 20;  // rest animations draw every frame
  twinValues.RandSeed = values.RandSeed;

  board.ShowHint();
  EXPECT_EQ(values.RandSeed, twinValues.RandSeed);
  for (int frame = 0; frame < 40; ++frame) {
    board.UpdateHover();
    board.UpdateAndDraw(1.0);
    twin.UpdateHover();
    twin.UpdateAndDraw(1.0);
    ASSERT_EQ(values.RandSeed, twinValues.RandSeed) << "frame " << frame;
  }
}

TEST_F(ShowHint, LastsHintTimeAndEndsWhenAMoveStarts) {
  board.ShowHint();
  EXPECT_DOUBLE_EQ(board.FHintTimer, HintTime);
  EXPECT_EQ(board.FHint, (TBoardMove{8, 8, 4, 0}));
  for (int frame = 0; frame < 22; ++frame) board.UpdateAndDraw(1.0);
  EXPECT_GT(board.FHintTimer, 0.0);
  board.UpdateAndDraw(1.0);
  EXPECT_LE(board.FHintTimer, 0.0);

  board.ShowHint();
  Move(8, 8, 4, 0);
  EXPECT_LE(board.FHintTimer, 0.0);
}

TEST_F(ShowHint, AskedDuringAStepIsFoundWhenTheStepHasEnded) {
  board.FBusyTimer = 3.0;
  board.ShowHint();
  EXPECT_LE(board.FHintTimer, 0.0);
  RunUntilIdle();
  EXPECT_GT(board.FHintTimer, 0.0);
  EXPECT_EQ(board.FHint, (TBoardMove{8, 8, 4, 0}));
}

}  // namespace
}  // namespace marblix::testing
