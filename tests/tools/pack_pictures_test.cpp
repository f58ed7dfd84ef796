// Every picture the game opens exists in the generated pack, is a picture the game's reader
// accepts, and holds whole patterns enough for every pattern the game draws from it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "graphics/TGAReader.h"

namespace {

const std::filesystem::path kData = MARBLIX_DATA_DIR;

struct Expected {
  std::string file;
  int patternWidth;  // 0: the picture's own size
  int patternHeight;
  int patterns;  // patterns the game draws from it
};

std::vector<Expected> expectedPictures() {
  std::vector<Expected> e = {
      // Start-up pictures.
      {"graphics/cursor.tga", 18, 25, 1},
      {"graphics/bfg.tga", 170, 170, 1},
      {"graphics/background.jpg", 400, 300, 4},
      {"graphics/loading_element.tga", 400, 300, 4},
      {"graphics/logo/flare.tga", 0, 0, 1},
      {"graphics/statusline.tga", 0, 0, 1},
      {"graphics/logo/ball.tga", 57, 213, 33},
      {"graphics/logo/i.tga", 57, 306, 33},
      {"graphics/logo/blik_zantic.tga", 235, 75, 29},
      {"graphics/logo/vexmo.tga", 0, 0, 1},
      {"graphics/logo/zantic.tga", 0, 0, 1},
      // Game pictures.
      {"graphics/buttons/new game.tga", 126, 26, 3},
      {"graphics/element_headtext_gamezone.tga", 260, 55, 1},
      {"graphics/high_mode.tga", 380, 96, 3},
      {"graphics/buttons/high_mode_r.tga", 34, 34, 3},
      {"graphics/buttons/high_mode_l.tga", 34, 34, 3},
      {"graphics/buttons/back.tga", 144, 40, 3},
      {"graphics/buttons/clear.tga", 144, 40, 3},
      {"graphics/ingame.tga", 400, 300, 4},
      {"graphics/field.tga", 51, 51, 5},
      {"graphics/balls/bomb_0.tga", 40, 41, 25},
      {"graphics/balls/bomb_1.tga", 40, 45, 6},
      {"graphics/balls/bomb_2.tga", 54, 63, 6},
      {"graphics/inform.tga", 443, 291, 1},
      {"graphics/buttons/yes.tga", 112, 48, 3},
      {"graphics/buttons/no.tga", 112, 48, 3},
      {"graphics/buttons/prev.tga", 106, 24, 3},
      {"graphics/buttons/next.tga", 106, 24, 3},
      {"graphics/buttons/fullscreen.tga", 245, 25, 2},
      {"graphics/buttons/sound_opt.tga", 405, 45, 2},
      {"graphics/buttons/sound_opt_g.tga", 194, 14, 2},
      {"graphics/buttons/up.tga", 18, 18, 3},
      {"graphics/buttons/down.tga", 18, 18, 3},
      {"graphics/explosion.bmp", 128, 128, 1},
      {"graphics/logo_small.tga", 125, 100, 38},
      {"graphics/cry.tga", 140, 82, 10},
      {"graphics/lau.tga", 60, 60, 2},
      {"graphics/font/font.bmp", 24, 24, 256},
  };
  for (const char* b : {"kids", "normal", "professional"})
    e.push_back({std::string("graphics/buttons/") + b + ".tga", 115, 25, 3});
  for (const char* b : {"options", "instructions", "high scores", "exit"})
    e.push_back({std::string("graphics/buttons/") + b + ".tga", 143, 31, 3});
  for (int n = 1; n <= 22; ++n) {
    const bool colourBomb = n >= 12 && n <= 18;
    const std::string base = "graphics/balls/" + std::to_string(n);
    e.push_back({base + "_0.tga", colourBomb ? 44 : 40, colourBomb ? 45 : 40, 25});
    e.push_back({base + "_1.tga", colourBomb ? 47 : 40, colourBomb ? 52 : 44, 25});
  }
  for (int n = 1; n <= 7; ++n) {
    const std::string base = "graphics/balls/" + std::to_string(n);
    e.push_back({base + "_2.tga", 44, 42, 36});
    e.push_back({base + "_3.tga", 40, 40, 44});
    e.push_back({base + "_4.tga", 48, 43, 54});
    e.push_back({base + "_5.tga", 40, 40, 2});
    e.push_back({base + "_6.tga", 40, 40, 18});
  }
  for (int page = 0; page < 5; ++page)
    e.push_back({"graphics/help" + std::to_string(page) + ".tga", 467, 467, 1});
  return e;
}

TEST(PackPictures, EveryPictureHoldsThePatternsTheGameDraws) {
  const auto expected = expectedPictures();
  EXPECT_EQ(expected.size(), 117u + 11u + 1u);  // game pictures, start-up pictures, font sheet
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
