// Figures for the particle engine: a frame's Update over many particles, and RemoveNear on a full
// list.
#include <benchmark/benchmark.h>

#include "effects/qz_pengine.h"

namespace marblix {
namespace {

void Fill(TQzParticleEngine& engine, int count) {
  for (int i = 0; i < count; ++i) {
    const float x = static_cast<float>(i % 800);
    const float y = static_cast<float>(i % 600);
    switch (i % 4) {
      case 0:
        engine.AddAnimation(nullptr, 20, x, y, 1, 1000000);
        break;
      case 1:
        engine.AddBall(nullptr, true, x, y);
        break;
      case 2:
        engine.AddText("100", x, y);
        break;
      default:
        engine.AddExplosion(x, y);
        break;
    }
  }
}

void BM_UpdateFrame(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    TShellValues values;
    TQzParticleEngine engine(nullptr, values);
    Fill(engine, count);
    engine.Update(0.01);
    state.ResumeTiming();
    engine.Update(0.01);
    benchmark::DoNotOptimize(engine.Particles().data());
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_UpdateFrame)->Arg(100)->Arg(1000)->Arg(10000);

void BM_RemoveNear(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    TShellValues values;
    TQzParticleEngine engine(nullptr, values);
    Fill(engine, count);
    state.ResumeTiming();
    engine.RemoveNear(400, 300);
    benchmark::DoNotOptimize(engine.Particles().data());
  }
}
BENCHMARK(BM_RemoveNear)->Arg(1000)->Arg(10000);

}  // namespace
}  // namespace marblix

BENCHMARK_MAIN();
