// Fuzz target: Config.bin loaded into a board, played on, saved, loaded and saved again.
// Bytes past the file's 1450 are moves: each picks a cell to click, then the board runs a frame.
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "FuzzScratch.h"
#include "board/qz_Field.h"
#include "shell/game_shell.h"
#include "shell/high_scores.h"
#include "sound/SoundNames.h"

namespace marblix::fuzz {
namespace {

[[noreturn]] void Fail() {
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
  void StepLogo(double) override {}
  void SkipLogo() override {}
  bool BeginFrame() override { return true; }
  void DrawLogoBackground() override {}
  void DrawCommonLayer(int) override {}
  void DrawInstructions() override {}
  void DrawOptions() override {}
  void DrawHighScores() override {}
  void DrawGameTexts() override {}
  void DrawInvitation(float) override {}
  void DrawParticles() override {}
  void DrawDialog(float, double) override {}
  void DrawPointer() override {}
  void EndAndPresentFrame() override {}
  void SetFramesRunning(bool) override {}
  void ReleaseDevice() override {}
  void Terminate() override {}
  void Log(const char*) override {}
};

void ResetShell(TShellValues& values) {
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
}

// What a loaded file may never leave behind, whatever its bytes.
void CheckLoadedValues(const BoardPorts& ports) {
  const TShellValues& values = ports.Values;
  if (values.MusicVolume < 0 || values.MusicVolume > 100 || values.SoundVolume < 0 ||
      values.SoundVolume > 100)
    Fail();
  for (const auto& table : values.HighScoreTable)
    for (const auto& entry : table)
      if (entry.NameLength > 17) Fail();
  if (values.GameMode > ModeProfessional) Fail();
  for (int x = 0; x < SavedBoardSize; ++x)
    for (int y = 0; y < SavedBoardSize; ++y) {
      const TCell cell = ports.Board.FCells(x, y);
      if (cell.Mask != 0 && std::find(BallKinds.begin(), BallKinds.end(), cell) == BallKinds.end())
        Fail();
    }
}

std::vector<uint8_t> ReadConfig() {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(ConfigFileName, bytes) || bytes.size() != ConfigFileSize) Fail();
  return bytes;
}

// Loads Config.bin on a fresh board and shell; true when the saved game was offered.
bool Load(BoardPorts& ports, GameShell& shell) {
  TShellValues& values = ports.Values;
  ResetShell(values);
  shell.LoadConfig();
  CheckLoadedValues(ports);
  const bool offered = (values.ScreenState & OldGameDialog) != 0;
  // A game offered for resumption is one this program could have saved.
  if (offered && (values.Score <= 0 || ports.Board.FNextCount < 1 || ports.Board.FNextCount > 4))
    Fail();
  if (offered) values.ScreenState = GameScreen;  // the player answers Yes
  return offered;
}

void Play(BoardPorts& ports, const uint8_t* moves, size_t count) {
  TShellValues& values = ports.Values;
  for (size_t i = 0; i < count && i < 48; ++i) {
    const int cell = moves[i] % (SavedBoardSize * SavedBoardSize);
    values.MouseX = BoardOriginX + CellPitch * (cell % SavedBoardSize) + 25;
    values.MouseY = BoardOriginY + CellPitch * (cell / SavedBoardSize) + 25;
    values.MouseButton = (moves[i] & 0x80) ? ButtonRight : ButtonLeft;
    if (values.ScreenState == GameScreen) ports.BoardClick();
    for (int frame = 0; frame < 12; ++frame) ports.BoardFrame(1.5);
  }
}

}  // namespace
}  // namespace marblix::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (::chdir(marblix::fuzz::ScratchFolder().c_str()) != 0) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace marblix;
  using namespace marblix::fuzz;
  const size_t fileSize = std::min(size, ConfigFileSize);
  WriteInput(ConfigFileName, data, fileSize);

  auto first = std::make_unique<BoardPorts>();
  GameShell shell(*first, first->Values);
  if (Load(*first, shell)) Play(*first, data + fileSize, size - fileSize);
  shell.SaveConfig();
  const std::vector<uint8_t> saved = ReadConfig();

  // A file this program wrote loads as it was and is written again byte for byte.
  auto second = std::make_unique<BoardPorts>();
  GameShell again(*second, second->Values);
  const bool offered = Load(*second, again);
  if (saved[SavedGameFlagOffset] != 0 && !offered) Fail();
  again.SaveConfig();
  if (ReadConfig() != saved) Fail();
  return 0;
}
