// The three high-score tables in memory: placing a final score, storing a name, resetting a table.
#pragma once

#include <cstdint>
#include <string>

#include "shell/defs.h"

namespace marblix {

// The longest name the program stores; the file's field holds 17 characters.
inline constexpr std::size_t StoredNameLength = 16;
// The highest score a row can hold.
inline constexpr int32_t HighestStoredScore = 65535;

// Fills table `mode` of the values' HighScoreTable with the default rows (Harko 1000 … Pello 100).
void ResetScoreTable(TShellValues& values, uint8_t mode);

// Places `Score` in the table of `GameMode` and keeps it as FinalScore. Returns the dialog word it
// opened (the name question with the last name entered selected):
// EnterNameDialog over HighScoresScreen when the score entered the table (NewEntryRow is its
// row), LowScoreDialog over HighScoresScreen otherwise. ScreenState is set to that word.
uint32_t PlaceFinalScore(TShellValues& values);

// Stores the first 16 characters of PlayerName as the name of row NewEntryRow of `GameMode`.
void StoreEntryName(TShellValues& values);

// The name of a row as text (its first NameLength characters, at most 17).
std::string EntryName(const HighScoreEntry& entry);

}  // namespace marblix
