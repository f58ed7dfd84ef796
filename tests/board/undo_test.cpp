// Taking moves back: what an undo restores (the game's tally too), that the same move then brings
// the same balls, that it waits for a running move, how deep it goes, and that a finished game has
// nothing to take back.
#include <vector>

#include "BoardDoubles.h"

namespace marblix::testing {
namespace {

// Everything a move changes that an undo gives back.
struct BoardState {
  std::vector<TCell> Cells;
  std::array<TCell, PreviewSize> Preview{};
  int32_t NextCount = 0;
  uint8_t Chain = 0;
  int32_t Score = 0;
  TGameTally Tally;
  uint32_t Seed = 0;

  friend bool operator==(const BoardState&, const BoardState&) = default;
};

struct UndoCase {
  const char* Name;
  // Balls placed on an empty board before the move, as (x, y, kind).
  std::vector<std::array<int, 3>> Balls;
  int FromX, FromY, ToX, ToY;
};

class Undo : public BoardTest {
 protected:
  BoardState State() const {
    return {{board.FCells.begin(), board.FCells.end()},
            board.FPreview,
            board.FNextCount,
            board.FChain,
            values.Score,
            values.Tally,
            values.RandSeed};
  }
  void SetUpCase(const UndoCase& c) {
    values.GameMode = ModeNormal;
    for (const auto& [x, y, kind] : c.Balls) Put(x, y, kind);
    board.FPreview = {BallKinds[3], BallKinds[4], BallKinds[KindJoker], BallKinds[KindBomb]};
    board.FNextCount = 3;
    board.FChain = 2;
    values.Score = 120;
  }
  // The flying balls' speeds, which a bomb draws from the generator.
  std::vector<std::pair<float, float>> Throws() const {
    std::vector<std::pair<float, float>> out;
    for (const ServiceCall& c : services.Of("AddFlyingBall")) out.emplace_back(c.VX, c.VY);
    return out;
  }
  void IdleFrames(int frames) {
    for (int i = 0; i < frames; ++i) board.UpdateAndDraw(1.0);
  }
};

// A ball of colour 1 completes a row; a plain move brings the three preview balls; a bomb throws
// its neighbours; a colour bomb paints them.
const UndoCase UndoCases[] = {
    {"line", {{0, 0, 1}, {1, 0, 1}, {2, 0, 1}, {3, 0, 1}, {4, 5, 1}}, 4, 5, 4, 0},
    {"drop", {{0, 0, 1}, {6, 6, 2}, {8, 8, 5}}, 8, 8, 7, 8},
    {"bomb", {{6, 3, 2}, {6, 4, 3}, {6, 5, 4}, {0, 8, KindBomb}}, 0, 8, 5, 4},
    {"colour bomb", {{6, 3, 2}, {6, 4, 3}, {0, 8, KindFirstColourBomb}}, 0, 8, 5, 4},
};

TEST_F(Undo, RestoresTheBoardBeforeTheMoveAndTheSameMoveThenGivesTheSameBoard) {
  for (const UndoCase& c : UndoCases) {
    SCOPED_TRACE(c.Name);
    board.Create(9, 9);
    board.ClearBoard();
    services.Clear();
    SetUpCase(c);
    const BoardState before = State();
    ASSERT_GE(Move(c.FromX, c.FromY, c.ToX, c.ToY), 1.0);
    RunUntilIdle();
    const BoardState after = State();
    const auto thrown = Throws();
    ASSERT_NE(after.Cells, before.Cells);
    ASSERT_TRUE(board.CanUndo());

    board.RequestUndo();
    EXPECT_EQ(State(), before);
    EXPECT_FALSE(board.CanUndo());  // that was the game's first move
    EXPECT_FALSE(board.FSelected);

    // Frames go by before the player moves again, and each one draws from the generator.
    IdleFrames(7);
    ASSERT_NE(values.RandSeed, before.Seed);
    services.Clear();
    ASSERT_GE(Move(c.FromX, c.FromY, c.ToX, c.ToY), 1.0);
    RunUntilIdle();
    EXPECT_EQ(State().Cells, after.Cells);
    EXPECT_EQ(State().Preview, after.Preview);
    EXPECT_EQ(State().Score, after.Score);
    EXPECT_EQ(State().Chain, after.Chain);
    EXPECT_EQ(State().NextCount, after.NextCount);
    EXPECT_EQ(Throws(), thrown);
  }
}

// A plain move with its drop, a row of seven (one line), a cross (two lines sharing a ball, the
// chain's second), a bomb throwing three: the tally counts them, and undo takes each back in turn.
TEST_F(Undo, FourMovesAreTalliedAndTakenBackToTheStart) {
  SetUpCase({"", {{8, 8, 5}, {3, 3, 1}, {8, 0, 2}, {0, 8, KindBomb}}, 0, 0, 0, 0});
  board.FChain = 0;
  PutRun(0, 0, 1, 0, 3, 1);
  PutRun(4, 0, 1, 0, 3, 1);
  PutRun(0, 4, 1, 0, 4, 2);
  PutRun(4, 5, 0, 1, 4, 2);
  PutRun(6, 3, 0, 1, 3, 2);
  std::vector<BoardState> states{State()};
  for (const auto& [fx, fy, tx, ty] :
       {std::array{8, 8, 7, 8}, {3, 3, 3, 0}, {8, 0, 4, 4}, {0, 8, 5, 4}}) {
    ASSERT_GE(Move(fx, fy, tx, ty), 1.0) << fx << "," << fy;
    RunUntilIdle();
    states.push_back(State());
  }
  EXPECT_EQ(values.Tally,
            (TGameTally{3, 19, 1, 2, 4}));  // Lines, Balls, Bombs, LongestChain, Moves
  for (size_t back = states.size() - 1; back-- > 0;) {
    board.RequestUndo();
    EXPECT_EQ(State(), states[back]) << "taken back to move " << back;
    EXPECT_EQ(board.MovesToTakeBack(), back);
  }
  EXPECT_FALSE(board.CanUndo());
}

TEST_F(Undo, TheOldestMovesAreForgottenBeyondTheDepth) {
  values.GameMode = ModeNormal;
  for (size_t move = 0; move < UndoDepth + 3; ++move) {
    const int kind = move == UndoDepth + 2 ? 3 : 2;  // the newest move's colour tells it apart
    PutRun(0, 0, 1, 0, 4, kind);  // a row completed by the move: no drop, an empty board again
    Put(4, 3, kind);
    Move(4, 3, 4, 0);
    RunUntilIdle();
    ASSERT_FALSE(board.AnyBall());
  }
  board.RequestUndo();
  EXPECT_EQ(MaskAt(4, 3), BallKinds[3].Mask);  // the newest move kept
  size_t undone = 1;
  for (; board.CanUndo() && undone <= UndoDepth; ++undone) board.RequestUndo();
  EXPECT_EQ(undone, UndoDepth);
  EXPECT_EQ(MaskAt(4, 3), BallKinds[2].Mask);  // the oldest move kept, taken back
}

TEST_F(Undo, AskedForDuringAMoveItWaitsUntilTheMoveHasComeToRest) {
  SetUpCase(UndoCases[1]);
  const BoardState before = State();
  ASSERT_EQ(Move(8, 8, 8, 2), 6.0);
  IdleFrames(1);  // the ball is on its way
  board.RequestUndo();
  EXPECT_EQ(MaskAt(8, 8), BallKinds[5].Mask);
  IdleFrames(5);  // it arrives and the drop begins
  EXPECT_EQ(MaskAt(8, 2), BallKinds[5].Mask);
  EXPECT_GT(board.FBusyTimer, 0.0);
  EXPECT_NE(State(), before);
  RunUntilIdle();
  EXPECT_EQ(State(), before);
  EXPECT_FALSE(board.CanUndo());
}

TEST_F(Undo, AMoveThatEndsTheGameCannotBeTakenBack) {
  values.GameMode = ModeNormal;
  FillWithoutLines();
  for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {2, 0}}) board.FCells(x, y).Mask = 0;
  board.FNextCount = 3;
  Move(0, 1, 0, 0);  // three cells stay free: too few for a drop
  board.RequestUndo();
  RunUntilIdle(2000);
  EXPECT_EQ(services.Count("PlaceFinalScore"), 1);
  EXPECT_FALSE(board.AnyBall());
  EXPECT_FALSE(board.CanUndo());
  board.RequestUndo();
  EXPECT_FALSE(board.AnyBall());
}

TEST_F(Undo, ANewGameStartsWithNothingToTakeBack) {
  SetUpCase(UndoCases[1]);
  Move(8, 8, 7, 8);
  RunUntilIdle();
  ASSERT_TRUE(board.CanUndo());
  StartNewGame(ModeNormal);
  EXPECT_FALSE(board.CanUndo());
  const BoardState fresh = State();
  board.RequestUndo();
  EXPECT_EQ(State(), fresh);
}

}  // namespace
}  // namespace marblix::testing
