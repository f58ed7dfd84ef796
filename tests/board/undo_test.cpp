// Taking a move back: what it restores, that the same move then brings the same balls, that it
// waits for a running move, and that a finished game has nothing to take back.
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
    EXPECT_FALSE(board.CanUndo());  // one move only
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
