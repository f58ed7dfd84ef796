// Bombs and colour bombs: thrown neighbours and their speeds, chains of bombs, a lonely bomb, the
// paint after 6.5 units and its lines, and no drop after a bomb or colour bomb went off.
#include "BoardDoubles.h"

namespace marblix::testing {
namespace {

class Bombs : public BoardTest {
 protected:
  void Arrive(int fromX, int fromY, int toX, int toY) {
    ASSERT_GT(Move(fromX, fromY, toX, toY), 0.0);
    services.Clear();
    // Up to the frame in which the ball arrives.
    while (board.FMovePending && board.FBusyTimer > 0.0) board.UpdateAndDraw(1.0);
  }
  // The calls from the end of the travel on.
  std::vector<std::string> TraceFromArrival() {
    auto trace = services.Trace();
    const auto from = std::find(trace.begin(), trace.end(), "StopEffect s_ballmove");
    return {from, trace.end()};
  }
};

TEST_F(Bombs, ABombThrowsItsNeighboursWithSpeedsFromThreeDrawsEach) {
  Put(4, 4, KindBomb);
  Put(3, 3, 1);  // up-left of (4, 4) after the move below
  Put(5, 5, KindJoker);
  Put(7, 7, 2);  // out of reach
  board.FCells(4, 4).Mask = 0;
  Put(4, 6, KindBomb);
  ASSERT_GT(Move(4, 6, 4, 4), 0.0);
  services.Clear();
  while (board.FBusyTimer > 0.0) board.UpdateAndDraw(1.0);
  // The frame that ends the move draws nothing else (no rest animations, MeasuredFps 0), so the
  // generator's next draws are the blast's: r1, r2, r3 for (3, 3), then for (5, 5).
  // Replay them here to know the speeds.
  EXPECT_EQ(MaskAt(3, 3), 0u);
  EXPECT_EQ(MaskAt(5, 5), 0u);
  EXPECT_EQ(MaskAt(4, 4), 0u);
  EXPECT_EQ(MaskAt(7, 7), BallKinds[2].Mask);
  const auto flying = services.Of("AddFlyingBall");
  ASSERT_EQ(flying.size(), 2u);
  EXPECT_EQ(flying[0].Picture, BallPictureOf(0));
  EXPECT_FLOAT_EQ(flying[0].X, 324 + 52 * 3);
  EXPECT_FLOAT_EQ(flying[0].Y, 53 + 52 * 3);
  EXPECT_EQ(flying[1].Picture, BallPictureOf(10));
  // Up-left: vx = -(r1/11 + 5) + r2/50 - 1 and vy = -(r3/3 + 5): both negative, within range.
  EXPECT_LT(flying[0].VY, -5.0f + 0.001f);
  EXPECT_GT(flying[0].VY, -(99.0f / 3 + 5) - 0.001f);
  EXPECT_GT(flying[1].VX, 5.0f - 1 - 0.001f);
  EXPECT_GT(flying[1].VY, 4.999f);
  // Each ball of the block in turn (the centre too) loses its particles; thrown balls fly with
  // their vanish sound; then the bomb vanishes with its explosion and the boom.
  std::vector<std::string> blast = {
      "StopEffect s_ballmove", "PlayEffect _r22", "RemoveNear",   "AddFlyingBall",
      "PlayEffect _o1",        "RemoveNear",      "RemoveNear",   "AddFlyingBall",
      "PlayEffect _o11",       "AddBall",         "AddExplosion", "PlayEffect _f23"};
  blast.emplace_back("KeepGame");  // the board rests: no drop follows a blast
  EXPECT_EQ(TraceFromArrival(), blast);
  const auto boom = services.Of("AddExplosion")[0];
  EXPECT_FLOAT_EQ(boom.X, 324 + 52 * 4);
  EXPECT_FLOAT_EQ(boom.Y, 53 + 52 * 4);
  // Nothing dropped: the bomb went off.
  EXPECT_EQ(81 - board.CountFree(), 1);
  EXPECT_DOUBLE_EQ(board.FBusyTimer, NoStepRunning);
}

TEST_F(Bombs, TheThrowSpeedsFollowTheDrawsInOrder) {
  Put(4, 4, KindBomb);
  Put(3, 4, 1);
  Put(4, 5, 2);
  values.RandSeed = 99;
  uint32_t seed = values.RandSeed;
  double r[6];
  for (double& v : r) v = values.Random(100);
  values.RandSeed = seed;
  ASSERT_TRUE(board.ExplodeBomb(4, 4, MaskBomb));
  const auto flying = services.Of("AddFlyingBall");
  ASSERT_EQ(flying.size(), 2u);
  // (3, 4) first: left of the bomb; then (4, 5): below it.
  EXPECT_FLOAT_EQ(flying[0].VX, static_cast<float>(-(r[0] / 11 + 5) + r[1] / 50 - 1));
  EXPECT_FLOAT_EQ(flying[0].VY, 0.0f);
  EXPECT_FLOAT_EQ(flying[1].VX, static_cast<float>(r[4] / 50 - 1));
  EXPECT_FLOAT_EQ(flying[1].VY, static_cast<float>(r[5] / 3 + 5));
  EXPECT_EQ(board.CountFree(), 81);
}

TEST_F(Bombs, ANeighbouringBombGoesOffAndThrowsTheBallsAroundIt) {
  Put(6, 4, 3);
  Put(7, 5, 4);
  Put(6, 5, KindBomb);  // next to the arriving bomb
  Put(5, 8, KindBomb);  // the one that moves to (5, 5)
  Arrive(5, 8, 5, 5);
  EXPECT_EQ(MaskAt(6, 4), 0u);
  EXPECT_EQ(MaskAt(7, 5), 0u);
  EXPECT_EQ(MaskAt(6, 5), 0u);
  // The moved bomb throws (6, 4), then sets off (6, 5), which throws the moved bomb itself (already
  // going off) and (7, 5).
  EXPECT_EQ(services.Count("AddExplosion"), 2);
  const auto flying = services.Of("AddFlyingBall");
  ASSERT_EQ(flying.size(), 3u);
  EXPECT_FLOAT_EQ(flying[0].X, 324 + 52 * 6);
  EXPECT_FLOAT_EQ(flying[0].Y, 53 + 52 * 4);
  EXPECT_EQ(flying[1].Picture, BallPictureOf(BombLook));
  EXPECT_FLOAT_EQ(flying[1].X, 324 + 52 * 5);
  EXPECT_FLOAT_EQ(flying[2].X, 324 + 52 * 7);
  EXPECT_EQ(MaskAt(5, 5), 0u);
  EXPECT_EQ(81 - board.CountFree(), 0);
}

TEST_F(Bombs, ASetOffBombDoesNotCountAsAHitForTheBombThatSetItOff) {
  Put(2, 2, KindBomb);
  Put(3, 2, KindBomb);
  Put(4, 2, 1);
  Put(2, 6, 5);
  EXPECT_FALSE(board.ExplodeBomb(2, 2, MaskBomb));
  EXPECT_EQ(MaskAt(3, 2), 0u);
  EXPECT_EQ(MaskAt(4, 2), 0u);
  EXPECT_EQ(MaskAt(2, 2), 0u);  // thrown by the bomb it set off
  EXPECT_EQ(MaskAt(2, 6), BallKinds[5].Mask);
  EXPECT_EQ(services.Count("AddExplosion"), 1);
  EXPECT_EQ(services.Count("AddFlyingBall"), 2);

  // Alone, a bomb has no hit and keeps its exploding mark until the step gives it back.
  board.FCells.Fill({});
  Put(2, 2, KindBomb);
  EXPECT_FALSE(board.ExplodeBomb(2, 2, MaskBomb));
  EXPECT_EQ(MaskAt(2, 2), MaskBombExploding);
}

TEST_F(Bombs, AMovedBombWhoseOnlyNeighbourIsABombIsThrownAndTheDropStillFollows) {
  board.FPreview.fill(BallKinds[1]);
  board.FNextCount = 2;
  Put(3, 2, KindBomb);
  Put(2, 8, KindBomb);
  Arrive(2, 8, 2, 2);
  EXPECT_EQ(services.Count("AddExplosion"), 1);
  EXPECT_EQ(services.Count("AddFlyingBall"), 1);
  EXPECT_EQ(MaskAt(3, 2), 0u);
  EXPECT_EQ(81 - board.CountFree(), 2);  // only the drop's balls are left
  EXPECT_EQ(services.Played().back(), "s_app");
}

TEST_F(Bombs, ALonelyBombStaysABombAndTheDropFollows) {
  board.FPreview.fill(BallKinds[1]);
  board.FNextCount = 3;
  Put(0, 0, KindBomb);
  Put(8, 8, 2);
  Arrive(0, 0, 4, 4);
  EXPECT_EQ(MaskAt(4, 4), MaskBomb);
  EXPECT_EQ(services.Count("AddExplosion"), 0);
  EXPECT_EQ(81 - board.CountFree(), 2 + 3);
}

TEST_F(Bombs, AColourBombPaintsItsNeighboursAfterSixAndAHalfUnits) {
  board.FPreview.fill(BallKinds[1]);
  board.FNextCount = 3;
  Put(3, 3, 2);  // colour 2
  Put(5, 5, KindJoker);
  Put(4, 5, 9);
  Put(0, 8, KindFirstColourBomb + 4);  // colour 5, moves to (4, 4)
  Arrive(0, 8, 4, 4);
  // It went off: the block's balls wait for the paint, the bomb vanished, nothing dropped.
  EXPECT_EQ(services.Count("ClearAnimations"), 1);
  const auto paint = services.Of("AddAnimation");
  ASSERT_EQ(paint.size(), 3u);
  for (const ServiceCall& p : paint) {
    EXPECT_EQ(p.Picture, PaintPictureOf(5));
    EXPECT_EQ(p.Frames, 18);
    EXPECT_EQ(p.Loops, 1);
    EXPECT_FLOAT_EQ(p.Speed, 2.0f);
  }
  EXPECT_FLOAT_EQ(paint[0].X, 323 + 52 * 3);
  EXPECT_FLOAT_EQ(paint[0].Y, 51 + 52 * 3);
  EXPECT_EQ(services.Played().back(), "s_paint");
  EXPECT_EQ(MaskAt(4, 4), 0u);
  EXPECT_EQ(board.FPaintColour, 5);
  EXPECT_DOUBLE_EQ(board.FBusyTimer, PaintTime);
  EXPECT_EQ(MaskAt(3, 3), BallKinds[2].Mask);
  EXPECT_EQ(81 - board.CountFree(), 3);

  // 6 units later nothing has changed yet; at 6.5 the block takes colour 5.
  for (int i = 0; i < 6; ++i) board.UpdateAndDraw(1.0);
  EXPECT_EQ(MaskAt(3, 3), BallKinds[2].Mask);
  board.UpdateAndDraw(0.5);
  EXPECT_EQ(board.FCells(3, 3), BallKinds[5]);
  EXPECT_EQ(board.FCells(5, 5), BallKinds[5]);
  EXPECT_EQ(board.FCells(4, 5), BallKinds[5]);
  EXPECT_EQ(board.FPaintColour, 0);
  EXPECT_EQ(81 - board.CountFree(), 3);  // still no drop
}

TEST_F(Bombs, LinesThePaintMakesScoreWhenThePaintLands) {
  // Row 3: colour 1 at columns 0..2, a colour 2 ball at 3 and a colour 1 ball at 4: the paint of
  // colour 1 turns (3, 3) into colour 1 and makes five.
  for (int k : {0, 1, 2, 4}) Put(k, 3, 1);
  Put(3, 3, 2);
  Put(8, 0, KindFirstColourBomb);  // colour 1, moves to (3, 4)
  Arrive(8, 0, 3, 4);
  EXPECT_EQ(values.Score, 0);
  while (board.FBusyTimer > -100.0) board.UpdateAndDraw(1.0);
  EXPECT_EQ(values.Score, 50);
  for (int k = 0; k < 5; ++k) EXPECT_EQ(MaskAt(k, 3), 0u);
}

TEST_F(Bombs, AColourBombThatCompletesALineScoresItAtOnce) {
  for (int k = 0; k < 4; ++k) Put(k, 0, KindFirstColourBomb + 2);
  Put(0, 1, 6);
  Put(6, 6, KindFirstColourBomb);
  Arrive(6, 6, 4, 0);
  // The colour bombs line up and the arriving one joins them: the line scores inside PaintBomb.
  EXPECT_EQ(values.Score, 50);
  EXPECT_EQ(board.FChain, 0);  // a colour bomb that went off ends the chain
}

TEST_F(Bombs, AColourBombAloneStaysAsABallOfItsColour) {
  board.FPreview.fill(BallKinds[2]);
  board.FNextCount = 2;
  Put(0, 0, KindFirstColourBomb + 6);
  Arrive(0, 0, 6, 6);
  EXPECT_EQ(board.FCells(6, 6), BallKinds[KindFirstColourBomb + 6]);
  EXPECT_EQ(board.FPaintColour, 0);
  EXPECT_EQ(81 - board.CountFree(), 1 + 2);
}

}  // namespace
}  // namespace marblix::testing
