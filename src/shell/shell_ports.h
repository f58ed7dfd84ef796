// What the shell's logic asks of the board, the button bar, the particles, the sound, the screens
// and the application; the game window wires the real objects, tests wire recorders.
#pragma once

#include <cstdio>
#include <string>

#include <cstdint>

#include "shell/config_file.h"

namespace marblix {

// The panel buttons the shell selects, by their index in the button table (shell/button_table.h,
// which checks each against its action); the bar names its own (widgets/qz_Menus.h).
enum ButtonIndex : int {
  NewGameButton = 0,
  OptionsButton = 4,
  InstructionsButton = 5,
  HighScoresButton = 6,
  StatisticsButton = 23,
};

class ShellPorts {
 public:
  virtual ~ShellPorts() = default;

  // The board.
  virtual void ClearBoard() = 0;
  virtual void DropBalls(int count, bool randomColours) = 0;
  virtual void SetNextCount(int32_t count) = 0;
  // Copies NextCount, Preview and Cells of the board into `game` (Mode and Score are the shell's).
  virtual void SaveBoard(SavedGameRecord& game) = 0;
  virtual void RestoreBoard(const SavedGameRecord& game) = 0;
  virtual void BoardClick() = 0;
  // A ball is selected.
  virtual bool BoardHasSelection() = 0;
  // The hovered cell is drawn as the keyboard cursor while shown.
  virtual void ShowKeyCursor(bool shown) = 0;
  // Marks a move that completes a line for a moment, if there is one.
  virtual void ShowHint() = 0;
  // Takes the last move back (when the move rests); whether there is one to take back.
  virtual void BoardUndo() = 0;
  virtual bool BoardCanUndo() = 0;
  // UpdateHover, then UpdateAndDraw(d).
  virtual void BoardFrame(double d) = 0;

  // The button bar: buttons by their index in the button table (ButtonIndex).
  virtual void SelectModeButton() = 0;
  virtual void SelectButton(int index) = 0;
  virtual void PressButtons() = 0;
  virtual void ReleaseButtons() = 0;
  virtual int LastHelpPage() = 0;
  // Pattern width of the volume bar picture.
  virtual int VolumeBarWidth() = 0;
  // The keyboard focus over the buttons that can be pressed now, in the button table's order:
  // moves it by step; past either end it wraps round, or with `wrap` false leaves the buttons.
  // Returns whether a button has the focus.
  virtual bool MoveFocus(int step, bool wrap) = 0;
  virtual bool FocusShown() = 0;
  // Presses the focused button as a click would.
  virtual void PressFocused() = 0;
  virtual void HideFocus() = 0;

  // Particles.
  virtual void ClearAnimations() = 0;
  virtual void UpdateParticles(double d) = 0;

  // Sound: the music stream's volume := MusicVolume; "s_press" at SoundVolume; pause and resume.
  virtual void ApplyMusicVolume() = 0;
  virtual void PlayKeySound() = 0;
  virtual void PauseMusic() = 0;
  virtual void ResumeMusic() = 0;

  // Loading and the logo.
  virtual void LoadAssets() = 0;
  // Speaks the pack's next (step 1) or previous (step -1) language from now on, and keeps the
  // choice.
  virtual void StepLanguage(int step) = 0;
  virtual void StepLogo(double d) = 0;
  // A click or a key during the logo: straight to loading once the logo has shown for a second.
  virtual void SkipLogo() = 0;

  // The frame's drawing, one call per layer, in frame order.
  virtual bool BeginFrame() = 0;
  virtual void DrawLogoBackground() = 0;
  virtual void DrawCommonLayer(int logoFrame) = 0;
  virtual void DrawInstructions() = 0;
  virtual void DrawOptions() = 0;
  virtual void DrawHighScores() = 0;
  virtual void DrawStatistics() = 0;
  virtual void DrawGameTexts() = 0;
  // The board asks for the next game: New game stands out, the empty board says how to start.
  virtual void DrawInvitation(float animClock) = 0;
  virtual void DrawParticles() = 0;
  virtual void DrawDialog(float animClock, double blinkPhase) = 0;
  virtual void DrawPointer() = 0;
  virtual void EndAndPresentFrame() = 0;

  // The application.
  // Today's date as a day number (board/DayGame.h): the local clock's, or the test's.
  virtual int32_t Today() = 0;
  // Puts a line of text on the system's clipboard.
  virtual void CopyToClipboard(const std::string& text) = 0;
  virtual void SetFramesRunning(bool running) = 0;
  virtual void ReleaseDevice() = 0;
  virtual void Terminate() = 0;
  virtual void Log(const char* message) = 0;
  // A problem the player should hear of though the game goes on (a Config.bin that cannot be read
  // or written): a line on the standard error, and where the platform has one, a message box.
  virtual void TellPlayer(const std::string& message) {
    std::fprintf(stderr, "Marblix: %s\n", message.c_str());
  }
};

}  // namespace marblix
