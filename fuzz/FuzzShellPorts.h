// What the fuzz targets of the shell share: a real board behind the shell's ports, services that
// check every picture and sound the board names, and the shell values as a start leaves them.
#pragma once

#include <cstdlib>
#include <string>

#include "board/qz_Field.h"
#include "shell/game_shell.h"
#include "shell/high_scores.h"
#include "sound/SoundNames.h"

namespace marblix::fuzz {

[[noreturn]] inline void Fail() {
  std::abort();
}

// Three tables of ten 20-byte rows and the two volumes come before the saved-game flag.
constexpr size_t SavedGameFlagOffset = 3 * 10 * 20 + 2 * 4;

// The board's services: checks that every picture and sound the board names exists.
class CheckingServices final : public IBoardParticles,
                               public IBoardSounds,
                               public IModeButtons,
                               public IScoreTable,
                               public IGameKeeper {
 public:
  explicit CheckingServices(TShellValues& values) : values_(values) {}

  void AddText(const std::string&, float, float) override {}
  void AddBall(BallPicture p, bool, float, float) override { Check(p); }
  void AddFlyingBall(BallPicture p, float, float, float, float) override { Check(p); }
  void AddExplosion(float, float) override {}
  void AddAnimation(BallPicture p, int, float, float, float, int) override { Check(p); }
  void RemoveNear(float, float) override {}
  void ClearAnimations() override {}
  void EndAnimationsNear(float, float) override {}
  void PlayEffect(SoundSlot s) override { Check(s); }
  void PlayEffectLooped(SoundSlot s) override { Check(s); }
  void StopEffect(SoundSlot s) override { Check(s); }
  void SelectModeButton() override {}
  void PlaceFinalScore() override { marblix::PlaceFinalScore(values_); }
  void KeepGame() override {}

 private:
  static void Check(BallPicture p) {
    if (p.Look >= LookCount || p.Variant > PaintVariant) Fail();
  }
  static void Check(SoundSlot s) {
    const int last =
        s.Table == SoundTable::Named ? NamedSoundCount - 1 : LookSoundTableOf(s.Table).Looks;
    const int first = s.Table == SoundTable::Named ? 0 : 1;
    if (s.Index < first || s.Index > last || s.Sample > 3) Fail();
  }

  TShellValues& values_;
};

// The shell's ports over a real board with its own shell values; everything else does nothing.
class BoardPorts final : public ShellPorts {
 public:
  TShellValues Values;
  CheckingServices Services{Values};
  TGameField Board{TBoardServices{Services, Services, Services, Services, Services}, Values};

  void ClearBoard() override { Board.ClearBoard(); }
  void DropBalls(int count, bool randomColours) override { Board.DropBalls(count, randomColours); }
  void SetNextCount(int32_t count) override { Board.FNextCount = count; }
  void SaveBoard(SavedGameRecord& game) override {
    game.NextCount = Board.FNextCount;
    game.Preview = Board.FPreview;
    for (int x = 0; x < SavedBoardSize; ++x)
      for (int y = 0; y < SavedBoardSize; ++y) game.Cells[x][y] = Board.FCells(x, y);
  }
  void RestoreBoard(const SavedGameRecord& game) override {
    Board.ClearBoard();
    Board.FNextCount = game.NextCount;
    Board.FPreview = game.Preview;
    for (int x = 0; x < SavedBoardSize; ++x)
      for (int y = 0; y < SavedBoardSize; ++y) Board.FCells(x, y) = game.Cells[x][y];
  }
  void BoardClick() override { Board.Click(); }
  bool BoardHasSelection() override { return Board.FSelected; }
  void ShowKeyCursor(bool shown) override { Board.SetKeyCursorShown(shown); }
  void ShowHint() override { Board.ShowHint(); }
  void BoardUndo() override { Board.RequestUndo(); }
  bool BoardCanUndo() override { return Board.CanUndo(); }
  void BoardFrame(double d) override {
    Board.UpdateHover();
    Board.UpdateAndDraw(d);
  }
  void SelectModeButton() override {}
  void SelectButton(int) override {}
  void PressButtons() override {}
  void ReleaseButtons() override {}
  int LastHelpPage() override { return 4; }
  int VolumeBarWidth() override { return 194; }
  bool MoveFocus(int, bool) override { return false; }
  bool FocusShown() override { return false; }
  void PressFocused() override {}
  void HideFocus() override {}
  void ClearAnimations() override {}
  void UpdateParticles(double) override {}
  void ApplyMusicVolume() override {}
  void PlayKeySound() override {}
  void PauseMusic() override {}
  void ResumeMusic() override {}
  void LoadAssets() override {}
  void StepLanguage(int) override {}
  void StepLogo(double) override {}
  void SkipLogo() override {}
  bool BeginFrame() override { return true; }
  void DrawLogoBackground() override {}
  void DrawCommonLayer(int) override {}
  void DrawInstructions() override {}
  void DrawOptions() override {}
  void DrawHighScores() override {}
  void DrawStatistics() override {}
  void DrawGameTexts() override {}
  void DrawInvitation(float) override {}
  void DrawParticles() override {}
  void DrawDialog(float, double) override {}
  void DrawPointer() override {}
  void EndAndPresentFrame() override {}
  int32_t Today() override { return 20796; }
  void CopyToClipboard(const std::string&) override {}
  void SetFramesRunning(bool) override {}
  void ReleaseDevice() override {}
  void Terminate() override {}
  void Log(const char*) override {}
};

inline void ResetShell(TShellValues& values) {
  values.ScreenState = LoadingScreen;
  values.ReturnState = MenuScreen;
  values.PanelReturnState = MenuScreen;
  values.GameMode = ModeNormal;
  values.RequestedMode = ModeNormal;
  values.Score = 0;
  values.GameUnderWay = false;
  values.HighScoreTable = {};
  values.NewEntryRow = 0;
  values.PlayerName = "Player";
  values.MusicVolume = 0;
  values.SoundVolume = 0;
  values.MouseX = values.MouseY = values.MouseButton = 0;
  values.MeasuredFps = 60;
  values.RandSeed = 20240601;
  values.DailyDay = 0;
  values.Tally = {};
  values.Statistics = {};
  values.CurrentGame = {};
  values.LastDaily = {};
}

}  // namespace marblix::fuzz
