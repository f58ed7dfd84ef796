// Shared definitions of the shell: the screen word, the high-score rows, and the shell values with
// the runtime's random generator.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "shell/play_record.h"

namespace marblix {

// ---- Screen state word ---------------------------------------------------------------------
// Low byte: the base screen. Bits 8..16: the dialog kind. Bit 28: a dialog is open.
inline constexpr uint32_t LogoScreen = 0x1;
inline constexpr uint32_t LoadingScreen = 0x2;
inline constexpr uint32_t MenuScreen = 0x4;
inline constexpr uint32_t GameScreen = 0x8;
inline constexpr uint32_t OptionsScreen = 0x10;
inline constexpr uint32_t HighScoresScreen = 0x20;
inline constexpr uint32_t InstructionsScreen = 0x40;
inline constexpr uint32_t StatisticsScreen = 0x80;

inline constexpr uint32_t ExitDialog = 0x100;
inline constexpr uint32_t NewGameDialog = 0x200;
inline constexpr uint32_t OldGameDialog = 0x400;
inline constexpr uint32_t ClearScoresDialog = 0x800;
inline constexpr uint32_t DailyResultDialog = 0x1000;
inline constexpr uint32_t EnterNameDialog = 0x4000;
inline constexpr uint32_t LowScoreDialog = 0x8000;
inline constexpr uint32_t FullScreenDialog = 0x10000;

inline constexpr uint32_t DialogOpen = 0x10000000;

// ---- Game modes -----------------------------------------------------------------------------
inline constexpr uint8_t ModeKids = 0;
inline constexpr uint8_t ModeNormal = 1;
inline constexpr uint8_t ModeProfessional = 2;

// ---- High-score table -------------------------------------------------------------------------
// One row of a table: 20 bytes as stored in Config.bin.
struct HighScoreEntry {
  uint8_t NameLength = 0;
  std::array<char, 17> Name{};
  uint16_t Score = 0;
};
inline constexpr int HighScoreRows = 10;
inline constexpr int HighScoreModes = 3;
using HighScoreTables = std::array<std::array<HighScoreEntry, HighScoreRows>, HighScoreModes>;

// ---- Shell values ------------------------------------------------------------------------------
// Every value the shell and its subsystems share. The program keeps one instance for the whole
// run and hands it by reference to whatever reads or writes it; a fresh instance holds the state
// at program start.
struct TShellValues {
  TShellValues() = default;
  TShellValues(const TShellValues&) = delete;
  TShellValues& operator=(const TShellValues&) = delete;

  uint32_t ScreenState = 0;
  uint32_t ReturnState = MenuScreen;
  uint32_t PanelReturnState = MenuScreen;

  uint8_t GameMode = ModeNormal;
  uint8_t RequestedMode = ModeKids;
  // While the daily challenge is on the board (played with Normal's rules): its date as a number
  // of days since 1970-01-01, from which its balls are drawn; 0 for a game of the chosen mode.
  int32_t DailyDay = 0;
  int32_t Score = 0;
  // The score of the game that ended last: the score box shows it until the next game starts.
  std::optional<int32_t> FinalScore;
  bool GameUnderWay = false;
  uint8_t ScoreTablePage = 0;
  uint8_t HelpPage = 0;
  HighScoreTables HighScoreTable{};
  int32_t NewEntryRow = 0;
  std::string PlayerName = "Player";  // UTF-8
  // The name question's text field: the caret's place in PlayerName (past its end: at the end), and
  // whether the whole name is selected, so that the first letter typed replaces it.
  std::size_t NameCaret = std::string::npos;
  bool NameSelected = false;
  // While above 0 (units of 1/15 s), the row of the name just stored is marked in its table.
  double NewRowMarkTime = 0;
  // The language the game speaks: "en", or the code of a folder of the pack's "lang" ("de",
  // "pt_BR").
  std::string Language = "en";
  // The score text of a line made in a chain in that language, its bonus in "{1}".
  std::string ChainBonusText = "+{1} Chain Bonus";
  int32_t MusicVolume = 0;
  int32_t SoundVolume = 0;
  bool FullScreenSetting = true;

  int32_t MouseX = 0;
  int32_t MouseY = 0;
  int32_t MouseButton = 0;

  // The game on the board as the board counts it; the shell starts it afresh with each game.
  TGameTally Tally;
  // The statistics of the games that have left the board; the game on the board as they follow
  // it; how the last daily game ended; today's day number (above 0, see DailyDay).
  TPlayStatistics Statistics;
  TGameRecord CurrentGame;
  TDailyResult LastDaily;
  int32_t Today = 0;

  // The frame timer's smoothed frame rate, in frames per second.
  int32_t MeasuredFps = 0;

  // ---- The runtime's random generator ----
  // seed := seed * 134775813 + 1 (mod 2^32); Random(n) is the high 32 bits of seed * n.
  // One generator serves the whole program, so one seed fixes the whole game.
  uint32_t RandSeed = 0;

  // Advances the seed and returns a value in 0..n-1 (0 when n is 0).
  uint32_t Random(uint32_t n);

  // Advances the seed and returns a value in [0, 1): seed / 2^32.
  double RandomFloat();

 private:
  void StepSeed() { RandSeed = RandSeed * 134775813u + 1u; }
};

}  // namespace marblix
