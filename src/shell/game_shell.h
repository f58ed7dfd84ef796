// The game window's logic: screen transitions, menu actions, dialog answers, input routing,
// the frame's clocks and order of work, and reading and writing Config.bin.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "board/BoardTypes.h"
#include "shell/config_file.h"
#include "shell/config_keeper.h"
#include "shell/defs.h"
#include "shell/shell_ports.h"
#include "shell/statistics_file.h"

namespace marblix {

// Indices of the buttons the shell refers to.
inline constexpr int ButtonYes = 14;
inline constexpr int ButtonNo = 15;

// The button actions, in button index order.
enum class ButtonAction {
  NewGame,
  Kids,
  Normal,
  Professional,
  OpenOptions,
  OpenInstructions,
  OpenHighScores,
  Exit,
  PreviousTable,
  NextTable,
  BackFromHighScores,
  Clear,
  BackFromInstructions,
  BackFromOptions,
  Yes,
  No,
  PreviousPage,
  NextPage,
  MusicDown,
  MusicUp,
  SoundDown,
  SoundUp,
  Daily,
  OpenStatistics,
  BackFromStatistics,
  PreviousLanguage,
  NextLanguage,
};

// Key codes and shift state of the key handler.
inline constexpr int KeyBackspace = 8;
inline constexpr int KeyTab = 9;
inline constexpr int KeyEnter = 13;
inline constexpr int KeyShift = 16;
inline constexpr int KeyControl = 17;
inline constexpr int KeyAlt = 18;
inline constexpr int KeyEscape = 27;
inline constexpr int KeySpace = 32;
inline constexpr int KeyEnd = 35;
inline constexpr int KeyHome = 36;
inline constexpr int KeyLeft = 37;
inline constexpr int KeyUp = 38;
inline constexpr int KeyRight = 39;
inline constexpr int KeyDown = 40;
inline constexpr int KeyDelete = 46;
inline constexpr int KeyD = 'D';
inline constexpr int KeyH = 'H';
inline constexpr int KeyN = 'N';
inline constexpr int KeyS = 'S';
inline constexpr int KeyY = 'Y';
inline constexpr int KeyF2 = 113;
inline constexpr int KeyZ = 'Z';
struct ShiftState {
  bool Alt = false;
  bool Ctrl = false;
  bool Shift = false;
};

// How long the row of a name just stored stays marked in the table: five seconds.
inline constexpr double NewRowMarkDuration = 75;

// Pointer buttons.
inline constexpr int ButtonLeft = 0;
inline constexpr int ButtonRight = 1;
inline constexpr int ButtonMiddle = 2;

// The mark in the score box, above the score, while a move can be taken back: centred on UndoMarkX,
// its text drawn from UndoMarkY; a left click in its box takes the move back.
inline constexpr int UndoMarkX = 142;
inline constexpr int UndoMarkY = 328;
inline constexpr int UndoMarkHalfWidth = 68;
inline constexpr int UndoMarkHeight = 17;
inline constexpr int UndoMarkPercent = 60;
bool OnUndoMark(int x, int y);
// The point lies on one of the board's cells.
bool OnBoardArea(int x, int y);

// What the exit keeps of the game shown, as the exit question tells the player: a game that has
// scored is kept, one that has not is not, and after a game has ended there is none.
enum class KeptGame { Kept, Unscored, NoGame };
KeptGame WhatTheExitKeeps(const TShellValues& values);

// No game is on the board and the board asks for the next one: on the menu screen, and on the game
// screen after a game has ended. A click on the board or Enter starts one in the mode last played.
bool InvitesNewGame(const TShellValues& values);

// Maps client coordinates of the window into the 800 x 600 drawing space.
struct PointerMapping {
  double OffsetX = 0, OffsetY = 0;   // client position of the drawing space's top-left corner
  double Width = 800, Height = 600;  // client size the drawing space is shown at
  int ToFrameX(int x) const;
  int ToFrameY(int y) const;
};

class GameShell {
 public:
  // The ports and the values outlive the shell.
  GameShell(ShellPorts& ports, TShellValues& values) : ports_(ports), values_(values) {}

  // ---- Menu actions and dialogs ----
  void RequestNewGame();
  void StartNewGame();
  // Today's daily challenge: started at once, or after asking when a game is under way.
  void RequestDailyGame();
  // The statistics page, a panel like the others.
  void OpenStatistics();
  // The board has ended its game (its score and mode still hold): the statistics count it, and it
  // is placed in its mode's table, or, for the daily challenge, its result is shown and shared.
  void GameOver();
  void OpenDialog(uint32_t kind);
  void ToggleFullScreen();
  void RunButtonAction(ButtonAction action);
  void AnswerYes();
  void AnswerNo();

  // ---- Input ----
  void FormMouseMove(int x, int y);
  void FormMouseDown(int button, int x, int y);
  void FormMouseUp(int button, int x, int y);
  void FormKeyDown(int key, ShiftState shift);
  // A typed character, as a Unicode code point; the name question takes the letters of names.
  void FormKeyPress(char32_t character);
  // Returns true when the window may close now (logo or loading); otherwise asks first.
  bool FormCloseQuery();
  // The desktop session ends the program: as the exit question's Yes does, or during the logo or
  // loading as closing the window does then. Never asks.
  void EndSession();

  // ---- Frame ----
  void PowerTimer1RealTime(double d);
  void AdvanceClocks(double d);

  // ---- Config.bin ----
  // Config.bin is read from and written to this folder (default: the current one).
  void SetConfigFolder(const std::filesystem::path& folder);
  const std::filesystem::path& ConfigFile() const { return configFile_; }
  const std::filesystem::path& StatisticsFile() const { return statisticsFile_; }
  void LoadConfig();
  // The exit's write; a keep still waiting is written first.
  void SaveConfig();
  // Writes Statistics.bin and then Config.bin, as the exit would write them now, on the keeper's
  // thread. Called when the board has come to rest (a finished game included) and after every
  // change of the tables or the volumes; nothing is written before the file has been read.
  void KeepConfig();
  bool ConfigLoaded() const { return configLoaded_; }

  // ---- Application ----
  void Activate();
  void Deactivate();

  // The keyboard cursor's cell and whether it is shown.
  int KeyCursorX() const { return keyCursorX_; }
  int KeyCursorY() const { return keyCursorY_; }
  bool KeyCursorShown() const { return keyCursorShown_; }

  PointerMapping& Mapping() { return mapping_; }
  double BlinkPhase() const { return blinkPhase_; }
  float AnimClock() const { return animClock_; }
  int32_t LogoFrame() const { return logoFrame_; }
  void SetBlinkPhase(double value) { blinkPhase_ = value; }
  void SetAnimClock(float value) { animClock_ = value; }

 private:
  void CloseAtOnce();
  // The tables and volumes, and the game as the file keeps it.
  ConfigContents ContentsToSave();
  // Config.bin, or Config.bin.new beside one that could not be read.
  std::filesystem::path SaveTarget() const;
  void StoreName();
  // What the keeper's thread has to tell (a write failed, or works again) goes to the log here,
  // on the window's thread.
  void LogKeeperNews();
  void Report(std::string_view key, const std::vector<std::string>& arguments);
  void OpenPanel(uint32_t panel, int ownButton);
  void Back();
  void RequestMode(uint8_t mode);
  void RequestGame(uint8_t mode, bool daily);
  // The game on the board leaves it unfinished (a new game, or No to going on with it): the
  // statistics count it as played, and a daily game of an earlier day as finished as it stood.
  void LeaveGame();
  // A daily game has ended: counted, shown over the statistics page and put on the clipboard.
  void EndDailyGame();
  // The game on the board as the statistics see it now.
  void TakeTally();
  void CountPlayTime(double d);
  // Statistics.bin: read beside Config.bin, and its image to keep with a Config.bin image.
  void LoadStatistics();
  std::vector<uint8_t> StatisticsImage(std::span<const uint8_t> configImage);
  // Resumes the statistics' record of the kept game, or starts one for a game they never saw.
  void FollowKeptGame(uint64_t fingerprint);
  void StepVolume(int32_t& volume, int step, bool music);
  void HandleVolumeBars();
  // Keys while no dialog is open, keys answering a yes/no question, keys of the game screen.
  void ScreenKey(int key);
  // Tab, the arrows, Enter and Space over the buttons of the screen or panel shown; true when the
  // key was theirs.
  bool FocusKey(int key, ShiftState shift);
  // Moves the keyboard focus over the buttons; on the game screen the board is a stop of its own.
  void MoveFocus(int step);
  // The name question's text field: editing keys and Enter; true when the key was its own.
  bool NameKey(int key);
  void TypeIntoName(char32_t character);
  void AnswerKey(int key);
  static bool IsUndoKey(int key, ShiftState shift);
  void BoardKey(int key);
  void MoveKeyCursor(int dx, int dy);
  void ClickAtKeyCursor(int button);
  // The cursor goes back to the centre cell (a game starts or is resumed).
  void CentreKeyCursor();
  void ShowKeyCursor(bool shown);
  // The board reads the pointer: while the cursor is shown it points at the cursor's cell centre.
  void AimAtKeyCursor();
  bool DialogIsOpen() const { return (values_.ScreenState & DialogOpen) != 0; }
  bool IsLogoOrLoading() const {
    return values_.ScreenState == LogoScreen || values_.ScreenState == LoadingScreen;
  }

  ShellPorts& ports_;
  TShellValues& values_;
  PointerMapping mapping_;
  int pressCol_ = 0;
  int pressRow_ = 0;
  // The pointer's own last position in the drawing space.
  int pointerX_ = 0;
  int pointerY_ = 0;
  int keyCursorX_ = BoardWidth / 2;
  int keyCursorY_ = BoardHeight / 2;
  bool keyCursorShown_ = false;
  double blinkPhase_ = 0;
  float animClock_ = 0;
  int32_t logoFrame_ = 0;
  bool configLoaded_ = false;
  std::filesystem::path configFile_ = ConfigFileName;
  // Config.bin existed but could not be read: it is never written over.
  bool keptUnreadable_ = false;
  // The next new game is the daily challenge.
  bool requestedDaily_ = false;
  // Play time not yet counted in whole milliseconds.
  double playTime_ = 0;
  std::filesystem::path statisticsFile_ = StatisticsFileName;
  // A statistics file that could not be read, or moved aside, is never written over.
  bool statisticsWritable_ = true;
  // The game records last written: the newest, and the one of the kept game before it.
  TGameRecord keptRecord_;
  TGameRecord keptBefore_;
  TConfigKeeper keeper_;
};

// The cell index of a frame coordinate: (v - origin) / pitch, truncated toward zero.
int CellOf(int v, int origin);

}  // namespace marblix
