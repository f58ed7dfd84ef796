// The pictures drawn over one another line up on screen: the rest animations and the paint lie
// exactly on the resting ball, colour bombs sit on the cell centre like every ball, and the
// bomb's three pictures keep the bomb where it rests.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "assetgen/pack.h"
#include "graphics/TGAReader.h"

namespace {

const std::filesystem::path kData = MARBLIX_DATA_DIR;

struct Point {
  double x, y;
};

// Centre of the opaque body of pattern `index` of a picture cut into w x h patterns, in the
// picture's own coordinates.
Point bodyCentre(const marblix::TBitmapEx& p, int w, int h, int index) {
  const int cols = p.Width() / w;
  const int ox = (index % cols) * w, oy = (index / cols) * h;
  double sx = 0, sy = 0, n = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if ((p.Pixel(ox + x, oy + y) >> 24) > 200) {
        sx += x;
        sy += y;
        n += 1;
      }
  return {sx / n, sy / n};
}

marblix::TBitmapEx load(const std::string& file) {
  marblix::TBitmapEx p;
  p.LoadFromFile((kData / file).string());
  return p;
}

// Centre of the opaque body of a pattern of a picture, cut as the game cuts it.
Point bodyCentre(const assetgen::LoadedPicture& picture, int index) {
  return bodyCentre(load(picture.file), picture.patternWidth, picture.patternHeight, index);
}

// Where a pattern's point lands when the game draws the pattern centred on (cx, cy).
Point onScreen(Point in, int w, int h, double cx, double cy) {
  const int halfW = w / 2, halfH = h / 2;  // whole pixels, as the game centres a pattern
  return {cx - halfW + in.x, cy - halfH + in.y};
}

TEST(PackGeometry, RestAnimationsAndPaintLieOnTheRestingBall) {
  for (int colour = 1; colour <= 7; ++colour) {
    SCOPED_TRACE(colour);
    const std::string base = "graphics/balls/" + std::to_string(colour);
    // The ball itself, drawn centred as the board draws it in cell (0, 0).
    const assetgen::LoadedPicture resting(base + "_0.tga");
    const Point ball = onScreen(bodyCentre(resting, 0), resting.patternWidth, resting.patternHeight,
                                303 + 20, 31 + 20);
    struct Overlay {
      const char* suffix;
      int pattern;
      double cx, cy;
    };
    const Overlay overlays[] = {{"_2.tga", 0, 323, 51},
                                {"_3.tga", 0, 323, 51},
                                {"_4.tga", 0, 323, 52},
                                {"_5.tga", 1, 323, 51},
                                {"_6.tga", 17, 323, 51}};
    for (const Overlay& o : overlays) {
      SCOPED_TRACE(o.suffix);
      const assetgen::LoadedPicture overlay(base + o.suffix);
      const Point at = onScreen(bodyCentre(overlay, o.pattern), overlay.patternWidth,
                                overlay.patternHeight, o.cx, o.cy);
      EXPECT_NEAR(at.x, ball.x, 0.75);
      EXPECT_NEAR(at.y, ball.y, 0.75);
    }
  }
}

TEST(PackGeometry, EveryBallRestsOnTheCellCentre) {
  for (int n = 1; n <= 21; ++n) {
    SCOPED_TRACE(n);
    const bool large = n >= 12 && n <= 18;
    const assetgen::LoadedPicture ball("graphics/balls/" + std::to_string(n) + "_0.tga");
    const int w = ball.patternWidth, h = ball.patternHeight;
    const int halfW = w / 2, halfH = h / 2;
    const Point c = onScreen(bodyCentre(ball, 0), w, h, 303 + halfW, 31 + halfH);
    // The cell (0, 0) spans 298..348 and 26..76; its centre is (323, 51). A fuse pulls a little.
    EXPECT_NEAR(c.x, 323, large ? 1.5 : 1.0);
    EXPECT_NEAR(c.y, 51, large ? 1.5 : 1.0);
  }
}

TEST(PackGeometry, TheBombStaysPutWhenHoveredOrSelected) {
  // bomb_0 is centred like a ball; bomb_1 and bomb_2 are placed by their top-left corners.
  const assetgen::LoadedPicture resting("graphics/balls/bomb_0.tga");
  const Point rest = onScreen(bodyCentre(resting, 0), resting.patternWidth, resting.patternHeight,
                              303 + 20, 31 + 20);
  const Point hovered = bodyCentre(assetgen::LoadedPicture("graphics/balls/bomb_1.tga"), 0);
  const Point selected = bodyCentre(assetgen::LoadedPicture("graphics/balls/bomb_2.tga"), 0);
  EXPECT_NEAR(303 + hovered.x, rest.x, 1.0);
  EXPECT_NEAR(27 + hovered.y, rest.y, 1.0);
  EXPECT_NEAR(303 + selected.x, rest.x, 2.0);  // it shakes a little
  EXPECT_NEAR(11 + selected.y, rest.y, 1.0);
}

}  // namespace
