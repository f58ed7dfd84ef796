// Benchmark of one whole game-screen frame: the real game window on the recording device with 40
// balls, a selected ball and its path, a line's particles and a dialog open over the board.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "bench_folder.h"
#include "frame_scene.h"
#include "shell/form.h"
#include "sound/Bass.h"
#include "support/FakeClock.h"
#include "support/RecordingAudio.h"
#include "support/RecordingDevice.h"

namespace marblix {
namespace {

// A window that is always there and 800 x 600.
class BenchHost final : public TFormHost {
 public:
  void* WindowHandle() const override { return const_cast<BenchHost*>(this); }
  void SetCaption(const std::string&) override {}
  void SetBorderless(bool) override {}
  void SetClientSize(int, int) override {}
  void GetClientSize(int& w, int& h) const override { w = 800, h = 600; }
  void SetResizable(int, int) override {}
  void GetDesktopSize(int& w, int& h) const override { w = 800, h = 600; }
  void Show() override {}
  void PaintInitializing() override {}
  void SetPointer(Pointer) override {}
  void SetClipboardText(const std::string&) override {}
};

class GameScene {
 public:
  GameScene() {
    values.FullScreenSetting = false;  // a window of 800 x 600 on the recording device
    form.FormCreate();
    for (int i = 0;
         i < 5000 && (values.ScreenState == LogoScreen || values.ScreenState == LoadingScreen); ++i)
      Frame(1000.0 / 15);
  }
  ~GameScene() { form.FormDestroy(); }

  bool OnGameScreen() const { return bench::OnGameScreen(values); }

  void Arrange() {
    bench::ArrangeFrameScene(form, [this] { Frame(1000.0 / 15); });
  }
  void AddLineParticles() { bench::AddLineParticles(form); }

  void Frame(double milliseconds) {
    clock.AdvanceMilliseconds(milliseconds);
    bool done = false;
    form.PowerTimer1->IdleHandler(nullptr, done);
  }

  std::shared_ptr<TRecording> recording = std::make_shared<TRecording>();
  TRecordingAudio* audio = nullptr;

 private:
  TScopedAudioLibrary installed{[this] {
    auto made = std::make_unique<TRecordingAudio>();
    audio = made.get();
    return made;
  }()};
  BenchHost host;
  TApplication application;
  TFakeClock clock;

 public:
  TShellValues values;
  TForm1 form{host, application,
              std::make_unique<TPowerGraph>(&host, RecordingDirect3DCreate(recording)),
              std::make_unique<TPowerTimer>(&host, &application, clock), values};
};

void BM_GameScreenFrame(benchmark::State& state) {
  bench::BenchFolder folder;
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
  state.counters["dialog_open"] = (scene->values.ScreenState & DialogOpen) ? 1 : 0;
  state.counters["selected"] = scene->form.Board->FSelected ? 1 : 0;
  state.SetLabel(bench::BenchFolder::HasPack() ? "asset pack"
                                               : "placeholder pictures (no asset pack)");
}
BENCHMARK(BM_GameScreenFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace marblix
