// The asset pack's entries at the top of its folder: what the generator writes and the game reads
// (lang: every language but English, one folder each).
// Everything else in a data folder (Config.bin, Log.txt, Marblix.lock, their temporary files) is
// what a game that ran there wrote, never a part of the pack.
#pragma once

#include <array>

namespace marblix::testing {

inline constexpr std::array<const char*, 6> PackEntries{"graphics", "lang",       "music",
                                                        "sounds",   "sounds.txt", "strings.txt"};

}  // namespace marblix::testing
