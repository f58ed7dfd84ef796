// The generator's own parts (straight alpha, loops, loudness, failures) and the pack as a whole:
// a second run writes the same bytes as the pack in the build's data folder (whatever a game
// left beside it), and a file that cannot be written is named in the error.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "assetgen/canvas.h"
#include "assetgen/pack.h"
#include "assetgen/synth.h"
#include "support/DataPack.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace assetgen;

TEST(Canvas, PicturesHaveStraightAlpha) {
  Canvas canvas(2, 1);
  cairo_set_source_rgba(canvas.cr(), 1.0, 0.5, 0.0, 0.5);
  cairo_rectangle(canvas.cr(), 0, 0, 1, 1);
  cairo_fill(canvas.cr());
  const Picture p = canvas.picture();
  // Blue, green, red, alpha: full red and half green at half coverage, nothing in pixel 2.
  EXPECT_EQ(p.bgra[0], 0);
  EXPECT_NEAR(p.bgra[1], 128, 2);
  EXPECT_EQ(p.bgra[2], 255);
  EXPECT_NEAR(p.bgra[3], 128, 1);
  EXPECT_EQ(p.bgra[7], 0);
}

TEST(Canvas, PatternsAreLaidOutLeftToRightThenDown) {
  const Picture p = drawPatterns(2, 2, 3, 2, [](cairo_t* cr, int i) {
    cairo_set_source_rgba(cr, 1, 1, 1, (i + 1) / 4.0);
    cairo_paint(cr);  // clipped to the pattern
  });
  ASSERT_EQ(p.width, 4);
  ASSERT_EQ(p.height, 4);
  auto alpha = [&](int x, int y) { return p.bgra[static_cast<std::size_t>(y * 4 + x) * 4 + 3]; };
  EXPECT_NEAR(alpha(0, 0), 64, 1);
  EXPECT_NEAR(alpha(3, 1), 128, 1);
  EXPECT_NEAR(alpha(1, 3), 191, 1);
  EXPECT_EQ(alpha(3, 3), 0);  // no fourth pattern
}

TEST(Synth, LoopsCrossfadeTheirTailIntoTheirHead) {
  synth::Mono ramp(1000);
  for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = std::sin(0.05f * float(i));
  const std::size_t fade = std::size_t(synth::samples(0.002));
  synth::makeLoop(ramp, 0.002);
  EXPECT_EQ(ramp.size(), 1000 - fade);
  // Sample 0 now equals the old sample just past the new end, so the loop point is smooth.
  EXPECT_NEAR(ramp[0], std::sin(0.05f * float(1000 - fade)), 1e-4);
}

TEST(Synth, NormaliseReachesTheTargetWithoutClipping) {
  synth::Mono tone = synth::sine(0.5, 440, 440, 0.0, 1e9);
  synth::normalise(tone, -12);
  double sum = 0;
  for (float v : tone) sum += double(v) * v;
  EXPECT_NEAR(20 * std::log10(std::sqrt(sum / double(tone.size()))), -12, 1.0);
  synth::Mono click(100, 0.0f);
  click[50] = 0.01f;
  synth::normalise(click, 0);
  EXPECT_NEAR(click[50], std::pow(10.0, -1.0 / 20), 1e-3);  // the ceiling wins
}

TEST(Synth, VorbisOutputIsRepeatable) {
  const synth::Mono tone = synth::bell(0.3, 660, 2, 1, 0.2);
  EXPECT_EQ(synth::encodeVorbis(tone, 1, 0.4f), synth::encodeVorbis(tone, 1, 0.4f));
}

TEST(Pack, FailureNamesTheFile) {
  marblix::testing::TTempDir dir;
  std::ofstream(dir.Path / "graphics") << "a file where a folder should be";
  Pack pack(dir.Path);
  try {
    pack.text("graphics/strings.txt", "x");
    FAIL() << "writing under a file must fail";
  } catch (const std::exception& e) {
    EXPECT_NE(std::string(e.what()).find("graphics/strings.txt"), std::string::npos) << e.what();
  }
}

std::string contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The pack's files below `folder` (its entries only: what a game wrote there is no part of it),
// relative to the folder.
std::set<fs::path> PackFilesIn(const fs::path& folder) {
  std::set<fs::path> files;
  for (const char* top : marblix::testing::PackEntries) {
    if (fs::is_regular_file(folder / top)) files.insert(top);
    if (!fs::is_directory(folder / top)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(folder / top)) {
      if (entry.is_regular_file()) files.insert(fs::relative(entry.path(), folder));
    }
  }
  return files;
}

TEST(Generator, SecondRunWritesTheSameBytes) {
  marblix::testing::TTempDir dir;
  const std::string command =
      std::string("\"") + MARBLIX_ASSETGEN + "\" \"" + dir.Path.string() + "\" > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  // The generator writes the pack's entries and nothing beside them, so the tests that take the
  // pack by its entries take all of it.
  std::set<fs::path> top;
  for (const auto& entry : fs::directory_iterator(dir.Path)) top.insert(entry.path().filename());
  const std::set<fs::path> entries(marblix::testing::PackEntries.begin(),
                                   marblix::testing::PackEntries.end());
  EXPECT_EQ(top, entries);

  const std::set<fs::path> files = PackFilesIn(MARBLIX_DATA_DIR);
  EXPECT_EQ(files, PackFilesIn(dir.Path));
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.string());
    EXPECT_TRUE(contents(fs::path(MARBLIX_DATA_DIR) / file) == contents(dir.Path / file));
  }
  EXPECT_GT(files.size(), 150u);
}

TEST(Generator, RefusesToRunWithoutAFolder) {
  const std::string command = std::string("\"") + MARBLIX_ASSETGEN + "\" > /dev/null 2>&1";
  EXPECT_NE(std::system(command.c_str()), 0);
}

}  // namespace
