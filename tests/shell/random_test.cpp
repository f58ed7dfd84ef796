// The runtime's random generator: its sequence is part of the game, so a few values are pinned.
#include <gtest/gtest.h>

#include "shell/defs.h"

namespace marblix {
namespace {

TEST(RandomGenerator, FollowsTheLinearCongruentialSequence) {
  TShellValues values;
  values.RandSeed = 0;
  // seed 0 -> 1: high 32 bits of 1 * 100 are 0.
  EXPECT_EQ(values.Random(100), 0u);
  EXPECT_EQ(values.RandSeed, 1u);
  // seed 1 -> 134775814 = 0x08088406; 0x08088406 * 256 >> 32 = 0x08.
  EXPECT_EQ(values.Random(256), 8u);
  EXPECT_EQ(values.RandSeed, 134775814u);
  // seed -> 134775814 * 134775813 + 1 mod 2^32 = 0xDC6DAC1F (3698175007);
  // 3698175007 * 7 >> 32 = 6.
  EXPECT_EQ(values.Random(7), 6u);
  EXPECT_EQ(values.RandSeed, 3698175007u);
}

TEST(RandomGenerator, RangeZeroAndOneGiveZeroButStillAdvance) {
  TShellValues values;
  values.RandSeed = 12345;
  EXPECT_EQ(values.Random(0), 0u);
  EXPECT_EQ(values.RandSeed, 12345u * 134775813u + 1u);
  EXPECT_EQ(values.Random(1), 0u);
}

TEST(RandomGenerator, FloatIsSeedOverTwoToThe32) {
  TShellValues values;
  values.RandSeed = 1;
  EXPECT_DOUBLE_EQ(values.RandomFloat(), 134775814.0 / 4294967296.0);
}

TEST(RandomGenerator, StaysInRangeForLargeN) {
  TShellValues values;
  values.RandSeed = 0xDEADBEEF;
  for (int i = 0; i < 1000; ++i) EXPECT_LT(values.Random(0xFFFFFFFFu), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace marblix
