// Taking moves back: what an undo restores, that the same moves then bring the same balls, that
// it waits for a running move, how deep it goes, and that a finished game has nothing to take back.
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

TEST_F(Undo, ThreeMovesTakenBackGiveTheStartAndTheSameThreeMovesThenTheSameBoards) {
  // A plain move with its drop, a move that makes a row (no drop), a bomb's blast.
  SetUpCase({"three moves",
             {{0, 0, 1},
              {1, 0, 1},
              {2, 0, 1},
              {3, 0, 1},
              {4, 5, 1},
              {8, 8, 5},
              {6, 4, 3},
              {0, 8, KindBomb}},
             0,
             0,
             0,
             0});
  const std::array<std::array<int, 4>, 3> moves{{{8, 8, 7, 8}, {4, 5, 4, 0}, {0, 8, 5, 4}}};
  std::vector<BoardState> states{State()};
  std::vector<std::vector<std::pair<float, float>>> thrown;
  for (const auto& [fx, fy, tx, ty] : moves) {
    services.Clear();
    ASSERT_GE(Move(fx, fy, tx, ty), 1.0) << fx << "," << fy;
    RunUntilIdle();
    IdleFrames(3);
    states.push_back(State());
    thrown.push_back(Throws());
  }
  ASSERT_EQ(board.MovesToTakeBack(), 3u);
  for (int back = 2; back >= 0; --back) {
    board.RequestUndo();
    EXPECT_EQ(State(), states[static_cast<size_t>(back)]) << "after taking back move " << back;
    EXPECT_EQ(board.MovesToTakeBack(), static_cast<size_t>(back));
  }
  EXPECT_FALSE(board.CanUndo());

  for (size_t m = 0; m < moves.size(); ++m) {
    IdleFrames(5 + static_cast<int>(m));  // the frames draw from the generator meanwhile
    services.Clear();
    const auto& [fx, fy, tx, ty] = moves[m];
    ASSERT_GE(Move(fx, fy, tx, ty), 1.0);
    RunUntilIdle();
    EXPECT_EQ(State().Cells, states[m + 1].Cells) << "move " << m;
    EXPECT_EQ(State().Preview, states[m + 1].Preview) << "move " << m;
    EXPECT_EQ(State().Score, states[m + 1].Score) << "move " << m;
    EXPECT_EQ(Throws(), thrown[m]) << "move " << m;
  }
}

TEST_F(Undo, TheOldestMovesAreForgottenBeyondTheDepth) {
  values.GameMode = ModeNormal;
  for (size_t move = 0; move < UndoDepth + 3; ++move) {
    // Four in a row and a fifth that completes it: no drop, and the board is empty again.
    for (int x = 0; x < 4; ++x) Put(x, 0, 2);
    Put(4, 3, 2);
    Move(4, 3, 4, 0);
    RunUntilIdle();
    ASSERT_FALSE(board.AnyBall());
  }
  EXPECT_EQ(board.MovesToTakeBack(), UndoDepth);
  size_t undone = 0;
  while (board.CanUndo() && undone <= UndoDepth) {
    board.RequestUndo();
    ++undone;
  }
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
