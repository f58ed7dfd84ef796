// A saved game read from disk may hold any bytes: looks past the last picture, masks with stray
// bits, a mode past Professional, any next count. The board must keep to its tables whatever it
// is given, and never wait forever.
#include "BoardBot.h"

namespace marblix::testing {
namespace {

// True when a picture names one of the ball pictures that exist.
bool PictureExists(BallPicture p) {
  return p.Look < LookCount && p.Variant <= PaintVariant;
}

// True when a sound slot lies inside its table.
bool SlotExists(SoundSlot s) {
  switch (s.Table) {
    case SoundTable::Named:
      return s.Index <= static_cast<uint8_t>(NamedSound::s_paint);
    case SoundTable::Select:
      return s.Index >= 1 && s.Index <= 23 && s.Sample < 4;
    case SoundTable::Hover:
    case SoundTable::Blast:
      return s.Index >= 1 && s.Index <= 23;
    case SoundTable::Arrive:
    case SoundTable::Vanish:
      return s.Index >= 1 && s.Index <= 22;
  }
  return false;
}

class DamagedGame : public BoardTest {
 protected:
  void ExpectOnlyKnownPicturesAndSlots() {
    for (const ServiceCall& c : services.Calls) {
      if (c.Op == "AddBall" || c.Op == "AddFlyingBall" || c.Op == "AddAnimation") {
        EXPECT_TRUE(PictureExists(c.Picture)) << c.Op << " look " << int(c.Picture.Look);
      }
      if (c.Op == "PlayEffect" || c.Op == "PlayEffectLooped" || c.Op == "StopEffect") {
        EXPECT_TRUE(SlotExists(c.Slot)) << SoundSlotName(c.Slot);
      }
    }
  }
};

TEST_F(DamagedGame, RandomBytesEverywherePlayOnWithinTheTables) {
  for (uint64_t trial = 1; trial <= 12; ++trial) {
    BotChoices bytes(trial * 7919);
    services.Clear();
    board.Create(9, 9);
    values.GameMode = static_cast<uint8_t>(bytes.Next(256));
    values.MeasuredFps = 16;
    for (TCell& cell : board.FCells) {
      // Half the cells empty; the rest any mask and any look.
      cell.Mask = bytes.Next(2) ? 0u : (bytes.Next(1u << 31) << 1) | bytes.Next(2);
      cell.Look = bytes.Next(0xFFFFFFFFu);
    }
    for (TCell& next : board.FPreview) next = {bytes.Next(0xFFFFFFFFu), bytes.Next(0xFFFFFFFFu)};
    board.FNextCount = static_cast<int32_t>(bytes.Next(0xFFFFFFFFu));
    for (int moves = 0; moves < 30 && !board.FGameOver; ++moves) {
      if (!BotMove(board, bytes, [this](int x, int y, int b) { ClickCell(x, y, b); })) break;
      PointAt(static_cast<int>(bytes.Next(9)), static_cast<int>(bytes.Next(9)));
      RunUntilIdle(400);
    }
    RunUntilIdle(2000);
    ExpectOnlyKnownPicturesAndSlots();
    EXPECT_LE(values.ScoreTablePage, ModeProfessional);
    EXPECT_LE(board.FNextCount, 4);
  }
}

TEST_F(DamagedGame, AnyNextCountDropsAtMostThePreviewAndNeverWaitsForCellsThatAreNotThere) {
  values.GameMode = ModeKids;
  board.FPreview.fill(BallKinds[2]);
  FillBoard(1);
  for (int i = 0; i < 3; ++i) board.FCells(i, 8).Mask = 0;
  board.DropBalls(1000, false);  // three cells, four preview balls
  EXPECT_EQ(board.CountFree(), 0);
  board.FCells.Fill({});
  board.DropBalls(100000, false);
  EXPECT_EQ(board.CountFree(), 81 - PreviewSize);
  board.FCells.Fill({});
  board.DropBalls(100000, true);  // random colours: until the board is full
  EXPECT_EQ(board.CountFree(), 0);
  services.Clear();
  board.DropBalls(-7, false);
  EXPECT_TRUE(board.FGameOver);
}

TEST_F(DamagedGame, AModePastProfessionalPlaysAsProfessional) {
  values.GameMode = 200;
  board.DropBalls(9, true);
  EXPECT_EQ(board.CountFree(), 72);
  for (const TCell& next : board.FPreview) EXPECT_NE(next.Mask, 0u);
  board.FinishGame();
  EXPECT_EQ(values.ScoreTablePage, ModeProfessional);
}

TEST_F(DamagedGame, UnknownLooksShowAndSoundNothingButStillPlay) {
  PutMask(0, 0, 0x1, 0x12345634);                                   // low byte 0x34: no such look
  for (int k = 1; k < 5; ++k) PutMask(k, 0, 0x1, 0xFFFFFF00u + k);  // low bytes 1..4 are fine
  EXPECT_EQ(board.RemoveLines(), 5);
  EXPECT_EQ(services.Count("AddBall"), 4);
  EXPECT_EQ(values.Score, 50);

  // A ball of an unknown look travels, arrives and is thrown like any other.
  services.Clear();
  PutMask(4, 4, 0x1, 0xC8);
  Put(4, 8, KindBomb);
  ASSERT_GT(Move(4, 4, 4, 5), 0.0);
  RunUntilIdle();
  EXPECT_EQ(MaskAt(4, 5), 1u);
  EXPECT_EQ(services.Count("PlayEffect"), 1);  // the drop's s_app; no arrival sound to play
  ASSERT_GT(Move(4, 8, 4, 6), 0.0);
  RunUntilIdle();
  EXPECT_EQ(MaskAt(4, 5), 0u);
  EXPECT_EQ(MaskAt(4, 6), 0u);
  EXPECT_EQ(services.Count("AddExplosion"), 1);
  ExpectOnlyKnownPicturesAndSlots();
}

TEST_F(DamagedGame, StrayMaskBitsNeverReachOutsideTheTables) {
  // A colour bomb without a colour: nothing to paint with, it stays.
  Put(3, 3, 1);
  PutMask(0, 0, MaskColourBomb, 11);
  EXPECT_FALSE(board.PaintBomb(0, 0, MaskColourBomb));
  ASSERT_GT(Move(0, 0, 3, 4), 0.0);
  RunUntilIdle();
  EXPECT_EQ(board.FPaintColour, 0);
  EXPECT_EQ(MaskAt(3, 4), MaskColourBomb);
  // A colour bomb with several colours paints with its lowest.
  board.FCells.Fill({});
  Put(5, 5, 2);
  PutMask(5, 4, MaskColourBomb | 0x44, 13);
  EXPECT_TRUE(board.PaintBomb(5, 4, board.FCells(5, 4).Mask));
  EXPECT_EQ(board.FPaintColour, 3);
  // A multiplier without a multiplier scores nothing for its line but still removes it.
  board.FCells.Fill({});
  values.Score = 0;
  for (int k = 0; k < 4; ++k) Put(k, 6, 2);
  PutMask(4, 6, MaskMultiplier | 0x7F, 18);
  EXPECT_EQ(board.RemoveLines(), 5);
  EXPECT_EQ(values.Score, 0);
  // Bomb bits mixed with colours: a bomb that also matches colours goes off and is thrown.
  board.FCells.Fill({});
  PutMask(2, 2, MaskBomb | MaskBombExploding | 0x3, 21);
  Put(2, 3, 5);
  EXPECT_TRUE(board.ExplodeBomb(2, 2, board.FCells(2, 2).Mask));
  EXPECT_EQ(board.CountFree(), 81);
  ExpectOnlyKnownPicturesAndSlots();
}

}  // namespace
}  // namespace marblix::testing
