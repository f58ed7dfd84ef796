// The asset pack's entries at the top of its folder: what the generator writes and the game reads.
// Everything else in a data folder (Config.bin, Log.txt, Marblix.lock, their temporary files) is
// what a game that ran there wrote, never a part of the pack.
#pragma once

#include <array>

namespace marblix::testing {

inline constexpr std::array<const char*, 5> PackEntries{"graphics", "music", "sounds", "sounds.txt",
                                                        "strings.txt"};

}  // namespace marblix::testing
