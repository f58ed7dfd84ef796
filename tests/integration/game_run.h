// A whole run of the game without a window, a GPU or a sound card: the real game window on a fake
// host, the recording render device, the recording audio library and a hand-driven clock.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "shell/config_file.h"
#include "shell/form.h"
#include "shell/high_scores.h"
#include "sound/Bass.h"
#include "support/DataPack.h"
#include "support/FakeClock.h"
#include "support/RecordingAudio.h"
#include "support/RecordingDevice.h"
#include "support/TempDir.h"

namespace marblix::test_support {

class FakeFormHost : public TFormHost {
 public:
  std::string Caption;
  bool Borderless = false;
  bool Resizable = false;
  int MinClientWidth = 0, MinClientHeight = 0;
  bool Shown = false;
  bool PaintedInitializing = false;
  int ClientWidth = 800, ClientHeight = 600;
  int DesktopWidth = 1024, DesktopHeight = 768;
  Pointer CurrentPointer = Pointer::Arrow;
  std::string Clipboard;

  void* WindowHandle() const override { return const_cast<FakeFormHost*>(this); }
  void SetCaption(const std::string& caption) override { Caption = caption; }
  void SetBorderless(bool borderless) override { Borderless = borderless; }
  void SetClientSize(int w, int h) override {
    ClientWidth = w;
    ClientHeight = h;
  }
  void GetClientSize(int& w, int& h) const override {
    w = ClientWidth;
    h = ClientHeight;
  }
  void SetResizable(int minWidth, int minHeight) override {
    Resizable = true;
    MinClientWidth = minWidth;
    MinClientHeight = minHeight;
  }
  void GetDesktopSize(int& w, int& h) const override {
    w = DesktopWidth;
    h = DesktopHeight;
  }
  void Show() override { Shown = true; }
  void PaintInitializing() override { PaintedInitializing = true; }
  void SetPointer(Pointer pointer) override { CurrentPointer = pointer; }
  void SetClipboardText(const std::string& text) override { Clipboard = text; }
};

// Links the generated asset pack into the test's working folder, when the pack exists.
inline void LinkDataPack(const std::filesystem::path& into) {
  const std::filesystem::path pack = MARBLIX_DATA_DIR;
  for (const char* name : testing::PackEntries) {
    if (std::filesystem::exists(pack / name)) testing::LinkOrCopy(pack / name, into / name);
  }
}

inline bool DataPackExists() {
  return std::filesystem::exists(std::filesystem::path(MARBLIX_DATA_DIR) / "strings.txt");
}

// One start of the program in the current folder; several runs may share the folder. Each start
// has fresh shell values (a caller that reads them once the run is over hands them in); these
// runs start windowed.
class GameRun {
 public:
  explicit GameRun(TRecordingAudio*& audioOut,
                   std::shared_ptr<TShellValues> values = std::make_shared<TShellValues>())
      : values_(std::move(values)) {
    values_->FullScreenSetting = false;
    auto audio = std::make_unique<TRecordingAudio>();
    audioOut = audio.get();
    audio_ = std::make_unique<TScopedAudioLibrary>(std::move(audio));
    recording_ = std::make_shared<TRecording>();
    form_ = std::make_unique<TForm1>(
        host_, application_,
        std::make_unique<TPowerGraph>(&host_, RecordingDirect3DCreate(recording_)),
        std::make_unique<TPowerTimer>(&host_, &application_, clock_), *values_);
  }
  ~GameRun() {
    if (form_) Destroy();
  }

  TForm1& Form() { return *form_; }
  // The run's shell values; they outlive the window, so they can be read after Destroy.
  TShellValues& Values() { return *values_; }
  FakeFormHost& Host() { return host_; }
  TApplication& Application() { return application_; }
  TRecording& Recording() { return *recording_; }

  void Create() { form_->FormCreate(); }

  // One idle pass of the application after `milliseconds` of time.
  void Idle(double milliseconds = 1000.0 / 15) {
    recording_->Clear();  // keep the recorded calls of one frame only
    clock_.AdvanceMilliseconds(milliseconds);
    bool done = false;
    form_->PowerTimer1->IdleHandler(nullptr, done);
  }
  // Runs frames until the condition holds; false if it never did.
  bool RunUntil(const std::function<bool()>& condition, int maxFrames = 5000) {
    for (int i = 0; i < maxFrames; ++i) {
      if (condition()) return true;
      Idle();
    }
    return condition();
  }
  void Frames(int count) {
    for (int i = 0; i < count; ++i) Idle();
  }

  // Input in client coordinates.
  void MoveTo(int x, int y) { form_->FormMouseMove(x, y); }
  void Click(int x, int y, int button = 0) {
    MoveTo(x, y);
    form_->FormMouseDown(button, x, y);
    form_->FormMouseUp(button, x, y);
  }
  void Drag(int fromX, int fromY, int toX, int toY) {
    MoveTo(fromX, fromY);
    form_->FormMouseDown(0, fromX, fromY);
    MoveTo(toX, toY);
    form_->FormMouseUp(0, toX, toY);
  }
  void ClickYes() { Click(466, 344); }
  void ClickNo() { Click(596, 344); }

  // A close request: true when the window may close (it is then destroyed).
  bool RequestClose() {
    const bool closes = form_->FormCloseQuery();
    if (closes) Destroy();
    return closes;
  }
  void Destroy() {
    form_->FormDestroy();
    form_.reset();
  }

 private:
  std::shared_ptr<TShellValues> values_;
  std::unique_ptr<TScopedAudioLibrary> audio_;
  std::shared_ptr<TRecording> recording_;
  FakeFormHost host_;
  TApplication application_;
  TFakeClock clock_;
  std::unique_ptr<TForm1> form_;
};

inline std::vector<std::string> LogMessages() {
  std::ifstream in("Log.txt", std::ios::binary);
  std::vector<std::string> messages;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto mark = line.find(" -=- ");
    messages.push_back(mark == std::string::npos ? line : line.substr(mark + 5));
  }
  return messages;
}

// The pixel centre of cell (x, y).
inline int CellX(int x) {
  return 323 + 52 * x;
}
inline int CellY(int y) {
  return 51 + 52 * y;
}

// The Config.bin image of a saved Normal game of `score` points with the default tables, an empty
// board and a preview of `preview`: the caller places the balls.
inline ConfigContents SavedNormalGame(int32_t score, const TCell& preview) {
  ConfigContents contents;
  TShellValues defaults;
  for (uint8_t mode = 0; mode < HighScoreModes; ++mode) ResetScoreTable(defaults, mode);
  contents.Tables = defaults.HighScoreTable;
  contents.MusicVolume = 40;
  contents.SoundVolume = 60;
  contents.SavedGameFlag = 1;
  contents.Game.Mode = ModeNormal;
  contents.Game.Score = score;
  contents.Game.NextCount = 3;
  contents.Game.Preview.fill(preview);
  return contents;
}

// Writes a Config.bin holding a saved Normal game three cells short of a full board, with no line
// anywhere: the next move's drop ends the game.
inline void WriteNearlyFullGame(int32_t score) {
  ConfigContents contents = SavedNormalGame(score, BallKinds[1]);
  for (int x = 0; x < 9; ++x) {
    for (int y = 0; y < 9; ++y) contents.Game.Cells[x][y] = BallKinds[1 + (x + 2 * y) % 5];
  }
  for (int x : {6, 7, 8}) contents.Game.Cells[x][8].Mask = 0;
  std::string error;
  ASSERT_TRUE(ReplaceFile(ConfigFileName, EncodeConfig(contents), error)) << error;
}

}  // namespace marblix::test_support
