// The particle engine's records, lifetimes and motion on the previous frame's time, and its
// removals.
#include <gtest/gtest.h>

#include "effects/BoardParticles.h"
#include "effects/qz_pengine.h"
#include "shell/defs.h"

namespace marblix {
namespace {

// Runs whole units of time through the engine one unit per frame, after a first frame of 1 unit.
void RunUnits(TQzParticleEngine& engine, int units) {
  if (engine.LastElapsed() == 0) engine.Update(1);
  for (int unit = 0; unit < units; ++unit) engine.Update(1);
}

int CountKind(const TQzParticleEngine& engine, uint8_t kind) {
  return static_cast<int>(std::count_if(engine.Particles().begin(), engine.Particles().end(),
                                        [kind](const TParticle& p) { return p.Kind == kind; }));
}

TEST(ParticleRecords, EachAddMakesItsKindWithItsStartingValues) {
  TShellValues values;
  TQzParticleEngine engine(nullptr, values);
  values.RandSeed = 1234;
  engine.AddText("+50", 100, 200);
  uint32_t seed = 1234;
  values.RandSeed = seed;
  const uint16_t shadowFrames = static_cast<uint16_t>(values.Random(360));
  const uint16_t textFrames = static_cast<uint16_t>(values.Random(360));

  const auto& list = engine.Particles();
  ASSERT_EQ(list.size(), 2u);
  const TParticle& shadow = list[0];
  const TParticle& text = list[1];
  EXPECT_EQ(shadow.Kind, pkText);
  EXPECT_EQ(shadow.Colour, 0x888888u);
  EXPECT_EQ(text.Colour, 0xFFFFFFu);
  EXPECT_EQ(shadow.X, 102.0f);
  EXPECT_EQ(shadow.Y, 202.0f);
  EXPECT_EQ(text.X, 100.0f);
  EXPECT_EQ(text.VY, -20.0f);
  EXPECT_EQ(text.Life, 1.0f);
  EXPECT_EQ(text.Text, "+50");
  EXPECT_EQ(shadow.Frames, shadowFrames);
  EXPECT_EQ(text.Frames, textFrames);

  engine.AddBall(nullptr, true, 1, 1);
  engine.AddBall(nullptr, false, 1, 1);
  engine.AddExplosion(5, 5);
  engine.AddFlyingBall(nullptr, 7, 8, 3, -40);
  engine.AddAnimation(nullptr, 36, 9, 9, 1, 2);
  const TParticle& appear = list[2];
  const TParticle& vanish = list[3];
  EXPECT_EQ(appear.Value, 0);
  EXPECT_EQ(appear.Life, 0.24f);
  EXPECT_EQ(appear.Grow, 1);
  EXPECT_EQ(vanish.Value, 256);
  EXPECT_EQ(vanish.Life, 0.23f);
  EXPECT_EQ(vanish.Colour, 0xFFFFFFFFu);
  EXPECT_EQ(list[4].Kind, pkExplosion);
  EXPECT_EQ(list[4].Value, 128);
  EXPECT_EQ(list[4].Colour, 0x00FFFFFFu);
  EXPECT_EQ(list[5].Kind, pkFlyingBall);
  EXPECT_EQ(list[5].Value, 256);
  EXPECT_EQ(list[5].VY, -40.0f);
  EXPECT_EQ(list[6].Kind, pkAnimation);
  EXPECT_EQ(list[6].Life, 72.0f);
  EXPECT_EQ(list[6].VY, 1.0f);
  for (const TParticle& p : list) EXPECT_EQ(p.Layer, 0);
}

TEST(ParticleUpdate, TheFirstUpdateMovesNothingAndLaterOnesUseThePreviousElapsed) {
  TShellValues values;
  TQzParticleEngine engine(nullptr, values);
  engine.Update(0.5);
  engine.Update(0.5);  // an empty engine just remembers the time
  engine.AddText("x", 100, 300);
  TQzParticleEngine fresh(nullptr, values);
  fresh.AddText("x", 100, 300);
  fresh.Update(5);
  EXPECT_EQ(fresh.Particles()[1].Y, 300.0f) << "nothing moves on the first update";
  EXPECT_EQ(fresh.Particles()[1].Age, 0.0f);
  fresh.Update(1);
  EXPECT_EQ(fresh.Particles()[1].Y, 290.0f) << "moved by the previous frame's 5 units";
  engine.Update(7);
  EXPECT_EQ(engine.Particles()[1].Y, 299.0f) << "moved by 0.5 units";
}

TEST(ParticleUpdate, ALineOfFiveLeavesNoTextAfterThirtyUnits) {
  TShellValues values;
  TQzParticleEngine engine(nullptr, values);
  for (int i = 0; i < 5; ++i) engine.AddBall(nullptr, false, 323.0f + 52 * i, 51);
  engine.AddText("25", 400, 51);
  RunUnits(engine, 10);
  EXPECT_EQ(CountKind(engine, pkText), 2);
  EXPECT_EQ(engine.Particles().back().Y, 31.0f) << "a text rises 2 pixels per unit";
  RunUnits(engine, 19);
  EXPECT_EQ(CountKind(engine, pkText), 2) << "still there after 29 units";
  RunUnits(engine, 1);
  EXPECT_EQ(CountKind(engine, pkText), 0) << "gone after 30 units";
  EXPECT_EQ(CountKind(engine, pkBall), 0);
}

TEST(ParticleUpdate, BallsGrowAndShrinkByFortyPerUnitForTheirLives) {
  TShellValues values;
  TQzParticleEngine engine(nullptr, values);
  engine.AddBall(nullptr, true, 1, 1);
  engine.AddBall(nullptr, false, 2, 2);
  // Each Update applies the time given to the one before it.
  engine.Update(0.25);
  engine.Update(6.6);  // 0.25 units so far
  EXPECT_DOUBLE_EQ(engine.Particles()[0].Value, 10);
  EXPECT_DOUBLE_EQ(engine.Particles()[1].Value, 246);
  engine.Update(0.1);  // 6.85 units: both alive
  ASSERT_EQ(engine.Particles().size(), 2u);
  engine.Update(0.3);  // 6.95 units: the vanishing ball's 6.9 are over
  ASSERT_EQ(engine.Particles().size(), 1u);
  EXPECT_EQ(engine.Particles()[0].Grow, 1);
  EXPECT_DOUBLE_EQ(engine.Particles()[0].Value, 6.95 * 40);
  engine.Update(0);  // 7.25 units: the appearing ball's 7.2 are over too
  EXPECT_TRUE(engine.Particles().empty());
}

TEST(ParticleUpdate, AnimationsLiveFramesTimesLoopsOverSpeedAndWrapTheirFrame) {
  TShellValues values;
  TQzParticleEngine engine(nullptr, values);
  engine.AddAnimation(nullptr, 36, 0, 0, 1, 2);
  engine.AddAnimation(nullptr, 18, 50, 50, 2, 1);
  RunUnits(engine, 8);
  EXPECT_EQ(engine.Particles().size(), 2u);
  EXPECT_DOUBLE_EQ(engine.Particles()[1].Value, 16);
  RunUnits(engine, 1);
  ASSERT_EQ(engine.Particles().size(), 1u) << "18 frames, 1 loop at speed 2: 9 units";
  RunUnits(engine, 28);
  EXPECT_DOUBLE_EQ(engine.Particles()[0].Value, 1) << "frame 37 wraps to 1";
  RunUnits(engine, 34);
  EXPECT_EQ(engine.Particles().size(), 1u);
  RunUnits(engine, 1);
  EXPECT_TRUE(engine.Particles().empty()) << "36 frames, 2 loops at speed 1: 72 units";
}

TEST(ParticleUpdate, AThrownBallRisesFallsAndEndsAtTheBottomEdge) {
  TShellValues values;
  TQzParticleEngine engine(nullptr, values);
  engine.AddFlyingBall(nullptr, 400, 300, 2, -30);
  engine.Update(1);
  float highest = 300;
  float lastY = 300;
  int frames = 0;
  while (!engine.Particles().empty()) {
    lastY = engine.Particles()[0].Y;
    highest = std::min(highest, lastY);
    engine.Update(1);
    ASSERT_LT(++frames, 100);
  }
  EXPECT_LT(highest, 300 - 50) << "it rose first";
  EXPECT_LT(lastY, 600.0f) << "it lived while above the bottom edge";
  // The ball's path: y after n units is 300 - 30n + 5n(n-1)/2; it first reaches 600 at n = 20.
  EXPECT_EQ(frames, 20);
}

TEST(ParticleUpdate, AnExplosionCountsItsFramesGrowsAndSurvivesAZeroFrame) {
  TShellValues values;
  TQzParticleEngine engine(nullptr, values);
  engine.AddExplosion(100, 100);
  engine.Update(0);
  engine.Update(0);  // a frame that took no time
  ASSERT_EQ(engine.Particles().size(), 1u);
  EXPECT_EQ(engine.Particles()[0].Value, 128) << "no division by a zero frame time";
  EXPECT_EQ(engine.Particles()[0].Frames, 2) << "every update counts";
  engine.Update(0.5);
  engine.Update(0.5);
  EXPECT_DOUBLE_EQ(engine.Particles()[0].Value, 129);
  EXPECT_EQ(engine.Particles()[0].Frames, 4);
  engine.Update(0.5);
  engine.Update(0.5);
  EXPECT_TRUE(engine.Particles().empty()) << "1.5 units";
}

TEST(ParticleRemoval, RemoveNearIsStrictAndClearAnimationsTakesOnlyAnimations) {
  TShellValues values;
  TQzParticleEngine engine(nullptr, values);
  engine.AddBall(nullptr, true, 103, 100);     // 3 pixels away in x: kept
  engine.AddBall(nullptr, true, 102.9f, 100);  // removed
  engine.AddBall(nullptr, true, 100, 97.1f);   // removed
  engine.AddBall(nullptr, true, 100, 96.9f);   // kept
  engine.AddExplosion(101, 101);               // any kind: removed
  engine.RemoveNear(100, 100);
  ASSERT_EQ(engine.Particles().size(), 2u);
  EXPECT_EQ(engine.Particles()[0].X, 103.0f);
  EXPECT_EQ(engine.Particles()[1].Y, 96.9f);

  engine.AddAnimation(nullptr, 4, 0, 0, 1, 1);
  engine.AddText("1", 0, 0);
  engine.AddAnimation(nullptr, 4, 0, 0, 1, 1);
  engine.ClearAnimations();
  EXPECT_EQ(CountKind(engine, pkAnimation), 0);
  EXPECT_EQ(engine.Particles().size(), 4u);
  EXPECT_EQ(engine.Particles()[2].Text, "1") << "the rest keep their order";
}

TEST(BoardParticles, TheBoardsRequestsReachTheEngineWithTheNamedPictures) {
  TShellValues values;
  TQzParticleEngine engine(nullptr, values);
  std::vector<BallPicture> asked;
  auto* const fake = reinterpret_cast<TAGFImage*>(&asked);  // only compared, never drawn
  TBoardParticles board(engine, [&](BallPicture picture) {
    asked.push_back(picture);
    return fake;
  });
  board.AddBall(BallPictureOf(3), true, 1, 2);
  board.AddFlyingBall(BallPictureOf(4), 3, 4, 1, -1);
  board.AddAnimation(PaintPictureOf(2), 6, 5, 6, 1, 1);
  board.AddText("9", 7, 8);
  board.AddExplosion(9, 9);
  EXPECT_EQ(asked, (std::vector<BallPicture>{{3, 0}, {4, 0}, {1, 6}}));
  ASSERT_EQ(engine.Particles().size(), 6u);
  EXPECT_EQ(engine.Particles()[0].Image, fake);
  EXPECT_EQ(engine.Particles()[2].Kind, pkAnimation);
  board.ClearAnimations();
  board.RemoveNear(9, 9);  // the explosion and both text particles, (7, 8) and (9, 10)
  ASSERT_EQ(engine.Particles().size(), 2u);
  EXPECT_EQ(engine.Particles()[1].Kind, pkFlyingBall);
}

}  // namespace
}  // namespace marblix
