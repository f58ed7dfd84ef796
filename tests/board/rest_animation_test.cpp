// Rest animations never outlive their ball: whatever takes the ball from its cell, changes it or
// hides it (a selection, a move, a line, a colour bomb's paint, a bomb's blast, the game's end, an
// undo), no frame shows the animation over a cell without that ball at rest.
#include <cmath>
#include <vector>

#include "BoardDoubles.h"

namespace marblix::testing {
namespace {

// The seed that the generator steps to `next` from.
constexpr uint32_t SeedBefore(uint32_t next) {
  uint32_t inverse = 134775813u;
  for (int i = 0; i < 5; ++i) inverse *= 2u - 134775813u * inverse;
  return (next - 1u) * inverse;
}

enum class Act { Select, Move, MoveThenUndo, GameOver };

struct Ball {
  int X, Y, Kind;
};

struct GhostCase {
  const char* Name;
  std::vector<Ball> Balls;
  int AnimX, AnimY;  // the ball whose rest animation plays, and is aimed at again every frame
  Act What;
  int FromX = 0, FromY = 0, ToX = 0, ToY = 0;
};

void PrintTo(const GhostCase& c, std::ostream* out) {
  *out << c.Name;
}

constexpr int C1 = KindFirstColour, C2 = KindFirstColour + 1, C3 = KindFirstColour + 2;

const GhostCase GhostCases[] = {
    {"selected", {{2, 2, C1}}, 2, 2, Act::Select},
    {"moved away", {{2, 2, C1}}, 2, 2, Act::Move, 2, 2, 2, 6},
    {"removed in a line",
     {{0, 0, C1}, {1, 0, C1}, {2, 0, C1}, {3, 0, C1}, {4, 5, C1}},
     1,
     0,
     Act::Move,
     4,
     5,
     4,
     0},
    {"painted", {{6, 3, C2}, {6, 4, C2}, {0, 8, KindFirstColourBomb}}, 6, 4, Act::Move, 0, 8, 5, 4},
    {"thrown", {{6, 3, C2}, {6, 4, C3}, {0, 8, KindBomb}}, 6, 4, Act::Move, 0, 8, 5, 4},
    {"taken back", {{2, 2, C1}}, 2, 2, Act::MoveThenUndo, 2, 2, 2, 6},
    {"cleared at the game's end", {}, 3, 3, Act::GameOver},
};

class RestAnimations : public BoardTest, public ::testing::WithParamInterface<GhostCase> {
 protected:
  // Sets the generator so that this frame's rest draw starts an animation on (x, y).
  void AimRestAnimationAt(int x, int y) {
    values.MeasuredFps = 16;
    for (uint32_t low = 0;; ++low) {
      TShellValues probe;
      probe.RandSeed = SeedBefore((10u << 28) | (low << 8));
      const uint32_t seed = probe.RandSeed;
      probe.Random(16);
      probe.Random(4);
      if (probe.Random(9) != static_cast<uint32_t>(x)) continue;
      if (probe.Random(9) != static_cast<uint32_t>(y)) continue;
      values.RandSeed = seed;
      return;
    }
  }
  void FrameAimedAt(int x, int y) {
    AimRestAnimationAt(x, y);
    board.UpdateHover();
    board.UpdateAndDraw(1.0);
  }

  struct Playing {
    BallPicture Picture;
    float X, Y;
  };
  // The rest animations the particle engine still plays, from the board's calls.
  std::vector<Playing> RestAnimationsPlaying() const {
    std::vector<Playing> playing;
    for (const ServiceCall& c : services.Calls) {
      if (c.Op == "AddAnimation" && c.Picture.Variant >= RestVariant2 &&
          c.Picture.Variant <= RestVariant5) {
        playing.push_back({c.Picture, c.X, c.Y});
      } else if (c.Op == "ClearAnimations") {
        playing.clear();
      } else if (c.Op == "RemoveNear" || c.Op == "EndAnimationsNear") {
        std::erase_if(playing, [&c](const Playing& p) {
          return std::fabs(p.X - c.X) < 3 && std::fabs(p.Y - c.Y) < 3;
        });
      }
    }
    return playing;
  }
  void ExpectNoGhost(int frame) {
    for (const Playing& p : RestAnimationsPlaying()) {
      int x = 0, y = 0;
      ASSERT_TRUE(board.CellAt(static_cast<int>(p.X), static_cast<int>(p.Y), x, y));
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
  values.GameMode = ModeNormal;
  board.FNextCount = 3;
  board.FPreview.fill(BallKinds[KindJoker]);
  if (c.What == Act::GameOver) {
    values.GameMode = ModeProfessional;
    FillWithoutLines();
    for (int x = 0; x < 4; ++x) board.FCells(x, 8).Mask = 0;
  }
  for (const Ball& b : c.Balls) Put(b.X, b.Y, b.Kind);
  FrameAimedAt(c.AnimX, c.AnimY);
  ASSERT_EQ(services.Count("AddAnimation"), 1) << "the ball's rest animation plays";

  switch (c.What) {
    case Act::Select:
      ClickCell(c.AnimX, c.AnimY);
      break;
    case Act::Move:
      ASSERT_GT(Move(c.FromX, c.FromY, c.ToX, c.ToY), 0.0);
      break;
    case Act::MoveThenUndo:
      ASSERT_GT(Move(c.FromX, c.FromY, c.ToX, c.ToY), 0.0);
      RunUntilIdle();
      FrameAimedAt(c.ToX, c.ToY);  // the moved ball's own animation, at its new cell
      ASSERT_TRUE(board.CanUndo());
      board.RequestUndo();
      ASSERT_EQ(LookOf(board.FCells(c.FromX, c.FromY)), LookOf(BallKinds[C1]));
      break;
    case Act::GameOver:
      board.DropBalls(4, false);
      ASSERT_TRUE(board.FGameOver);
      values.MeasuredFps = 16;
      break;
  }
  // Every frame aims a new rest animation at the ball's cell while the step runs, and after.
  for (int frame = 0; frame < 120 && (frame < 3 || board.FBusyTimer > -100.0); ++frame) {
    FrameAimedAt(c.AnimX, c.AnimY);
    ExpectNoGhost(frame);
  }
  EXPECT_LT(board.FBusyTimer, -100.0) << "the step came to rest";
}

INSTANTIATE_TEST_SUITE_P(EveryWayABallGoes, RestAnimations, ::testing::ValuesIn(GhostCases));

}  // namespace
}  // namespace marblix::testing
