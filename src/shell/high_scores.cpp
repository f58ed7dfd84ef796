// The high-score tables: placement from the bottom up, names, and the default rows.
#include "shell/high_scores.h"

#include <algorithm>
#include <array>

namespace marblix {
namespace {

constexpr std::array<const char*, HighScoreRows> DefaultNames = {
    "Harko", "Orsina", "Lunet", "Bresk", "Tovin", "Belmar", "Teddo", "Ilvan", "Marisande", "Pello",
};

void SetName(HighScoreEntry& entry, const std::string& name) {
  const std::size_t length = std::min(name.size(), StoredNameLength);
  entry.NameLength = static_cast<uint8_t>(length);
  std::copy_n(name.begin(), length, entry.Name.begin());
}

// Table index of a mode value that may come from a damaged file.
std::size_t TableOf(uint8_t mode) {
  return std::min<std::size_t>(mode, HighScoreModes - 1);
}

}  // namespace

void ResetScoreTable(TShellValues& values, uint8_t mode) {
  auto& table = values.HighScoreTable[TableOf(mode)];
  for (int row = 0; row < HighScoreRows; ++row) {
    table[row].Score = static_cast<uint16_t>(1000 - 100 * row);
    SetName(table[row], DefaultNames[row]);
  }
}

uint32_t PlaceFinalScore(TShellValues& values) {
  auto& table = values.HighScoreTable[TableOf(values.GameMode)];
  const int32_t score = values.Score;
  values.FinalScore = score;
  int place = 0;
  for (int row = HighScoreRows - 1; row >= 0; --row) {
    if (int32_t{table[row].Score} >= score) {
      place = row + 1;
      break;
    }
  }
  if (place == HighScoreRows) {
    values.ScreenState = DialogOpen | LowScoreDialog | HighScoresScreen;
    return values.ScreenState;
  }
  values.ScreenState = DialogOpen | EnterNameDialog | HighScoresScreen;
  values.NameSelected = true;
  values.NameCaret = values.PlayerName.size();
  for (int row = HighScoreRows - 2; row >= place; --row) table[row + 1] = table[row];
  values.NewEntryRow = place;
  table[place].Score = static_cast<uint16_t>(std::clamp(score, 0, HighestStoredScore));
  return values.ScreenState;
}

void StoreEntryName(TShellValues& values) {
  const int row = std::clamp(values.NewEntryRow, 0, HighScoreRows - 1);
  SetName(values.HighScoreTable[TableOf(values.GameMode)][row], values.PlayerName);
}

std::string EntryName(const HighScoreEntry& entry) {
  const std::size_t length = std::min<std::size_t>(entry.NameLength, entry.Name.size());
  return std::string(entry.Name.data(), length);
}

}  // namespace marblix
