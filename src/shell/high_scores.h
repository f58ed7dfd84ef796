// The three high-score tables in memory: placing a final score, storing a name, resetting a table;
// how a name is kept in the 17 bytes of its row.
#pragma once

#include <cstdint>
#include <string>

#include "shell/defs.h"

namespace marblix {

// The most bytes of a name the program stores; the file's field holds 17.
inline constexpr std::size_t StoredNameLength = 16;
inline constexpr std::size_t NameFieldLength = 17;
// The highest score a row can hold.
inline constexpr int32_t HighestStoredScore = 65535;

// Fills table `mode` of the values' HighScoreTable with the default rows (Harko 1000 … Pello 100).
void ResetScoreTable(TShellValues& values, uint8_t mode);

// Places `Score` in the table of `GameMode` and keeps it as FinalScore. Returns the dialog word it
// opened (the name question with the last name entered selected):
// EnterNameDialog over HighScoresScreen when the score entered the table (NewEntryRow is its
// row), LowScoreDialog over HighScoresScreen otherwise. ScreenState is set to that word.
uint32_t PlaceFinalScore(TShellValues& values);

// Stores PlayerName as the name of row NewEntryRow of `GameMode`: as many of its first characters
// as the row's 16 bytes hold (see NameBytes).
void StoreEntryName(TShellValues& values);

// The name of a row as UTF-8 text (its first NameLength bytes, at most 17; see NameBytes).
std::string EntryName(const HighScoreEntry& entry);

// How a name (UTF-8) is kept in a row: in Windows-1252, one byte a letter, as every name was kept
// before, when it has only letters of that code page and its bytes cannot be read as UTF-8;
// otherwise in UTF-8. A row's bytes read as UTF-8 when they are well-formed UTF-8, and as
// Windows-1252 otherwise, so names kept either way, old ones included, read back as they were.
std::string NameBytes(const std::string& name);

// A letter a player may type into a name: printable Latin-1 and Windows-1252, Latin Extended-A and
// Romanian's, modern Greek and Cyrillic (the letters the font has in every language).
bool IsNameCharacter(char32_t codePoint);

}  // namespace marblix
