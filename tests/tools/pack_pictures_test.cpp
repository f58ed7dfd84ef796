// Every picture the game opens exists in the generated pack, is a picture the game's reader
// accepts, and holds whole patterns enough for every pattern the game draws from it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "assets/texture_table.h"
#include "graphics/TGAReader.h"

namespace {

const std::filesystem::path kData = MARBLIX_DATA_DIR;

struct Expected {
  std::string file;
  int patternWidth;  // 0: the picture's own size
  int patternHeight;
  int patterns;  // patterns the game draws from it
};

// How many patterns the game draws from a picture, where it draws more than one.
const std::map<std::string, int>& patternCounts() {
  static const std::map<std::string, int> counts = [] {
    std::map<std::string, int> c = {
        {"graphics/background.jpg", 4},
        {"graphics/loading_element.tga", 4},
        {"graphics/logo/ball.tga", 33},
        {"graphics/logo/i.tga", 33},
        {"graphics/logo/blik_zantic.tga", 29},
        {"graphics/high_mode.tga", 3},
        {"graphics/ingame.tga", 4},
        {"graphics/field.tga", 5},
        {"graphics/balls/bomb_0.tga", 25},
        {"graphics/balls/bomb_1.tga", 6},
        {"graphics/balls/bomb_2.tga", 6},
        {"graphics/buttons/fullscreen.tga", 2},
        {"graphics/buttons/sound_opt.tga", 2},
        {"graphics/buttons/sound_opt_g.tga", 2},
        {"graphics/logo_small.tga", 38},
        {"graphics/cry.tga", 10},
        {"graphics/lau.tga", 2},
    };
    for (const char* b : {"new game", "kids", "normal", "professional", "options", "instructions",
                          "high scores", "exit", "high_mode_r", "high_mode_l", "back", "clear",
                          "yes", "no", "prev", "next", "up", "down"})
      c[std::string("graphics/buttons/") + b + ".tga"] = 3;
    for (int n = 1; n <= 22; ++n) {
      const std::string base = "graphics/balls/" + std::to_string(n);
      c[base + "_0.tga"] = 25;
      c[base + "_1.tga"] = 25;
    }
    for (int n = 1; n <= 7; ++n) {
      const std::string base = "graphics/balls/" + std::to_string(n);
      c[base + "_2.tga"] = 36;
      c[base + "_3.tga"] = 44;
      c[base + "_4.tga"] = 54;
      c[base + "_5.tga"] = 2;
      c[base + "_6.tga"] = 18;
    }
    return c;
  }();
  return counts;
}

int patternsDrawn(const std::string& file) {
  const auto found = patternCounts().find(file);
  return found == patternCounts().end() ? 1 : found->second;
}

// Every picture the game loads, cut as its tables cut it, and the font's glyph sheet.
std::vector<Expected> expectedPictures() {
  std::vector<Expected> e;
  for (const auto* table : {&marblix::StartupTextures(), &marblix::GameTextures()}) {
    for (const marblix::TextureSpec& spec : *table) {
      const std::string file = marblix::FilePathOf(spec.Path);
      e.push_back({file, spec.PatternWidth, spec.PatternHeight, patternsDrawn(file)});
    }
  }
  e.push_back({"graphics/font/font.bmp", 24, 24, 256});
  return e;
}

TEST(PackPictures, EveryPictureHoldsThePatternsTheGameDraws) {
  const auto expected = expectedPictures();
  EXPECT_EQ(expected.size(), 120u + 11u + 1u);  // game pictures, start-up pictures, font sheet
  for (const auto& counted : patternCounts()) {
    const std::string& file = counted.first;
    EXPECT_TRUE(std::any_of(expected.begin(), expected.end(),
                            [&file](const Expected& e) { return e.file == file; }))
        << file << " is no picture the game loads";
  }
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.file);
    const auto path = kData / e.file;
    ASSERT_TRUE(std::filesystem::exists(path));
    marblix::TBitmapEx picture;
    picture.LoadFromFile(path.string());
    const int pw = e.patternWidth ? e.patternWidth : picture.Width();
    const int ph = e.patternHeight ? e.patternHeight : picture.Height();
    const int whole = (picture.Width() / pw) * (picture.Height() / ph);
    EXPECT_GE(whole, e.patterns);
    // No ragged edges: the picture is a grid of whole patterns.
    EXPECT_EQ(picture.Width() % pw, 0);
    EXPECT_EQ(picture.Height() % ph, 0);
  }
}

TEST(PackPictures, ArtCarriesAlphaAndAdditivePicturesAreOpaque) {
  for (const Expected& e : expectedPictures()) {
    SCOPED_TRACE(e.file);
    std::ifstream file(kData / e.file, std::ios::binary);
    std::vector<unsigned char> header(30);
    file.read(reinterpret_cast<char*>(header.data()), 30);
    if (e.file.ends_with(".tga")) {
      EXPECT_TRUE(header[2] == 2 || header[2] == 10);
      EXPECT_EQ(header[16], 32);
      EXPECT_EQ(header[17] & 0x30, 0x20);  // top first, left to right
    } else if (e.file.ends_with(".bmp")) {
      const int bits = header[28];
      EXPECT_EQ(bits, e.file.find("font") != std::string::npos ? 32 : 24);
    }
  }
}

// A language's own pictures stand in for the root's: each is a picture the game loads, of the
// root's very size, so the game cuts it into the same patterns.
TEST(PackPictures, EveryLanguagePictureHasTheRootsSize) {
  const auto expected = expectedPictures();
  std::size_t pictures = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(kData / "lang")) {
    const auto relative = std::filesystem::relative(entry.path(), kData / "lang");
    const auto inPack = relative.lexically_relative(*relative.begin());
    if (!entry.is_regular_file() || inPack == "strings.txt" ||
        inPack.parent_path() == "graphics/font")
      continue;
    SCOPED_TRACE(relative.string());
    EXPECT_TRUE(std::any_of(expected.begin(), expected.end(),
                            [&inPack](const Expected& e) { return e.file == inPack; }));
    marblix::TBitmapEx own, root;
    own.LoadFromFile(entry.path().string());
    root.LoadFromFile((kData / inPack).string());
    EXPECT_EQ(own.Width(), root.Width());
    EXPECT_EQ(own.Height(), root.Height());
    ++pictures;
  }
  EXPECT_GE(pictures, 15u * 20u);  // buttons, headings, rows, backdrop and pages of each
}

TEST(PackPictures, BallsAreOpaqueInTheMiddleAndClearInTheCorners) {
  for (int n = 1; n <= 22; ++n) {
    SCOPED_TRACE(n);
    marblix::TBitmapEx picture;
    picture.LoadFromFile((kData / ("graphics/balls/" + std::to_string(n) + "_0.tga")).string());
    EXPECT_EQ(picture.Pixel(20, 21) >> 24, 0xFFu);
    EXPECT_EQ(picture.Pixel(0, 0) >> 24, 0u);
  }
}

TEST(PackPictures, FullScreenBoxFillsItsClickArea) {
  // Drawn at (410, 360); the box answers clicks at 411 < x < 433 and 362 < y < 383.
  marblix::TBitmapEx picture;
  picture.LoadFromFile((kData / "graphics/buttons/fullscreen.tga").string());
  for (int pattern = 0; pattern < 2; ++pattern) {
    const int top = pattern * 25;
    // The box's four edges lie just inside the area; left of it the picture is clear.
    EXPECT_GT(picture.Pixel(3, top + 13) >> 24, 0x80u);
    EXPECT_GT(picture.Pixel(21, top + 13) >> 24, 0x80u);
    EXPECT_GT(picture.Pixel(12, top + 4) >> 24, 0x80u);
    EXPECT_GT(picture.Pixel(12, top + 22) >> 24, 0x80u);
    EXPECT_EQ(picture.Pixel(0, top + 13) >> 24, 0u);
  }
}

}  // namespace
