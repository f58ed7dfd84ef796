// Drops: the opening balls of each mode, the preview's odds, the game-over test and the next count.
#include <set>
#include <utility>

#include "BoardDoubles.h"

namespace marblix::testing {
namespace {

// The seed that makes the next Random call see `next` as the new seed.
constexpr uint32_t SeedBefore(uint32_t next) {
  uint32_t inverse = 134775813u;  // Newton's iteration for the inverse modulo 2^32
  for (int i = 0; i < 5; ++i) inverse *= 2u - 134775813u * inverse;
  return (next - 1u) * inverse;
}
static_assert(SeedBefore(1u) == 0u);

class Drops : public BoardTest {};

TEST_F(Drops, ANewGamePlacesThreeSixOrNineBallsOnDistinctCellsInTheModesColours) {
  for (uint8_t mode : {ModeKids, ModeNormal, ModeProfessional}) {
    services.Clear();
    board.Create(9, 9);
    values.RandSeed = 777 + mode;
    StartNewGame(mode);
    const int expected = 3 * mode + 3;
    EXPECT_EQ(81 - board.CountFree(), expected) << int(mode);
    const uint32_t colours = mode == ModeKids ? 0x7F : 0x3F;
    for (int x = 0; x < 9; ++x)
      for (int y = 0; y < 9; ++y) {
        const uint32_t mask = MaskAt(x, y);
        if (mask == 0) continue;
        EXPECT_EQ(std::popcount(mask), 1);
        EXPECT_EQ(mask & ~colours, 0u) << "mode " << int(mode);
        EXPECT_DOUBLE_EQ(board.FCellTimers(x, y), AppearTime);
      }
    const auto balls = services.Of("AddBall");
    ASSERT_EQ(static_cast<int>(balls.size()), expected);
    for (const ServiceCall& ball : balls) EXPECT_TRUE(ball.Appear);
    EXPECT_EQ(services.Played(), std::vector<std::string>{"s_app"});
    EXPECT_DOUBLE_EQ(board.FBusyTimer, DropTime);
  }
}

TEST_F(Drops, KidsDrawsFromAllSevenColours) {
  std::set<uint32_t> seen;
  for (uint32_t seed = 0; seed < 40; ++seed) {
    board.Create(9, 9);
    values.RandSeed = seed;
    StartNewGame(ModeKids);
    for (const TCell& cell : board.FCells)
      if (cell.Mask) seen.insert(cell.Mask);
  }
  EXPECT_EQ(seen.size(), 7u);
  EXPECT_TRUE(seen.count(0x40));
}

TEST_F(Drops, APinnedSeedGivesTheSameBallsAndPreviewAsTheDrawOrderPrescribes) {
  // Worked out by hand from the generator: x, y, colour per ball, then d and kind per preview.
  values.RandSeed = 12345;
  StartNewGame(ModeNormal);
  const std::pair<int, int> cells[] = {{3, 2}, {4, 5}, {3, 0}, {8, 8}, {2, 7}, {3, 7}};
  const int colours[] = {1, 3, 1, 2, 4, 5};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(board.FCells(cells[i].first, cells[i].second), BallKinds[colours[i]]) << i;
  const int preview[] = {6, 1, 3, 5};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(board.FPreview[i], BallKinds[preview[i]]) << i;
  EXPECT_EQ(values.RandSeed, 0xb7e5165fu);

  values.RandSeed = 29;  // d = 209, 242, 202, 33: two-colour, colour bomb, bomb, plain
  StartNewGame(ModeNormal);
  EXPECT_EQ(board.FPreview[0], BallKinds[8]);
  EXPECT_EQ(board.FPreview[1], BallKinds[13]);
  EXPECT_EQ(board.FPreview[2], BallKinds[KindBomb]);
  EXPECT_EQ(board.FPreview[3], BallKinds[1]);

  values.RandSeed = 12345;  // Kids: d = 236 is a two-colour ball there, 201 too
  StartNewGame(ModeKids);
  EXPECT_EQ(board.FPreview[0], BallKinds[10]);
  EXPECT_EQ(board.FPreview[2], BallKinds[9]);
}

// The kind of the first preview ball when its draw d is forced.
TCell FirstPreviewFor(TGameField& board, TShellValues& values, uint32_t d) {
  values.RandSeed = SeedBefore(d << 24);
  board.DropBalls(0, false);
  return board.FPreview[0];
}

enum class Family { Plain6, Plain7, Bomb, TwoColour, Joker, ColourBomb6, ColourBomb7, Multiplier };

Family FamilyOf(const TCell& c) {
  for (int k = 1; k <= 6; ++k)
    if (c == BallKinds[k]) return Family::Plain6;
  if (c == BallKinds[7]) return Family::Plain7;
  if (c == BallKinds[KindBomb]) return Family::Bomb;
  if (c == BallKinds[8] || c == BallKinds[9] || c == BallKinds[10]) return Family::TwoColour;
  if (c == BallKinds[KindJoker]) return Family::Joker;
  for (int k = 12; k <= 17; ++k)
    if (c == BallKinds[k]) return Family::ColourBomb6;
  if (c == BallKinds[18]) return Family::ColourBomb7;
  return Family::Multiplier;
}

TEST_F(Drops, ThePreviewsOddsChangeKindExactlyAtEachModesBoundaries) {
  struct Case {
    uint8_t mode;
    uint32_t d;
    Family family;
  };
  const Case cases[] = {
      {ModeKids, 200, Family::Plain6},
      {ModeKids, 201, Family::TwoColour},
      {ModeKids, 245, Family::TwoColour},
      {ModeKids, 246, Family::Joker},
      {ModeKids, 255, Family::Joker},
      {ModeNormal, 201, Family::Plain6},
      {ModeNormal, 202, Family::Bomb},
      {ModeNormal, 207, Family::Bomb},
      {ModeNormal, 208, Family::TwoColour},
      {ModeNormal, 222, Family::TwoColour},
      {ModeNormal, 223, Family::Joker},
      {ModeNormal, 232, Family::Joker},
      {ModeNormal, 233, Family::ColourBomb6},
      {ModeNormal, 253, Family::ColourBomb6},
      {ModeNormal, 254, Family::Multiplier},
      {ModeProfessional, 220, Family::Plain6},
      {ModeProfessional, 221, Family::Bomb},
      {ModeProfessional, 227, Family::Bomb},
      {ModeProfessional, 228, Family::TwoColour},
      {ModeProfessional, 240, Family::TwoColour},
      {ModeProfessional, 241, Family::Joker},
      {ModeProfessional, 245, Family::Joker},
      {ModeProfessional, 246, Family::ColourBomb6},
      {ModeProfessional, 255, Family::Multiplier},
  };
  for (const Case& c : cases) {
    values.GameMode = c.mode;
    EXPECT_EQ(FamilyOf(FirstPreviewFor(board, values, c.d)), c.family)
        << "mode " << int(c.mode) << " d " << c.d;
  }
  // Seven colours of plain balls and colour bombs only in Professional: over many draws the
  // seventh turns up there and never in Normal.
  std::set<Family> normal, professional;
  for (uint32_t d = 0; d < 256; ++d)
    for (uint32_t low = 0; low < (1u << 24); low += 0x81234u) {
      values.RandSeed = SeedBefore((d << 24) | low);
      values.GameMode = ModeNormal;
      board.DropBalls(0, false);
      normal.insert(FamilyOf(board.FPreview[0]));
      values.RandSeed = SeedBefore((d << 24) | low);
      values.GameMode = ModeProfessional;
      board.DropBalls(0, false);
      professional.insert(FamilyOf(board.FPreview[0]));
    }
  EXPECT_FALSE(normal.count(Family::Plain7));
  EXPECT_FALSE(normal.count(Family::ColourBomb7));
  EXPECT_TRUE(professional.count(Family::Plain7));
  EXPECT_TRUE(professional.count(Family::ColourBomb7));
}

TEST_F(Drops, TheMultiplierJokerIsThreeForTwelveDrawsInSixteenSixForThreeNineForOne) {
  // The draw after d is the multiplier draw; force both by walking seeds until d = 255.
  int counts[3] = {};
  for (uint32_t low = 0; low < 4096; ++low) {
    values.RandSeed = SeedBefore((255u << 24) | (low << 8));
    values.GameMode = ModeNormal;
    board.DropBalls(0, false);
    const TCell ball = board.FPreview[0];
    ASSERT_EQ(FamilyOf(ball), Family::Multiplier);
    counts[(ball.Mask >> 28) / 3 - 1]++;
  }
  // Random(16) is close to uniform over these seeds: 12 : 3 : 1.
  EXPECT_NEAR(counts[0] / 4096.0, 12 / 16.0, 0.03);
  EXPECT_NEAR(counts[1] / 4096.0, 3 / 16.0, 0.03);
  EXPECT_NEAR(counts[2] / 4096.0, 1 / 16.0, 0.03);
}

TEST_F(Drops, TheDropFromThePreviewPlacesThePreviewBallsInOrder) {
  board.FPreview = {BallKinds[KindBomb], BallKinds[KindJoker], BallKinds[3], BallKinds[19]};
  board.FMovePending = true;
  board.DropBalls(4, false);
  std::multiset<uint32_t> masks;
  for (const TCell& c : board.FCells)
    if (c.Mask) masks.insert(c.Mask);
  EXPECT_EQ(masks, (std::multiset<uint32_t>{MaskBomb, 0x7F, 0x04, 0x3200007F}));
  const auto balls = services.Of("AddBall");
  ASSERT_EQ(balls.size(), 4u);
  EXPECT_EQ(balls[0].Picture, BallPictureOf(BombLook));
  EXPECT_EQ(balls[1].Picture, BallPictureOf(10));
  EXPECT_FALSE(board.FMovePending);
}

TEST_F(Drops, GameOverStartsWhenFewerThanModePlusThreeCellsAreFree) {
  for (uint8_t mode : {ModeKids, ModeNormal, ModeProfessional}) {
    values.GameMode = mode;
    // Exactly mode + 3 free cells: the drop happens.
    FillWithoutLines();
    for (int i = 0; i < mode + 3; ++i) board.FCells(i, 0).Mask = 0;
    board.FGameOver = false;
    board.DropBalls(1, true);
    EXPECT_FALSE(board.FGameOver) << int(mode);
    EXPECT_EQ(board.CountFree(), mode + 2);
    EXPECT_DOUBLE_EQ(board.FBusyTimer, DropTime);

    // One fewer: nothing drops, the preview stays, no sound, the game-over sequence starts.
    FillWithoutLines();
    for (int i = 0; i < mode + 2; ++i) board.FCells(i, 0).Mask = 0;
    const auto preview = board.FPreview;
    services.Clear();
    board.DropBalls(1, true);
    EXPECT_TRUE(board.FGameOver);
    EXPECT_EQ(board.CountFree(), mode + 2);
    EXPECT_EQ(board.FPreview, preview);
    EXPECT_DOUBLE_EQ(board.FBusyTimer, GameOverStartTime);
    EXPECT_EQ(services.Trace(), std::vector<std::string>{"ClearAnimations"});
  }
}

class NextCount : public BoardTest {
 protected:
  // Arranges a move that makes no line and returns FNextCount once its drop has left
  // freeAfterDrop cells free.
  int AfterMoveLeaving(uint8_t mode, int freeAfterDrop) {
    values.GameMode = mode;
    for (int x = 0; x < 9; ++x)
      for (int y = 0; y < 9; ++y) Put(x, y, KindFirstColour + (x + 2 * y) % 6);
    const int drop = mode + 2;
    Put(0, 0, 7);  // the moving ball: a colour nothing else has
    board.FCells(1, 0).Mask = 0;
    for (int n = 1, x = 8, y = 8; n < freeAfterDrop + drop; ++n) {
      board.FCells(x, y).Mask = 0;
      if (--x < 0) x = 8, --y;
    }
    board.FPreview.fill(BallKinds[KindBomb]);  // dropped bombs never go off
    board.FSelX = board.FSelY = 0;
    board.FDestX = 1;
    board.FDestY = 0;
    board.FMovePending = true;
    board.FBusyTimer = 0.0;
    board.FNextCount = drop;
    board.FChain = 0;
    board.FinishStep();
    EXPECT_EQ(board.CountFree(), freeAfterDrop);
    EXPECT_EQ(board.FCells(1, 0), BallKinds[7]);
    return board.FNextCount;
  }
};

TEST_F(NextCount, FallsByOneBelowThirtyTwoFreeCellsAndByTwoBelowSixteenExceptInKids) {
  EXPECT_EQ(AfterMoveLeaving(ModeNormal, 32), 3);
  EXPECT_EQ(AfterMoveLeaving(ModeNormal, 31), 2);
  EXPECT_EQ(AfterMoveLeaving(ModeNormal, 16), 2);
  EXPECT_EQ(AfterMoveLeaving(ModeNormal, 15), 1);
  EXPECT_EQ(AfterMoveLeaving(ModeProfessional, 32), 4);
  EXPECT_EQ(AfterMoveLeaving(ModeProfessional, 15), 2);
  EXPECT_EQ(AfterMoveLeaving(ModeKids, 32), 2);
  EXPECT_EQ(AfterMoveLeaving(ModeKids, 31), 1);
  EXPECT_EQ(AfterMoveLeaving(ModeKids, 15), 1);
}

TEST_F(NextCount, AMoveWithoutALineDropsTheNextCountAndResetsTheChain) {
  AfterMoveLeaving(ModeNormal, 40);
  EXPECT_EQ(board.FChain, 0);
  EXPECT_EQ(services.Count("AddBall"), 3);
  EXPECT_TRUE(values.GameUnderWay);
  EXPECT_EQ(board.FSelX, NoSelection);
  EXPECT_DOUBLE_EQ(board.FBusyTimer, DropTime);
  EXPECT_EQ(services.Trace().front(), "StopEffect s_ballmove");
  EXPECT_EQ(services.Played(), (std::vector<std::string>{"_r7", "s_app"}));
}

}  // namespace
}  // namespace marblix::testing
