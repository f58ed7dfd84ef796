// TForm1, the game window: its two components, the long-lived objects of the run, start-up,
// the frame loop's collaborators, loading, pausing, device loss and shutdown.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "assets/game_resources.h"
#include "assets/loader.h"
#include "assets/logo.h"
#include "board/draw/BoardCanvas.h"
#include "board/draw/PowerBoardPainter.h"
#include "board/qz_Field.h"
#include "effects/BoardParticles.h"
#include "effects/qz_pengine.h"
#include "graphics/PowerD3D.h"
#include "graphics/PowerTiming.h"
#include "shell/form_host.h"
#include "shell/game_shell.h"
#include "shell/screens.h"
#include "sound/BoardSounds.h"

namespace marblix {

// The drawing space, and the desktop from which the window opens at twice its size.
inline constexpr int FrameWidth = 800;
inline constexpr int FrameHeight = 600;
inline constexpr int LargeDesktopWidth = 2560;
inline constexpr int LargeDesktopHeight = 1440;

class TForm1 final : public ShellPorts,
                     public LoaderHost,
                     public IModeButtons,
                     public IScoreTable,
                     public IGameKeeper,
                     private LogoPainter {
 public:
  // The program makes the window's two components and hands them over; the window sets them up
  // as designed. The shell values are the run's one instance; they outlive the window.
  TForm1(TFormHost& host, TApplication& application, std::unique_ptr<TPowerGraph> powerGraph,
         std::unique_ptr<TPowerTimer> powerTimer, TShellValues& values);
  ~TForm1() override;
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // ---- The window's handlers ----
  void FormCreate();
  // True when the window may close now.
  bool FormCloseQuery();
  void FormDestroy();
  void PowerGraph1DeviceLost();
  void FormMouseMove(int x, int y);
  void FormMouseDown(int button, int x, int y);
  void FormMouseUp(int button, int x, int y);
  void FormKeyDown(int key, ShiftState shift);
  // Text typed as the window delivers it (UTF-8): each code point goes to FormKeyPress, as the
  // window's own text events do.
  void TextInput(std::string_view utf8);
  // A typed character as a Unicode code point (control characters included).
  void FormKeyPress(uint32_t codePoint);
  // The client area changed size (a resized window, or full screen on a desktop of another size).
  void ClientResized(int width, int height);

  // ---- The components and the run's objects ----
  std::unique_ptr<TPowerGraph> PowerGraph1;
  std::unique_ptr<TPowerTimer> PowerTimer1;
  GameShell Shell;
  TGameResources Resources;
  LogoState Logo;
  std::unique_ptr<TQzParticleEngine> ParticleEngine;
  std::unique_ptr<TGameField> Board;

  // ---- ShellPorts ----
  void ClearBoard() override;
  void DropBalls(int count, bool randomColours) override;
  void SetNextCount(int32_t count) override;
  void SaveBoard(SavedGameRecord& game) override;
  void RestoreBoard(const SavedGameRecord& game) override;
  void BoardClick() override;
  bool BoardHasSelection() override;
  void ShowKeyCursor(bool shown) override;
  void ShowHint() override;
  void BoardUndo() override;
  bool BoardCanUndo() override;
  void BoardFrame(double d) override;
  void SelectModeButton() override;
  void SelectButton(int index) override;
  void PressButtons() override;
  void ReleaseButtons() override;
  int LastHelpPage() override;
  int VolumeBarWidth() override;
  bool MoveFocus(int step, bool wrap) override;
  bool FocusShown() override;
  void PressFocused() override;
  void HideFocus() override;
  void ClearAnimations() override;
  void UpdateParticles(double d) override;
  void ApplyMusicVolume() override;
  void PlayKeySound() override;
  void PauseMusic() override;
  void ResumeMusic() override;
  void LoadAssets() override;
  void StepLanguage(int step) override;
  void StepLogo(double d) override;
  void SkipLogo() override;
  bool BeginFrame() override;
  void DrawLogoBackground() override;
  void DrawCommonLayer(int logoFrame) override;
  void DrawInstructions() override;
  void DrawOptions() override;
  void DrawHighScores() override;
  void DrawStatistics() override;
  void DrawGameTexts() override;
  void DrawInvitation(float animClock) override;
  void DrawParticles() override;
  void DrawDialog(float animClock, double blinkPhase) override;
  void DrawPointer() override;
  void EndAndPresentFrame() override;
  int32_t Today() override;
  void CopyToClipboard(const std::string& text) override;
  void SetFramesRunning(bool running) override;
  void ReleaseDevice() override;
  void Terminate() override;
  void Log(const char* message) override;

  // ---- LoaderHost ----
  void SetCaption(const std::string& caption) override;
  void ShowSystemPointer(bool shown) override;
  void AddButtons(TButtons& buttons) override;
  void LoadConfig() override;
  void* MainWindowHandle() override;
  void Log(const std::string& message) override;
  void TellPlayer(const std::string& message) override;
  bool SessionEnding() override;

  // ---- The board's collaborators ----
  void PlaceFinalScore() override;
  void KeepGame() override;

 private:
  // LogoPainter
  void DrawScene(int pattern) override;
  void DrawFlare(int angle, int scale) override;
  void DrawShine(int pattern) override;
  void DrawProgress(int right) override;
  int StatusLineWidth() override;

  void LogSafely(const std::string& message);
  void FinishEndingGame();
  // Maps the pointer anew when the window's client area has changed size.
  void FollowClientSize();
  void StartDevice();
  void SizeWindow(int desktopWidth, int desktopHeight);
  void LogProcessor();

  TFormHost& host_;
  TShellValues& values_;
  int clientWidth_ = 800;
  int clientHeight_ = 600;
  TApplication& application_;
  TAssetLoader loader_;
  TScreenPainter painter_;
  std::unique_ptr<TBoardParticles> boardParticles_;
  std::unique_ptr<TPowerGraphCanvas> boardCanvas_;
  std::unique_ptr<TPowerBoardPainter> boardPainter_;
  TBoardSounds boardSounds_;
};

}  // namespace marblix
