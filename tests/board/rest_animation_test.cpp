// Rest animations never outlive their ball: whatever takes the ball from its cell, changes or hides
// it, no frame shows the animation over a cell without that ball at rest.
#include <cmath>
#include <functional>
#include <vector>

#include "BoardDoubles.h"

namespace marblix::testing {
namespace {

class RestAnimations : public BoardTest {
 protected:
  // One frame whose rest draw (its first) starts an animation on (x, y) if it may: the seed that
  // steps to a draw of 10 of 16 (3645876429 undoes seed * 134775813 + 1), then to (x, y).
  void FrameAimedAt(int x, int y) {
    values.MeasuredFps = 16;
    for (uint32_t low = 0;; ++low) {
      TShellValues probe;
      values.RandSeed = probe.RandSeed = ((10u << 28 | low << 8) - 1u) * 3645876429u;
      probe.Random(16);
      probe.Random(4);
      if (probe.Random(9) == uint32_t(x) && probe.Random(9) == uint32_t(y)) break;
    }
    board.UpdateHover();
    board.UpdateAndDraw(1.0);
  }
  // Every rest animation the engine would still play sits over a resting ball of its look.
  void ExpectNoGhost(int frame) {
    std::vector<ServiceCall> playing;
    for (const ServiceCall& c : services.Calls) {
      if (c.Op == "ClearAnimations") playing.clear();
      if (c.Op == "RemoveNear" || c.Op == "EndAnimationsNear")
        std::erase_if(playing, [&c](const ServiceCall& p) {
          return std::fabs(p.X - c.X) < 3 && std::fabs(p.Y - c.Y) < 3;
        });
      if (c.Op == "AddAnimation" && c.Picture.Variant >= RestVariant2 &&
          c.Picture.Variant <= RestVariant5)
        playing.push_back(c);
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
  // The ball at (x, y) starts its rest animation, `act` happens, aimed frames go by until rest.
  void Watch(int x, int y, const std::function<void()>& act) {
    values.GameMode = ModeNormal;
    board.FNextCount = 3;
    board.FPreview.fill(BallKinds[KindJoker]);
    FrameAimedAt(x, y);
    ASSERT_EQ(services.Count("AddAnimation"), 1) << "the ball's rest animation plays";
    act();
    for (int frame = 0; frame < 120 && (frame < 3 || board.FBusyTimer > -100.0); ++frame) {
      FrameAimedAt(x, y);
      ExpectNoGhost(frame);
    }
    EXPECT_LT(board.FBusyTimer, -100.0) << "the step came to rest";
  }
};

TEST_F(RestAnimations, EndWhenTheirBallIsSelected) {
  Put(2, 2, 1);
  Watch(2, 2, [&] { ClickCell(2, 2); });
}

TEST_F(RestAnimations, EndWhenTheirBallIsLined) {
  PutRun(0, 0, 1, 0, 4, 1);
  Put(4, 5, 1);
  Watch(1, 0, [&] { ASSERT_GT(Move(4, 5, 4, 0), 0); });
}

TEST_F(RestAnimations, EndWhenTheirBallIsPainted) {
  PutRun(6, 3, 0, 1, 2, 2);
  Put(0, 8, KindFirstColourBomb);
  Watch(6, 4, [&] { ASSERT_GT(Move(0, 8, 5, 4), 0); });
}

TEST_F(RestAnimations, EndWhenTheirBallsMoveIsTakenBack) {
  Put(2, 2, 1);
  Watch(2, 2, [&] {
    ASSERT_GT(Move(2, 2, 2, 6), 0);
    RunUntilIdle();
    FrameAimedAt(2, 6);  // the moved ball's own animation, at its new cell
    board.RequestUndo();
    ASSERT_NE(MaskAt(2, 2), 0u);
  });
}

}  // namespace
}  // namespace marblix::testing
