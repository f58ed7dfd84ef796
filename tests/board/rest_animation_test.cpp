// Rest animations never outlive their ball: whatever takes the ball from its cell, changes or hides
// it, no frame shows the animation over a cell without that ball at rest.
#include <array>
#include <cmath>
#include <vector>

#include "BoardDoubles.h"

namespace marblix::testing {
namespace {

enum class Act { Select, Move, MoveThenUndo, GameOver };

struct GhostCase {
  const char* Name;
  std::vector<std::array<int, 3>> Balls;  // x, y, kind
  int AnimX, AnimY;  // the ball whose rest animation plays, aimed at again every frame
  Act What;
  std::array<int, 4> Move{};  // from x, y, to x, y
};

void PrintTo(const GhostCase& c, std::ostream* out) {
  *out << c.Name;
}

constexpr int C1 = KindFirstColour, C2 = KindFirstColour + 1, C3 = KindFirstColour + 2;

const GhostCase GhostCases[] = {
    {"selected", {{2, 2, C1}}, 2, 2, Act::Select},
    {"moved away", {{2, 2, C1}}, 2, 2, Act::Move, {2, 2, 2, 6}},
    {"in a line",
     {{0, 0, C1}, {1, 0, C1}, {2, 0, C1}, {3, 0, C1}, {4, 5, C1}},
     1,
     0,
     Act::Move,
     {4, 5, 4, 0}},
    {"painted",
     {{6, 3, C2}, {6, 4, C2}, {0, 8, KindFirstColourBomb}},
     6,
     4,
     Act::Move,
     {0, 8, 5, 4}},
    {"thrown", {{6, 3, C2}, {6, 4, C3}, {0, 8, KindBomb}}, 6, 4, Act::Move, {0, 8, 5, 4}},
    {"taken back", {{2, 2, C1}}, 2, 2, Act::MoveThenUndo, {2, 2, 2, 6}},
    {"cleared at the game's end", {}, 3, 3, Act::GameOver},
};

class RestAnimations : public BoardTest, public ::testing::WithParamInterface<GhostCase> {
 protected:
  // One frame whose rest draw (its first draw) starts an animation on (x, y) if it may.
  void FrameAimedAt(int x, int y) {
    values.MeasuredFps = 16;
    for (uint32_t low = 0;; ++low) {
      // The seed that steps to a draw of 10 of 16 (3645876429 undoes seed * 134775813 + 1), then
      // to (x, y).
      TShellValues probe;
      probe.RandSeed = ((10u << 28 | low << 8) - 1u) * 3645876429u;
      const uint32_t seed = probe.RandSeed;
      probe.Random(16);
      probe.Random(4);
      if (probe.Random(9) != uint32_t(x) || probe.Random(9) != uint32_t(y)) continue;
      values.RandSeed = seed;
      break;
    }
    board.UpdateHover();
    board.UpdateAndDraw(1.0);
  }
  // Every rest animation the engine would still play sits over a resting ball of its look.
  void ExpectNoGhost(int frame) {
    std::vector<ServiceCall> playing;
    for (const ServiceCall& c : services.Calls) {
      if (c.Op == "AddAnimation" && c.Picture.Variant >= RestVariant2 &&
          c.Picture.Variant <= RestVariant5) {
        playing.push_back(c);
      } else if (c.Op == "ClearAnimations") {
        playing.clear();
      } else if (c.Op == "RemoveNear" || c.Op == "EndAnimationsNear") {
        std::erase_if(playing, [&c](const ServiceCall& p) {
          return std::fabs(p.X - c.X) < 3 && std::fabs(p.Y - c.Y) < 3;
        });
      }
    }
    for (const ServiceCall& p : playing) {
      int x = 0, y = 0;
      ASSERT_TRUE(board.CellAt(int(p.X), int(p.Y), x, y));
      const TCell& cell = board.FCells(x, y);
      const bool selected = board.FSelected && board.FSelX == x && board.FSelY == y;
      EXPECT_TRUE(cell.Mask != 0 && LookOf(cell) == p.Picture.Look &&
                  board.FCellTimers(x, y) <= 0.0 && !selected)
          << "a rest animation over cell " << x << "," << y << " after frame " << frame;
    }
  }
};

TEST_P(RestAnimations, EndWithTheirBall) {
  const GhostCase& c = GetParam();
  const auto [fromX, fromY, toX, toY] = c.Move;
  values.GameMode = c.What == Act::GameOver ? ModeProfessional : ModeNormal;
  board.FNextCount = 3;
  board.FPreview.fill(BallKinds[KindJoker]);
  if (c.What == Act::GameOver) {
    FillWithoutLines();
    for (int x = 0; x < 4; ++x) board.FCells(x, 8).Mask = 0;
  }
  for (const auto& [x, y, kind] : c.Balls) Put(x, y, kind);
  FrameAimedAt(c.AnimX, c.AnimY);
  ASSERT_EQ(services.Count("AddAnimation"), 1) << "the ball's rest animation plays";

  if (c.What == Act::Select) ClickCell(c.AnimX, c.AnimY);
  if (c.What == Act::Move || c.What == Act::MoveThenUndo) {
    ASSERT_GT(Move(fromX, fromY, toX, toY), 0);
  }
  if (c.What == Act::MoveThenUndo) {
    RunUntilIdle();
    FrameAimedAt(toX, toY);  // the moved ball's own animation, at its new cell
    board.RequestUndo();
    ASSERT_NE(MaskAt(fromX, fromY), 0u);
  }
  if (c.What == Act::GameOver) board.DropBalls(4, false);
  for (int frame = 0; frame < 120 && (frame < 3 || board.FBusyTimer > -100.0); ++frame) {
    FrameAimedAt(c.AnimX, c.AnimY);
    ExpectNoGhost(frame);
  }
  EXPECT_LT(board.FBusyTimer, -100.0) << "the step came to rest";
}

INSTANTIATE_TEST_SUITE_P(EveryWayABallGoes, RestAnimations, ::testing::ValuesIn(GhostCases));

}  // namespace
}  // namespace marblix::testing
