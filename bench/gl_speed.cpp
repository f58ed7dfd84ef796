// marblix_speed: the real game window on the real OpenGL device in a real window (Xvfb or SDL's
// offscreen driver) — times the loading stage (in the language --language names, English without
// it) and a switch to each language of the pack, then the game screen's frames per second side by
// side with a minimal OpenGL program drawing the same frame's quads. The device draws every frame
// whole, as the minimal program does, unless --damage-tracking on has it draw only what changed.
// Usage: marblix_speed [--rounds N] [--seconds S] [--pictures DIR] [--only game|minimal]
//                      [--damage-tracking off|on] [--language CODE]
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench_folder.h"
#include "capture_device.h"
#include "frame_scene.h"
#include "platform/audio/MixerAudio.h"
#include "platform/video/Forms.h"
#include "platform/video/OpenGLDevice.h"
#include "platform/video/sdl_form_host.h"
#include "quad_replay.h"
#include "shell/defs.h"
#include "shell/form.h"
#include "sound/Bass.h"
#include "support/FakeClock.h"

namespace marblix::bench {
namespace {

using Clock = std::chrono::steady_clock;

struct Options {
  int Rounds = 5;
  double Seconds = 2;
  std::string Pictures;  // where to write the two frames as PPM files, if anywhere
  std::string Only;      // "game" or "minimal": run only that side (for a profiler)
  bool DamageTracking = false;
  std::string Language = "en";
};

double MillisecondsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The process's CPU time (every thread, the driver's included) in milliseconds.
double ProcessCpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return double(now.tv_sec) * 1000 + double(now.tv_nsec) / 1e6;
}

// This thread's CPU time in milliseconds.
double ThreadCpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) * 1000 + double(now.tv_nsec) / 1e6;
}

struct Rate {
  double Fps = 0;
  double CpuPerFrame = 0;  // milliseconds of the process's CPU time per frame
};

// `frame` run for about `seconds`.
Rate MeasureRate(const std::function<void()>& frame, double seconds) {
  const Clock::time_point start = Clock::now();
  const double cpuStart = ProcessCpuMilliseconds();
  int frames = 0;
  double elapsed = 0;
  do {
    frame();
    ++frames;
    elapsed = MillisecondsBetween(start, Clock::now()) / 1000;
  } while (elapsed < seconds);
  return {frames / elapsed, (ProcessCpuMilliseconds() - cpuStart) / frames};
}

void WritePpm(const std::string& path, const std::vector<uint8_t>& bgra) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n800 600\n255\n";
  for (int y = 599; y >= 0; --y)
    for (int x = 0; x < 800; ++x) {
      const uint8_t* p = &bgra[(size_t(y) * 800 + x) * 4];
      const char rgb[3] = {char(p[2]), char(p[1]), char(p[0])};
      out.write(rgb, 3);
    }
}

// The mean difference of the colour channels of two frames, 0 ... 255.
double MeanDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  double sum = 0;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i)
    if (i % 4 != 3) sum += std::abs(int(a[i]) - int(b[i]));
  return sum / (double(a.size()) * 3 / 4);
}

class SpeedRun {
 public:
  explicit SpeedRun(const Options& options) : options_(options) {}

  int Run() {
    values_.FullScreenSetting = false;
    values_.Language = options_.Language;
    game_.FormCreate();
    gameContext_ = SDL_GL_GetCurrentContext();
    if (!MeasureLoading()) return 1;
    if (!OnGameScreen(values_)) {
      std::printf("the game did not reach its game screen\n");
      return 1;
    }
    MeasureLanguageSwitches();
    MeasureFrames();
    game_.FormDestroy();
    return 0;
  }

 private:
  void Step(double milliseconds) {
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);  // the tool drives the game, not the window
    clock_.AdvanceMilliseconds(milliseconds);
    bool done = false;
    game_.PowerTimer1->IdleHandler(nullptr, done);
  }

  bool MeasureLoading() {
    for (int i = 0; i < 5000 && values_.ScreenState == LogoScreen; ++i) Step(1000.0 / 15);
    if (values_.ScreenState != LoadingScreen) {
      std::printf("the logo did not end in the loading stage\n");
      return false;
    }
    capture_->Presents.clear();
    const double cpuStart = ProcessCpuMilliseconds(), threadStart = ThreadCpuMilliseconds();
    const Clock::time_point start = Clock::now();
    Step(1000.0 / 15);
    const Clock::time_point end = Clock::now();
    const double cpu = ProcessCpuMilliseconds() - cpuStart;
    const double thread = ThreadCpuMilliseconds() - threadStart;
    const auto& presents = capture_->Presents;
    if (presents.empty()) {
      std::printf("the loading stage presented nothing\n");
      return false;
    }
    const double pictures = MillisecondsBetween(start, presents.back());
    std::printf("Loading stage: %.0f ms (goal < 1500 ms)\n", MillisecondsBetween(start, end));
    std::printf(
        "  %zu presented progress pictures: %.0f ms from the start to the last, %.2f ms "
        "each\n",
        presents.size(), pictures, pictures / double(presents.size()));
    std::printf("  sounds, buttons, font, texts, Config.bin, music: %.0f ms\n",
                MillisecondsBetween(presents.back(), end));
    std::printf(
        "  CPU time: %.0f ms in all, %.0f ms of it the game's own thread (the rest the "
        "renderer's threads)\n",
        cpu, thread);
    return true;
  }

  // A click on the options' language arrow: the next language's pictures, font and texts, and the
  // setting written; once round every language of the pack, back to the first.
  void MeasureLanguageSwitches() {
    const size_t count = game_.Resources.Languages.size();
    if (count < 2) return;
    std::vector<double> times;
    std::vector<double> cpu;
    std::string each;
    for (size_t i = 0; i < count; ++i) {
      const Clock::time_point start = Clock::now();
      const double cpuStart = ProcessCpuMilliseconds();
      game_.StepLanguage(1);
      times.push_back(MillisecondsBetween(start, Clock::now()));
      cpu.push_back(ProcessCpuMilliseconds() - cpuStart);
      char one[48];
      std::snprintf(one, sizeof one, " %s %.0f", values_.Language.c_str(), times.back());
      each += one;
    }
    std::printf("Language switches (ms):%s\n", each.c_str());
    std::printf(
        "  median %.0f ms, slowest %.0f ms (goal < 500 ms); CPU time median %.0f ms, most %.0f "
        "ms\n",
        Median(times), *std::max_element(times.begin(), times.end()), Median(cpu),
        *std::max_element(cpu.begin(), cpu.end()));
  }

  void GameFrame() {
    Step(1000.0 / 60);
    // The line's particles fade within a second of frames; a new line keeps the scene alike.
    if (++frames_ % 30 == 0) AddLineParticles(game_);
  }

  void MeasureFrames() {
    ArrangeFrameScene(game_, [this] { Step(1000.0 / 15); });
    for (int i = 0; i < 30; ++i) GameFrame();
    capture_->CaptureNextFrame();
    GameFrame();
    const std::vector<uint8_t> gamePicture = ReadFramePixels();
    capture_->ReadTexels();
    int quads = 0;
    for (const TCapturedDraw& draw : capture_->Draws)
      quads += int(draw.Type == D3DPT_TRIANGLESTRIP ? draw.Vertices.size() - 2
                                                    : draw.Vertices.size() / 3) /
               2;
    std::printf(
        "Game screen frame: %zu draw calls, %d quads (40 balls, a path, particles, a "
        "dialog)\n",
        capture_->Draws.size(), quads);

    auto* window = static_cast<SDL_Window*>(window_.WindowHandle());
    TQuadReplay replay(window, *capture_);
    if (!replay.Ready()) {
      std::printf("the minimal OpenGL program could not start\n");
      return;
    }
    const std::vector<uint8_t> replayPicture = replay.Picture();
    std::printf("  the minimal program's picture differs by %.3f / 255 on average\n",
                MeanDifference(gamePicture, replayPicture));
    if (!options_.Pictures.empty()) {
      WritePpm(options_.Pictures + "/game_frame.ppm", gamePicture);
      WritePpm(options_.Pictures + "/minimal_frame.ppm", replayPicture);
    }
    CompareRates(window, replay);
  }

  void CompareRates(SDL_Window* window, TQuadReplay& replay) {
    std::vector<double> game, minimal, gameCpu, minimalCpu;
    for (int round = 1; round <= options_.Rounds; ++round) {
      if (options_.Only != "minimal") {
        SDL_GL_MakeCurrent(window, gameContext_);
        const Rate rate = MeasureRate([this] { GameFrame(); }, options_.Seconds);
        game.push_back(rate.Fps);
        gameCpu.push_back(rate.CpuPerFrame);
        std::printf("  round %d: game %.1f fps, %.2f ms CPU a frame\n", round, rate.Fps,
                    rate.CpuPerFrame);
      }
      if (options_.Only != "game") {
        replay.MakeCurrent();
        const Rate rate = MeasureRate([&replay] { replay.Frame(); }, options_.Seconds);
        minimal.push_back(rate.Fps);
        minimalCpu.push_back(rate.CpuPerFrame);
        std::printf("  round %d: minimal program %.1f fps, %.2f ms CPU a frame\n", round, rate.Fps,
                    rate.CpuPerFrame);
      }
    }
    SDL_GL_MakeCurrent(window, gameContext_);
    if (game.empty() || minimal.empty()) return;
    const double bestGame = *std::max_element(game.begin(), game.end());
    const double bestMinimal = *std::max_element(minimal.begin(), minimal.end());
    std::printf(
        "Frames per second: game %.1f (best) %.1f (median), minimal program %.1f (best) "
        "%.1f (median)\n",
        bestGame, Median(game), bestMinimal, Median(minimal));
    std::printf("CPU a frame (all threads): game %.2f ms, minimal program %.2f ms (medians)\n",
                Median(gameCpu), Median(minimalCpu));
    std::printf(
        "Game / minimal program: %.1f %% (best fps), %.1f %% (median fps), %.1f %% (median "
        "CPU a frame) (goal >= 90 %%)\n",
        100 * bestGame / bestMinimal, 100 * Median(game) / Median(minimal),
        100 * Median(minimalCpu) / Median(gameCpu));
  }

  Options options_;
  TApplication application_;
  TForm window_{application_};
  TSdlFormHost host_{window_};
  TFakeClock clock_;
  std::shared_ptr<TFrameCapture> capture_ = std::make_shared<TFrameCapture>();
  TShellValues values_;
  TForm1 game_{
      host_, application_,
      std::make_unique<TPowerGraph>(
          &host_, CapturingDirect3DCreate(
                      OpenGLDirect3DCreate({.TrackDamage = options_.DamageTracking}), capture_)),
      std::make_unique<TPowerTimer>(&host_, &application_, clock_), values_};
  SDL_GLContext gameContext_ = nullptr;
  int frames_ = 0;
};

Options ReadOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--rounds") == 0) options.Rounds = std::max(1, std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--seconds") == 0)
      options.Seconds = std::max(0.1, std::atof(argv[i + 1]));
    if (std::strcmp(argv[i], "--pictures") == 0) options.Pictures = argv[i + 1];
    if (std::strcmp(argv[i], "--only") == 0) options.Only = argv[i + 1];
    if (std::strcmp(argv[i], "--damage-tracking") == 0)
      options.DamageTracking = std::strcmp(argv[i + 1], "on") == 0;
    if (std::strcmp(argv[i], "--language") == 0) options.Language = argv[i + 1];
  }
  return options;
}

// The whole program; a failure it cannot handle leaves as an exception.
int RunSpeed(int argc, char** argv) {
  const Options options = ReadOptions(argc, argv);
  setenv("SDL_AUDIODRIVER",
         std::getenv("SDL_AUDIODRIVER") ? std::getenv("SDL_AUDIODRIVER") : "dummy", 1);
  BenchFolder folder;
  if (!BenchFolder::HasPack()) std::printf("(no asset pack: placeholder pictures)\n");
  if (!InitVideo()) return 1;
  std::printf("Video driver: %s; damage tracking %s\n", SDL_GetCurrentVideoDriver(),
              options.DamageTracking ? "on" : "off (every frame drawn whole)");
  InstallAudioLibrary(std::make_unique<TMixerAudio>());
  int result = 0;
  {
    SpeedRun run(options);
    result = run.Run();
  }
  QuitVideo();
  return result;
}

}  // namespace
}  // namespace marblix::bench

int main(int argc, char** argv) {
  try {
    return marblix::bench::RunSpeed(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "marblix_speed: %s\n", e.what());
    return 1;
  }
}
