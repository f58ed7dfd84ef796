// The high-score tables: placement from the bottom up, names, and the default rows.
#include "shell/high_scores.h"

#include <algorithm>
#include <array>

#include "platform/system/text_encoding.h"

namespace marblix {
namespace {

constexpr std::array<const char*, HighScoreRows> DefaultNames = {
    "Harko", "Orsina", "Lunet", "Bresk", "Tovin", "Belmar", "Teddo", "Ilvan", "Marisande", "Pello",
};

// The bytes of the name's longest beginning that fits the stored length, cut between letters.
std::string StoredBytes(const std::string& name) {
  std::u32string letters = CodePointsOf(name);
  std::string bytes = NameBytes(name);
  while (bytes.size() > StoredNameLength) {
    letters.pop_back();
    bytes = NameBytes(Utf8Of(letters));
  }
  return bytes;
}

void SetName(HighScoreEntry& entry, const std::string& name) {
  const std::string bytes = StoredBytes(name);
  entry.NameLength = static_cast<uint8_t>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), entry.Name.begin());
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
  return AsUtf8(std::string_view(entry.Name.data(), length));
}

std::string NameBytes(const std::string& name) {
  std::string singleBytes;
  for (const char32_t letter : CodePointsOf(name)) {
    const int byte = Windows1252Byte(letter);
    if (byte < 0) return AsUtf8(name);
    singleBytes.push_back(static_cast<char>(byte));
  }
  return IsMultiByteUtf8(singleBytes) ? AsUtf8(name) : singleBytes;
}

bool IsNameCharacter(char32_t c) {
  if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0)) return false;
  const auto within = [c](char32_t first, char32_t last) { return c >= first && c <= last; };
  const bool latin = Windows1252Byte(c) >= 0 || within(0x100, 0x17F) || within(0x218, 0x21B) ||
                     c == 0x1E9E;  // Latin Extended-A, Romanian's commas below, capital sharp s
  const bool greek = within(0x384, 0x3CE) && c != 0x38B && c != 0x38D && c != 0x3A2;  // modern
  const bool cyrillic = within(0x400, 0x45F) || within(0x490, 0x4FF);  // not the historic ones
  return latin || greek || cyrillic;
}

}  // namespace marblix
