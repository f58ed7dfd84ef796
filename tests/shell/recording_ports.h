// Shell ports that record every call, so tests see what the logic asked of its collaborators.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "shell/game_shell.h"
#include "shell/shell_ports.h"

namespace marblix::test_support {

class RecordingPorts : public ShellPorts {
 public:
  // The values whose MusicVolume the music volume calls record.
  explicit RecordingPorts(const TShellValues& shellValues) : values(shellValues) {}

  const TShellValues& values;
  std::vector<std::string> calls;
  SavedGameRecord board;  // what the board holds
  int lastHelpPage = 4;
  int volumeBarWidth = 194;
  bool selection = false;  // a ball is selected on the board
  bool canUndo = false;
  int32_t today = 20796;  // 2026-12-09
  std::string clipboard;
  std::function<void()> onRelease;  // the button bar's action under the pointer, if any
  std::function<void()> onClick;
  std::function<void()> onLoadAssets;
  std::function<void()> onStepLogo;

  bool Called(const std::string& name) const {
    for (const auto& c : calls) {
      if (c == name) return true;
    }
    return false;
  }
  int Count(const std::string& name) const {
    int n = 0;
    for (const auto& c : calls) n += c == name;
    return n;
  }

  void ClearBoard() override {
    calls.push_back("ClearBoard");
    for (auto& column : board.Cells) {
      for (auto& cell : column) cell.Mask = 0;
    }
  }
  void DropBalls(int count, bool randomColours) override {
    calls.push_back("DropBalls(" + std::to_string(count) + "," + (randomColours ? "1" : "0") + ")");
    for (int i = 0; i < count; ++i) board.Cells[i][0] = {1u << (i % 7), uint32_t(i % 7)};
  }
  void SetNextCount(int32_t count) override {
    calls.push_back("SetNextCount(" + std::to_string(count) + ")");
    board.NextCount = count;
  }
  void SaveBoard(SavedGameRecord& game) override {
    calls.push_back("SaveBoard");
    game.NextCount = board.NextCount;
    game.Preview = board.Preview;
    game.Cells = board.Cells;
  }
  void RestoreBoard(const SavedGameRecord& game) override {
    calls.push_back("RestoreBoard");
    board.NextCount = game.NextCount;
    board.Preview = game.Preview;
    board.Cells = game.Cells;
  }
  void BoardClick() override {
    calls.push_back("BoardClick");
    if (onClick) onClick();
  }
  bool BoardHasSelection() override { return selection; }
  void ShowKeyCursor(bool shown) override {
    calls.push_back(std::string("ShowKeyCursor(") + (shown ? "1" : "0") + ")");
  }
  void ShowHint() override { calls.push_back("ShowHint"); }
  void BoardUndo() override { calls.push_back("BoardUndo"); }
  bool BoardCanUndo() override { return canUndo; }
  void BoardFrame(double) override { calls.push_back("BoardFrame"); }
  void SelectModeButton() override { calls.push_back("SelectModeButton"); }
  void SelectButton(int index) override {
    calls.push_back("SelectButton(" + std::to_string(index) + ")");
  }
  void PressButtons() override { calls.push_back("PressButtons"); }
  void ReleaseButtons() override {
    calls.push_back("ReleaseButtons");
    if (onRelease) onRelease();
  }
  int LastHelpPage() override { return lastHelpPage; }
  int VolumeBarWidth() override { return volumeBarWidth; }
  // No buttons to focus: the whole-program tests follow the focus over the real bar.
  bool MoveFocus(int, bool) override { return false; }
  bool FocusShown() override { return false; }
  void PressFocused() override {}
  void HideFocus() override {}
  void ClearAnimations() override { calls.push_back("ClearAnimations"); }
  void UpdateParticles(double) override { calls.push_back("UpdateParticles"); }
  void ApplyMusicVolume() override {
    calls.push_back("ApplyMusicVolume(" + std::to_string(values.MusicVolume) + ")");
  }
  void PlayKeySound() override { calls.push_back("PlayKeySound"); }
  void PauseMusic() override { calls.push_back("PauseMusic"); }
  void ResumeMusic() override { calls.push_back("ResumeMusic"); }
  void LoadAssets() override {
    calls.push_back("LoadAssets");
    if (onLoadAssets) onLoadAssets();
  }
  void StepLanguage(int step) override {
    calls.push_back("StepLanguage(" + std::to_string(step) + ")");
  }
  void StepLogo(double) override {
    calls.push_back("StepLogo");
    if (onStepLogo) onStepLogo();
  }
  void SkipLogo() override { calls.push_back("SkipLogo"); }
  bool BeginFrame() override {
    calls.push_back("BeginFrame");
    return true;
  }
  void DrawLogoBackground() override { calls.push_back("DrawLogoBackground"); }
  void DrawCommonLayer(int) override { calls.push_back("DrawCommonLayer"); }
  void DrawInstructions() override { calls.push_back("DrawInstructions"); }
  void DrawOptions() override { calls.push_back("DrawOptions"); }
  void DrawHighScores() override { calls.push_back("DrawHighScores"); }
  void DrawStatistics() override { calls.push_back("DrawStatistics"); }
  void DrawGameTexts() override { calls.push_back("DrawGameTexts"); }
  void DrawInvitation(float) override { calls.push_back("DrawInvitation"); }
  void DrawParticles() override { calls.push_back("DrawParticles"); }
  void DrawDialog(float, double) override { calls.push_back("DrawDialog"); }
  void DrawPointer() override { calls.push_back("DrawPointer"); }
  void EndAndPresentFrame() override { calls.push_back("EndAndPresentFrame"); }
  int32_t Today() override { return today; }
  void CopyToClipboard(const std::string& text) override { clipboard = text; }
  void SetFramesRunning(bool running) override {
    calls.push_back(std::string("SetFramesRunning(") + (running ? "1" : "0") + ")");
  }
  void ReleaseDevice() override { calls.push_back("ReleaseDevice"); }
  void Terminate() override { calls.push_back("Terminate"); }
  void Log(const char* message) override { calls.push_back(std::string("Log:") + message); }
};

}  // namespace marblix::test_support
