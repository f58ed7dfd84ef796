// Statistics.bin, beside Config.bin: the totals of every way to play, the daily challenge's best of
// the day and streak, and the game on the board, versioned and checked by a CRC.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "shell/play_record.h"

namespace marblix {

inline constexpr const char* StatisticsFileName = "Statistics.bin";
// A damaged or foreign statistics file is moved aside under its name with this added.
inline constexpr const char* BadStatisticsSuffix = ".bad";
inline constexpr uint16_t StatisticsVersion = 1;

// Everything the file holds. The game on the board is kept twice: as the last image written with
// Config.bin (Current) and as the one before it (Previous), so that whichever of the two files a
// crash leaves newer, the game Config.bin keeps finds its record by its fingerprint.
struct TStatisticsFile {
  TPlayStatistics Totals;
  TGameRecord Current;
  TGameRecord Previous;

  friend bool operator==(const TStatisticsFile&, const TStatisticsFile&) = default;
};

// The file image:
//   0  8  "MBXSTATS"
//   8  2  version (1), little-endian like every number below
//  10  2  0
//  12  4  size of the body (328 for version 1)
//  16  .  the body: four way totals, the daily best and streak, the two game records
//   .  4  CRC-32 of everything before it
std::vector<uint8_t> EncodeStatistics(const TStatisticsFile& file);

// Reads an image this program wrote; false, with the reason in `reason`, for anything else (another
// file, another version, a wrong size or CRC, values no game can reach).
bool DecodeStatistics(std::span<const uint8_t> bytes, TStatisticsFile& file, std::string& reason);

// The fingerprint of the game a Config.bin image keeps (FNV-1a of its saved-game bytes); 0 when it
// keeps none.
uint64_t KeptGameFingerprint(std::span<const uint8_t> configImage);

}  // namespace marblix
