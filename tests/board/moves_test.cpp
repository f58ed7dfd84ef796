// Path search and moves: shortest paths, unreachable targets, the sweep limit, the walk back's
// preferences, selecting, deselecting and starting a move with Click, the hover highlight.
#include "BoardDoubles.h"

namespace marblix::testing {
namespace {

class PathSearch : public BoardTest {
 protected:
  int PathCells() {
    int n = 0;
    for (float v : board.FPathMap) n += v != 0.0f;
    return n;
  }
};

TEST_F(PathSearch, FindsTheShortestLengthAndLeavesOnlyThePathNumbered) {
  Put(0, 0, 1);
  Put(3, 3, 2);  // an obstacle off the straight routes
  EXPECT_EQ(board.FindPath(0, 0, 3, 4), 7);
  EXPECT_FLOAT_EQ(board.FPathMap(0, 0), 1.0f);
  EXPECT_FLOAT_EQ(board.FPathMap(3, 4), 8.0f);
  EXPECT_EQ(PathCells(), 8);
  EXPECT_FLOAT_EQ(board.FPathMap(3, 3), 0.0f);  // occupied cells end as 0 too

  // A wall with one gap forces the detour.
  for (int y = 0; y < 8; ++y) Put(4, y, 3);
  EXPECT_EQ(board.FindPath(0, 0, 8, 0), 8 + 8 + 8);
  EXPECT_FLOAT_EQ(board.FPathMap(4, 8), 13.0f);
}

TEST_F(PathSearch, SameCellOccupiedTargetAndEnclosedTargetAreUnreachable) {
  Put(2, 2, 1);
  Put(5, 5, 1);
  EXPECT_EQ(board.FindPath(2, 2, 2, 2), NoPath);
  EXPECT_EQ(board.FindPath(2, 2, 5, 5), NoPath);
  EXPECT_EQ(board.FHighlight(5, 5), 0);  // no search ran

  Put(7, 8, 1);
  Put(8, 7, 1);  // (8, 8) is walled in
  board.FPathMap.Fill(3.0f);
  EXPECT_EQ(board.FindPath(2, 2, 8, 8), NoPath);
  EXPECT_EQ(board.FHighlight(8, 8), HighlightUnreachable);
  EXPECT_EQ(PathCells(), 0);
}

TEST_F(PathSearch, GivesUpAfterWidthTimesHeightSweepsOfTheHighestIndexes) {
  // On a 9 by 2 board the search sweeps 8 * 1 times: 8 steps are found, 9 are not.
  board.Create(9, 2);
  Put(0, 0, 1);
  EXPECT_EQ(board.FindPath(0, 0, 8, 0), 8);
  EXPECT_EQ(board.FindPath(0, 0, 8, 1), NoPath);
  EXPECT_EQ(board.FHighlight(8, 1), HighlightUnreachable);
  EXPECT_EQ(PathCells(), 0);
}

TEST_F(PathSearch, WalkingBackPrefersLeftThenRightThenUpThenDown) {
  Put(0, 0, 1);
  ASSERT_EQ(board.FindPath(0, 0, 2, 2), 4);
  // From (2, 2) back: left, left, then up twice.
  EXPECT_FLOAT_EQ(board.FPathMap(1, 2), 4.0f);
  EXPECT_FLOAT_EQ(board.FPathMap(0, 2), 3.0f);
  EXPECT_FLOAT_EQ(board.FPathMap(0, 1), 2.0f);

  board.FCells(0, 0).Mask = 0;
  Put(2, 2, 1);
  ASSERT_EQ(board.FindPath(2, 2, 0, 0), 4);
  // From (0, 0) back: right, right, then down twice.
  EXPECT_FLOAT_EQ(board.FPathMap(1, 0), 4.0f);
  EXPECT_FLOAT_EQ(board.FPathMap(2, 0), 3.0f);
  EXPECT_FLOAT_EQ(board.FPathMap(2, 1), 2.0f);

  // Around an obstacle with two equal ways: the one to the target's left wins over the one above.
  board.FCells(2, 2).Mask = 0;
  Put(4, 3, 1);
  Put(4, 4, 2);
  ASSERT_EQ(board.FindPath(4, 3, 4, 5), 4);
  EXPECT_FLOAT_EQ(board.FPathMap(3, 5), 4.0f);
  EXPECT_FLOAT_EQ(board.FPathMap(3, 4), 3.0f);
  EXPECT_FLOAT_EQ(board.FPathMap(5, 4), 0.0f);
}

class Clicks : public BoardTest {};

TEST_F(Clicks, ANeighbouringMoveTakesOneUnitAndHidesTheSourceForTwo) {
  Put(4, 4, 3);
  ClickCell(4, 4);
  EXPECT_TRUE(board.FSelected);
  EXPECT_EQ(board.FSelLook, 2);
  ClickCell(5, 4);
  EXPECT_DOUBLE_EQ(board.FBusyTimer, 1.0);
  EXPECT_DOUBLE_EQ(board.FCellTimers(4, 4), 2.0);
  EXPECT_TRUE(board.FMovePending);
  EXPECT_FALSE(board.FSelected);
  EXPECT_EQ(board.FSelX, 4);
  EXPECT_EQ(board.FDestX, 5);
  EXPECT_EQ(board.FDestY, 4);
  EXPECT_EQ(services.Trace(),
            (std::vector<std::string>{"StopEffect _a23", "RemoveNear", "RemoveNear",
                                      "StopEffect _a23", "PlayEffectLooped s_ballmove"}));
  const auto near = services.Of("RemoveNear");
  EXPECT_FLOAT_EQ(near[0].X, 323 + 52 * 4);
  EXPECT_FLOAT_EQ(near[0].Y, 52 + 52 * 4);
  EXPECT_FLOAT_EQ(near[1].Y, 51 + 52 * 4);
}

TEST_F(Clicks, AreIgnoredWhileAStepRuns) {
  Put(4, 4, 3);
  board.FBusyTimer = 0.5;
  ClickCell(4, 4);
  ClickCell(4, 4, 1);
  EXPECT_FALSE(board.FSelected);
  EXPECT_TRUE(services.Calls.empty());
  board.FBusyTimer = 0.0;
  ClickCell(4, 4);
  EXPECT_TRUE(board.FSelected);
}

TEST_F(Clicks, AnyOtherButtonDeselectsWhereverThePointerIs) {
  Put(4, 4, 22);
  ClickCell(4, 4);
  ASSERT_TRUE(board.FSelected);
  board.FPathMap.Fill(2.0f);
  services.Clear();
  values.MouseX = 5;
  values.MouseY = 590;
  values.MouseButton = 1;
  board.Click();
  EXPECT_FALSE(board.FSelected);
  EXPECT_EQ(board.FSelX, NoSelection);
  EXPECT_EQ(board.FSelY, NoSelection);
  for (float v : board.FPathMap) EXPECT_EQ(v, 0.0f);
  EXPECT_EQ(services.Trace(), std::vector<std::string>{"StopEffect _a23"});
}

TEST_F(Clicks, SelectSwitchAndDeselect) {
  Put(1, 1, 1);
  Put(2, 2, 2);
  ClickCell(1, 1);
  ClickCell(2, 2);
  EXPECT_TRUE(board.FSelected);
  EXPECT_EQ(board.FSelX, 2);
  EXPECT_EQ(board.FSelLook, 1);
  ClickCell(2, 2);
  EXPECT_FALSE(board.FSelected);
  EXPECT_EQ(board.FSelX, NoSelection);
  // Clicking an empty cell with nothing selected does nothing but stop the bomb sound.
  services.Clear();
  ClickCell(6, 6);
  EXPECT_EQ(services.Trace(), std::vector<std::string>{"StopEffect _a23"});
  EXPECT_DOUBLE_EQ(board.FBusyTimer, NoStepRunning);
}

TEST_F(Clicks, DeselectingLeavesNoPathBehindToTravelAsAPhantomBall) {
  Put(1, 1, 1);
  ClickCell(1, 1);
  PointAt(5, 1);
  board.UpdateHover();  // the map now holds the path to (5, 1)
  ClickCell(1, 1);
  for (float v : board.FPathMap) EXPECT_EQ(v, 0.0f);
  services.Clear();
  for (int i = 0; i < 6; ++i) board.UpdateAndDraw(1.0);
  EXPECT_TRUE(services.Played().empty());  // no s_pin of a ball that is not moving
}

TEST_F(Clicks, AnUnreachableTargetDeselects) {
  Put(0, 0, 1);
  Put(1, 0, 2);
  Put(0, 1, 2);
  ClickCell(0, 0);
  ClickCell(5, 5);
  EXPECT_FALSE(board.FSelected);
  EXPECT_EQ(board.FSelX, NoSelection);
  EXPECT_FALSE(board.FMovePending);
  EXPECT_DOUBLE_EQ(board.FBusyTimer, NoStepRunning);
}

TEST_F(Clicks, SelectingTheBombLoopsItsSoundOnlyWhenNothingWasSelected) {
  Put(3, 3, KindBomb);
  Put(5, 5, 1);
  ClickCell(3, 3);
  EXPECT_EQ(services.Count("PlayEffectLooped"), 1);
  EXPECT_EQ(services.Of("PlayEffectLooped")[0].Slot, ABombSound);
  ClickCell(5, 5);
  services.Clear();
  ClickCell(3, 3);  // switching to the bomb from another ball
  EXPECT_EQ(services.Count("PlayEffectLooped"), 0);
  EXPECT_EQ(board.FSelX, 3);
}

TEST_F(Clicks, ThePointerLeftOfOrAboveTheBoardActsOnColumnOrRowZero) {
  Put(0, 3, 1);
  values.MouseX = 280;
  values.MouseY = BoardOriginY + CellPitch * 3 + 10;
  board.Click();
  EXPECT_TRUE(board.FSelected);
  EXPECT_EQ(board.FSelX, 0);
  EXPECT_EQ(board.FSelY, 3);
  // 52 or more pixels to the left is off the board; so is a pointer past the last column.
  board.FSelected = false;
  values.MouseX = BoardOriginX - 52;
  board.Click();
  EXPECT_FALSE(board.FSelected);
  values.MouseX = BoardOriginX + 9 * CellPitch;
  board.Click();
  EXPECT_FALSE(board.FSelected);
}

class Hover : public BoardTest {};

TEST_F(Hover, ShowsThePathUnderThePointerFromTheSecondFrameAndMarksUnreachableTargets) {
  Put(0, 0, 1);
  ClickCell(0, 0);
  PointAt(2, 0);
  board.UpdateHover();
  EXPECT_EQ(board.FHoverX, 2);
  EXPECT_EQ(board.FHighlight(1, 0), 0);  // the first frame shows the previous frame's map
  board.UpdateHover();
  EXPECT_EQ(board.FHighlight(1, 0), 2);
  EXPECT_EQ(board.FHighlight(2, 0), 3);
  EXPECT_EQ(board.FHighlight(0, 1), 0);

  // Walled in: the target keeps 255 and the rest is cleared, the selected cell included.
  Put(7, 8, 2);
  Put(8, 7, 2);
  PointAt(8, 8);
  board.UpdateHover();
  EXPECT_EQ(board.FHighlight(8, 8), HighlightUnreachable);
  EXPECT_EQ(board.FHighlight(1, 0), 0);
  EXPECT_EQ(board.FHighlight(0, 0), 0);

  // Nothing selected: no highlight; off the board: no hover cell.
  ClickCell(0, 0);
  board.UpdateHover();
  for (uint8_t mark : board.FHighlight) EXPECT_EQ(mark, 0);
  values.MouseX = 790;
  board.UpdateHover();
  EXPECT_EQ(board.FHoverX, NoHover);
  EXPECT_EQ(board.FHoverY, NoHover);
}

TEST_F(Hover, AMoveTravelsOneCellPerUnitAndArrivesWithItsSound) {
  Put(0, 0, 5);
  ClickCell(0, 0);
  PointAt(2, 1);
  board.UpdateHover();
  ClickCell(2, 1);
  ASSERT_DOUBLE_EQ(board.FBusyTimer, 3.0);
  services.Clear();
  for (int frame = 0; frame < 3; ++frame) {
    EXPECT_EQ(MaskAt(0, 0), BallKinds[5].Mask) << frame;
    board.UpdateHover();
    board.UpdateAndDraw(1.0);
  }
  EXPECT_EQ(MaskAt(0, 0), 0u);
  EXPECT_EQ(board.FCells(2, 1), BallKinds[5]);
  // The walk back from (2, 1) goes left to (1, 1), left to (0, 1), up to (0, 0): down, then right,
  // so the ball turns once after its first direction.
  const auto played = services.Played();
  EXPECT_EQ(std::count(played.begin(), played.end(), "s_pin"), 2);
  EXPECT_EQ(played.back(), "s_app");
  EXPECT_NE(std::find(played.begin(), played.end(), "_r5"), played.end());
}

}  // namespace
}  // namespace marblix::testing
