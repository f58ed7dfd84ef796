// What keeping the game costs: encoding the Config.bin image and handing it over on the frame loop,
// and writing it as the exit does (temporary file, flush to disk, rename) on the keeper's thread.
#include <benchmark/benchmark.h>

#include <string>

#include "shell/config_file.h"
#include "shell/config_keeper.h"
#include "support/TempDir.h"

namespace marblix {
namespace {

ConfigContents SavedGame() {
  ConfigContents contents;
  contents.MusicVolume = 50;
  contents.SoundVolume = 75;
  contents.SavedGameFlag = 1;
  contents.Game.Mode = ModeNormal;
  contents.Game.Score = 1230;
  contents.Game.NextCount = 3;
  for (int x = 0; x < SavedBoardSize; ++x) contents.Game.Cells[x][x] = BallKinds[1 + x % 7];
  return contents;
}

void BM_EncodeConfig(benchmark::State& state) {
  const ConfigContents contents = SavedGame();
  for (auto _ : state) benchmark::DoNotOptimize(EncodeConfig(contents));
}
BENCHMARK(BM_EncodeConfig);

// In the system's temporary folder, on the disk the player's files are on here. Real time, since
// the flush waits for the disk without using the processor.
void BM_ReplaceConfigFile(benchmark::State& state) {
  const testing::TTempDir folder("marblix_bench");
  const std::string file = folder.File(ConfigFileName);
  std::vector<uint8_t> image = EncodeConfig(SavedGame());
  std::string error;
  for (auto _ : state) {
    ++image[610];  // a new score each time, as after a move
    if (!ReplaceFile(file, image, error)) state.SkipWithError(error.c_str());
  }
}
BENCHMARK(BM_ReplaceConfigFile)->UseRealTime()->Unit(benchmark::kMillisecond);

// What the frame pays to keep the game: the image handed to the keeper's thread, which meanwhile
// writes the newest one it has.
void BM_KeepHandOff(benchmark::State& state) {
  const testing::TTempDir folder("marblix_bench");
  const std::string file = folder.File(ConfigFileName);
  std::vector<uint8_t> image = EncodeConfig(SavedGame());
  TConfigKeeper keeper;
  for (auto _ : state) {
    ++image[610];
    keeper.Keep(file, image);
  }
}
BENCHMARK(BM_KeepHandOff)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace marblix
