// Benchmark of one whole game-screen frame: the real game window on the recording device with 40
// balls, a selected ball and its path, a line's particles and a dialog open over the board.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "bench/board_scene.h"
#include "graphics/RecordingDevice.h"
#include "platform/audio/RecordingAudio.h"
#include "platform/system/Clock.h"
#include "shell/form.h"
#include "sound/Bass.h"

namespace marblix {
namespace {

namespace fs = std::filesystem;

// A window that is always there and 800 x 600.
class BenchHost final : public TFormHost {
 public:
  void* WindowHandle() const override { return const_cast<BenchHost*>(this); }
  void SetCaption(const std::string&) override {}
  void SetBorderless(bool) override {}
  void SetClientSize(int, int) override {}
  void GetClientSize(int& w, int& h) const override { w = 800, h = 600; }
  void GetDesktopSize(int& w, int& h) const override { w = 800, h = 600; }
  void Show() override {}
  void PaintInitializing() override {}
  void SetPointer(Pointer) override {}
};

// Runs in a folder of its own (the game writes Log.txt and Config.bin), with the asset pack when
// it has been generated; without it every picture is the placeholder.
class BenchFolder {
 public:
  BenchFolder()
      : Previous(fs::current_path()),
        Path(fs::temp_directory_path() / ("marblix_frame_bench_" + std::to_string(getpid()))) {
    fs::create_directories(Path);
#ifdef MARBLIX_DATA_DIR
    const fs::path pack = MARBLIX_DATA_DIR;
    for (const char* name : {"graphics", "sounds", "music", "strings.txt", "sounds.txt"})
      if (fs::exists(pack / name)) fs::create_symlink(pack / name, Path / name);
#endif
    fs::current_path(Path);
    setenv("XDG_CONFIG_HOME", Path.c_str(), 1);  // the window's settings stay in the folder
  }
  ~BenchFolder() {
    fs::current_path(Previous);
    std::error_code ignored;
    fs::remove_all(Path, ignored);
  }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;

  static bool HasPack() {
    return fs::exists("strings.txt");
  }

 private:
  fs::path Previous;
  fs::path Path;
};

class GameScene {
 public:
  GameScene() {
    FullScreenSetting = false;  // a window of 800 x 600 on the recording device
    form.FormCreate();
    for (int i = 0; i < 5000 && (ScreenState == LogoScreen || ScreenState == LoadingScreen); ++i)
      Frame(1000.0 / 15);
  }
  ~GameScene() { form.FormDestroy(); }

  bool OnGameScreen() const { return (ScreenState & GameScreen) != 0; }

  // 40 balls, the ball at (8, 1) selected, the pointer at the far end of its path, the exit
  // question open over the board.
  void Arrange() {
    for (int i = 0; i < 200 && form.Board->FBusyTimer > NoStepRunning; ++i) Frame(1000.0 / 15);
    bench::FillForty(*form.Board);
    form.Board->FNextCount = 3;
    Press(8, 1);
    form.FormMouseMove(bench::CellMiddleX(0), bench::CellMiddleY(0));
    AddLineParticles();
    form.Shell.OpenDialog(ExitDialog);
  }

  // A line of five vanishes in column 8 and is put back: its balls' particles and score text
  // stay in the particle engine for a while.
  void AddLineParticles() {
    TGameField& board = *form.Board;
    const TBoardGrid<TCell> before = board.FCells;
    for (int y = 4; y <= 8; ++y) board.FCells(8, y) = BallKinds[KindFirstColour];
    board.RemoveLines();
    board.FCells = before;
  }

  void Frame(double milliseconds) {
    clock.AdvanceMilliseconds(milliseconds);
    bool done = false;
    form.PowerTimer1->IdleHandler(nullptr, done);
  }

  std::shared_ptr<TRecording> recording = std::make_shared<TRecording>();
  TRecordingAudio* audio = nullptr;

 private:
  void Press(int x, int y) {
    form.FormMouseMove(bench::CellMiddleX(x), bench::CellMiddleY(y));
    form.FormMouseDown(0, bench::CellMiddleX(x), bench::CellMiddleY(y));
    form.FormMouseUp(0, bench::CellMiddleX(x), bench::CellMiddleY(y));
  }

  TScopedAudioLibrary installed{[this] {
    auto made = std::make_unique<TRecordingAudio>();
    audio = made.get();
    return made;
  }()};
  BenchHost host;
  TApplication application;
  TFakeClock clock;

 public:
  TForm1 form{host, application, clock, RecordingDirect3DCreate(recording)};
};

void BM_GameScreenFrame(benchmark::State& state) {
  BenchFolder folder;
  auto scene = std::make_unique<GameScene>();
  if (!scene->OnGameScreen()) {
    state.SkipWithError("the game did not reach its game screen");
    return;
  }
  scene->Arrange();
  int drawCalls = 0, quads = 0, frames = 0;
  for (auto _ : state) {
    scene->Frame(1000.0 / 60);
    state.PauseTiming();
    drawCalls = quads = 0;
    for (const TRecordedCall* draw : scene->recording->Named("DrawPrimitive")) {
      ++drawCalls;
      quads += static_cast<int>(draw->Args[2]) / 2;
    }
    scene->recording->Clear();
    scene->audio->ClearCalls();
    // The line's particles fade within a second of frames; a new line keeps the scene alike.
    if (++frames % 30 == 0) scene->AddLineParticles();
    state.ResumeTiming();
  }
  state.counters["draw_calls"] = drawCalls;
  state.counters["quads"] = quads;
  state.counters["particles"] = static_cast<double>(scene->form.ParticleEngine->Particles().size());
  state.counters["dialog_open"] = (ScreenState & DialogOpen) ? 1 : 0;
  state.counters["selected"] = scene->form.Board->FSelected ? 1 : 0;
  state.SetLabel(BenchFolder::HasPack() ? "asset pack" : "placeholder pictures (no asset pack)");
}
BENCHMARK(BM_GameScreenFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace marblix
