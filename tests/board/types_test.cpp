// The cell record's saved layout, the ball kinds table and the sound slots' file names.
#include <gtest/gtest.h>

#include <cstring>

#include "board/BoardServices.h"
#include "board/BoardTypes.h"
#include "sound/SoundNames.h"

namespace marblix {
namespace {

TEST(CellRecord, IsMaskThenLookInEightBytes) {
  TCell cell{0x01020304u, 0x0A0B0C0Du};
  unsigned char bytes[8];
  std::memcpy(bytes, &cell, sizeof cell);
  uint32_t mask = 0, look = 0;
  std::memcpy(&mask, bytes, 4);
  std::memcpy(&look, bytes + 4, 4);
  EXPECT_EQ(mask, 0x01020304u);
  EXPECT_EQ(look, 0x0A0B0C0Du);
  EXPECT_EQ(LookOf(cell), 0x0D);
}

TEST(BallKinds, EveryBallHasAKnownLookAndTheSpecialBitsAreWhereTheRulesExpectThem) {
  EXPECT_EQ(BallKinds[KindNone].Mask, 0u);
  for (int k = 1; k < BallKindCount; ++k) {
    EXPECT_NE(BallKinds[k].Mask, 0u) << k;
    EXPECT_EQ(BallKinds[k].Look, static_cast<uint32_t>(k - 1)) << k;
  }
  for (int c = 1; c <= 7; ++c) EXPECT_EQ(BallKinds[c].Mask, 1u << (c - 1));
  for (int c = 1; c <= 7; ++c)
    EXPECT_EQ(BallKinds[KindFirstColourBomb + c - 1].Mask, MaskColourBomb | (1u << (c - 1)));
  EXPECT_EQ(BallKinds[KindJokerX3].Mask >> 28, 3u);
  EXPECT_EQ(BallKinds[KindJokerX6].Mask >> 28, 6u);
  EXPECT_EQ(BallKinds[KindJokerX9].Mask >> 28, 9u);
  EXPECT_EQ(BallKinds[KindBomb].Mask & MaskColours, 0u);
  EXPECT_EQ(LookOf(BallKinds[KindBomb]), BombLook);
}

TEST(SoundSlots, AreNamedAsTheSoundListNamesThem) {
  EXPECT_EQ(SoundSlotName(SoundOf(NamedSound::s_app)), "s_app");
  EXPECT_EQ(SoundSlotName(SoundOf(NamedSound::s_paint)), "s_paint");
  EXPECT_EQ(SoundSlotName(SelectSoundOf(0, 0)), "_a1");
  EXPECT_EQ(SoundSlotName(SelectSoundOf(2, 3)), "_d3");
  EXPECT_EQ(SoundSlotName(HoverSoundOf(2)), "_h3");
  EXPECT_EQ(SoundSlotName(ArriveSoundOf(21)), "_r22");
  EXPECT_EQ(SoundSlotName(VanishSoundOf(4)), "_o5");
  EXPECT_EQ(SoundSlotName(ABombSound), "_a23");
  EXPECT_EQ(SoundSlotName(HBombSound), "_h23");
  EXPECT_EQ(SoundSlotName(BombBoomSound), "_f23");
}

}  // namespace
}  // namespace marblix
