// The runtime's random generator: its sequence is part of the game, so a few values are pinned.
#include <gtest/gtest.h>

#include "shell/defs.h"

namespace marblix {
namespace {

TEST(RandomGenerator, FollowsTheLinearCongruentialSequence) {
  RandSeed = 0;
  // seed 0 -> 1: high 32 bits of 1 * 100 are 0.
  EXPECT_EQ(Random(100), 0u);
  EXPECT_EQ(RandSeed, 1u);
  // seed 1 -> 134775814 = 0x08088406; 0x08088406 * 256 >> 32 = 0x08.
  EXPECT_EQ(Random(256), 8u);
  EXPECT_EQ(RandSeed, 134775814u);
  // seed -> 134775814 * 134775813 + 1 mod 2^32 = 0xDC6DAC1F (3698175007);
  // 3698175007 * 7 >> 32 = 6.
  EXPECT_EQ(Random(7), 6u);
  EXPECT_EQ(RandSeed, 3698175007u);
}

TEST(RandomGenerator, RangeZeroAndOneGiveZeroButStillAdvance) {
  RandSeed = 12345;
  EXPECT_EQ(Random(0), 0u);
  EXPECT_EQ(RandSeed, 12345u * 134775813u + 1u);
  EXPECT_EQ(Random(1), 0u);
}

TEST(RandomGenerator, FloatIsSeedOverTwoToThe32) {
  RandSeed = 1;
  EXPECT_DOUBLE_EQ(RandomFloat(), 134775814.0 / 4294967296.0);
}

TEST(RandomGenerator, StaysInRangeForLargeN) {
  RandSeed = 0xDEADBEEF;
  for (int i = 0; i < 1000; ++i) EXPECT_LT(Random(0xFFFFFFFFu), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace marblix
