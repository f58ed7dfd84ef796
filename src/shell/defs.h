// Shared definitions of the shell: the screen word, the shell values every subsystem reads, the runtime's random generator.
#pragma once

#include <array>
#include <cstdint>
#include <string>

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

inline constexpr uint32_t ExitDialog = 0x100;
inline constexpr uint32_t NewGameDialog = 0x200;
inline constexpr uint32_t OldGameDialog = 0x400;
inline constexpr uint32_t ClearScoresDialog = 0x800;
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

// ---- Shell values: one instance each for the whole run ----------------------------------------
extern uint32_t ScreenState;
extern uint32_t ReturnState;
extern uint32_t PanelReturnState;

extern uint8_t GameMode;
extern uint8_t RequestedMode;
extern int32_t Score;
extern bool GameUnderWay;
extern uint8_t ScoreTablePage;
extern uint8_t HelpPage;
extern HighScoreTables HighScoreTable;
extern int32_t NewEntryRow;
extern std::string PlayerName;
extern int32_t MusicVolume;
extern int32_t SoundVolume;
extern bool FullScreenSetting;

extern int32_t MouseX;
extern int32_t MouseY;
extern int32_t MouseButton;

// The frame timer's smoothed frame rate, in frames per second.
extern int32_t MeasuredFps;

// Puts every shell value above back to its state at program start.
void ResetShellValues();

// ---- The runtime's random generator --------------------------------------------------------
// seed := seed * 134775813 + 1 (mod 2^32); Random(n) is the high 32 bits of seed * n.
// One generator serves the whole program, so one seed fixes the whole game.
extern uint32_t RandSeed;

// Advances the seed and returns a value in 0..n-1 (0 when n is 0).
uint32_t Random(uint32_t n);

// Advances the seed and returns a value in [0, 1): seed / 2^32.
double RandomFloat();

}  // namespace marblix
