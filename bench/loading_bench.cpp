// Benchmarks of reading the game's files: TGA pictures (plain and run-length) and "strings.txt".
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "graphics/TGAReader.h"
#include "support/TempDir.h"
#include "text/qz_strings.h"

namespace marblix {
namespace {

// A ball-like picture: a shaded disc on a transparent square, as the balls' pictures are.
std::string WriteBallPicture(const testing::TTempDir& folder, int size, bool runLength) {
  TBitmapEx picture;
  picture.SetPixelFormat(TPixelFormat::pf32bit);
  picture.SetSize(size, size);
  const int centre = size / 2;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const int d2 = (x - centre) * (x - centre) + (y - centre) * (y - centre);
      const bool inside = d2 < centre * centre;
      const uint32_t shade = uint32_t(255 - std::min(255, d2 * 255 / (centre * centre + 1)));
      picture.SetPixel(x, y, inside ? 0xFF000000u | shade << 16 | (shade / 2) << 8 : 0u);
    }
  picture.TgaRunLength = runLength;
  std::string path = folder.File(std::string(runLength ? "rle" : "plain") + ".tga");
  picture.SaveToFile(path);
  return path;
}

void BM_LoadTga(benchmark::State& state) {
  const testing::TTempDir folder("marblix_bench");
  const int size = static_cast<int>(state.range(0));
  const std::string path = WriteBallPicture(folder, size, state.range(1) != 0);
  for (auto _ : state) {
    TBitmapEx picture;
    picture.LoadFromFile(path);
    benchmark::DoNotOptimize(picture.ScanLine(0));
  }
  state.SetBytesProcessed(state.iterations() * int64_t(size) * size * 4);
  state.SetLabel(state.range(1) ? "run-length" : "plain");
}
BENCHMARK(BM_LoadTga)
    ->Args({64, 0})
    ->Args({64, 1})
    ->Args({512, 0})
    ->Args({512, 1})
    ->Unit(benchmark::kMicrosecond);

// A string table of the game's size: every key, each dialog with a few lines, comments between.
std::string StringTableText() {
  std::string text = "; Marblix texts\r\n";
  for (const char* key :
       {"MainCaption", "Help", "Options", "HighScores", "Kids", "Normal", "Proff"})
    text += std::string("$") + key + "\r\n" + key + " text\r\n; ----\r\n";
  for (const char* dialog :
       {"Exit", "New", "Old", "Clear", "EnterName", "LowScore", "FullScreen"}) {
    text += std::string("$") + dialog + "_Caption\r\n" + dialog + "\r\n";
    text += std::string("@") + dialog + "_Text\r\n{\r\n";
    for (int line = 0; line < 4; ++line)
      text += "A line of the dialog's text, line " + std::to_string(line) + ".\r\n";
    text += "}\r\n";
  }
  for (int page = 0; page < 5; ++page) {
    text += "@Help" + std::to_string(page) + "\r\n{\r\n";
    for (int line = 0; line < 20; ++line) text += "Instructions, a line of help text.\r\n";
    text += "}\r\n";
  }
  return text;
}

void BM_LoadStrings(benchmark::State& state) {
  const testing::TTempDir folder("marblix_bench");
  const std::string path = folder.File("strings.txt");
  const std::string text = StringTableText();
  std::ofstream(path, std::ios::binary) << text;
  for (auto _ : state) {
    TQzStrings strings;
    benchmark::DoNotOptimize(strings.LoadStrings(path));
  }
  state.SetBytesProcessed(state.iterations() * int64_t(text.size()));
}
BENCHMARK(BM_LoadStrings)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace marblix
