// Config.bin: the 1450-byte little-endian image of the score tables, the volumes and a saved game.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "board/BoardTypes.h"
#include "platform/system/file_io.h"
#include "shell/defs.h"

namespace marblix {

inline constexpr std::size_t ConfigFileSize = 1450;
inline constexpr const char* ConfigFileName = "Config.bin";

// The file holds the board's cells as they are, Mask then Look, unsigned 32-bit each.
using CellRecord = TCell;

inline constexpr int SavedBoardSize = BoardWidth;
static_assert(BoardWidth == BoardHeight);

// The game in progress: mode, score, next drop count, preview and cells [column][row].
struct SavedGameRecord {
  uint8_t Mode = 0;
  int32_t Score = 0;
  int32_t NextCount = 0;
  std::array<CellRecord, 4> Preview{};
  std::array<std::array<CellRecord, SavedBoardSize>, SavedBoardSize> Cells{};
};

struct ConfigContents {
  HighScoreTables Tables{};
  int32_t MusicVolume = 0;
  int32_t SoundVolume = 0;
  uint8_t SavedGameFlag = 0;
  SavedGameRecord Game{};
};

// The file image, always ConfigFileSize bytes; the slots of the tenth row and column are zeros.
std::vector<uint8_t> EncodeConfig(const ConfigContents& contents);

// Reads a file image over `contents`. A short image stops at its end: fields it does not cover
// keep their values, and an uncovered saved-game flag counts as 0.
void DecodeConfig(std::span<const uint8_t> bytes, ConfigContents& contents);

// Makes values read from a file safe to use: name lengths at most 17, volumes 0..100.
void SanitizeSettings(ConfigContents& contents);

// True when the saved game holds only what this program can have written: a mode 0..2, a
// positive score, a drop count 1..4, preview balls and board cells of the known ball kinds.
bool SavedGameIsSound(const SavedGameRecord& game);

// Reads a whole file; false when it does not exist or cannot be read.
bool ReadWholeFile(const std::filesystem::path& path, std::vector<uint8_t>& bytes);

}  // namespace marblix
