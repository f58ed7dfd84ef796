// The start-up pictures: the night backdrop, its decorative overlay with the progress trough, the
// studio lettering "QUORVANE Pixels" whose i is dotted by a dropping ball, the flare, the shine
// that sweeps the lettering, and the progress bar.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "assetgen/art.h"
#include "assetgen/ballart.h"
#include "assetgen/theme.h"

namespace assetgen {

namespace {

using namespace theme;

// Screen geometry of the lockup; the pictures are drawn at fixed places by the logo sequence.
constexpr double kWordX = 270, kWordY = 120;      // vexmo.tga and zantic.tga
constexpr double kColumnX = 300, kColumnY = -30;  // ball.tga and i.tga
constexpr double kShineX = 281, kShineY = 233;    // blik_zantic.tga
constexpr double kStemX = 340;                    // centre of the i
constexpr double kBaseline = 272;
constexpr double kStemTop = 187;
constexpr double kBallY = 162, kBallR = 15;
constexpr double kLetterSize = 72;
constexpr double kBarX = 286, kBarY = 330, kBarW = 228, kBarH = 12;

// Left edge of the "P" so that the i (its stem) stands at kStemX; then the start of "xels".
struct WordLayout {
  double pLeft, restLeft;
};

WordLayout layout(cairo_t* cr) {
  useFont(cr, Face::SansBold, kLetterSize);
  const double p = textWidth(cr, "P"), i = textWidth(cr, "\xC4\xB1");
  return {kStemX - i / 2 - p, kStemX + i / 2};
}

// Adds the lettering (without the i) to the path, in screen coordinates.
void wordPath(cairo_t* cr) {
  const WordLayout l = layout(cr);
  cairo_move_to(cr, l.pLeft, kBaseline);
  cairo_text_path(cr, "P");
  cairo_move_to(cr, l.restLeft, kBaseline);
  cairo_text_path(cr, "xels");
}

void goldFill(cairo_t* cr, double top, double bottom) {
  cairo_pattern_t* g = cairo_pattern_create_linear(0, top, 0, bottom);
  cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 0.96, 0.78);
  cairo_pattern_add_color_stop_rgb(g, 0.45, kGold.r, kGold.g, kGold.b);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.6, 0.4, 0.12);
  cairo_set_source(cr, g);
  cairo_pattern_destroy(g);
}

void inkAndGold(cairo_t* cr, double top, double bottom, double rim) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, rim);
  setColour(cr, kInk.withAlpha(0.95));
  cairo_stroke_preserve(cr);
  goldFill(cr, top, bottom);
  cairo_fill(cr);
}

void letters(cairo_t* cr) {
  cairo_translate(cr, -kWordX, -kWordY);
  // Shadow, then the outlined gold letters.
  cairo_save(cr);
  cairo_translate(cr, 3, 4);
  wordPath(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
  cairo_fill(cr);
  cairo_restore(cr);
  wordPath(cr);
  inkAndGold(cr, kBaseline - 55, kBaseline, 4);
}

void studioName(cairo_t* cr) {
  cairo_translate(cr, -kWordX, -kWordY);
  useFont(cr, Face::SansBold, 22);
  const std::string name = "Q U O R V A N E";
  const double w = textWidth(cr, name);
  const double left = 405 - w / 2;
  cairo_move_to(cr, left, 141);
  cairo_text_path(cr, name.c_str());
  inkAndGold(cr, 124, 141, 3);
  // Thin rules either side of the name.
  setColour(cr, kGold.withAlpha(0.8));
  cairo_rectangle(cr, left - 44, 132, 34, 1.5);
  cairo_rectangle(cr, left + w + 10, 132, 34, 1.5);
  cairo_fill(cr);
}

// The i's stem; `squash` pixels pressed down at its top by the landing ball.
void stem(cairo_t* cr, int frame) {
  static const double squash[33] = {0, 0, 0, 0, 7, 3, -2, 1, 0, 0, 0, 0, 0, 0, 0, 4, 1,
                                    0, 0, 0, 0, 0, 0, 2,  0, 0, 0, 0, 0, 0, 0, 0, 0};
  cairo_translate(cr, -kColumnX, -kColumnY);
  const double top = kStemTop + squash[frame], w = 17 + squash[frame] * 0.4;
  cairo_save(cr);
  cairo_translate(cr, 3, 4);
  roundedRect(cr, kStemX - w / 2, top, w, kBaseline - top, 5);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
  cairo_fill(cr);
  cairo_restore(cr);
  roundedRect(cr, kStemX - w / 2, top, w, kBaseline - top, 5);
  inkAndGold(cr, kStemTop, kBaseline, 4);
}

// Height of the ball above its resting place in each picture; picture 0 has no ball yet.
double ballLift(int frame) {
  if (frame == 1) return 170;
  if (frame == 2) return 80;
  if (frame >= 5 && frame <= 14) return 36 * std::sin(M_PI * (frame - 4) / 11.0);
  if (frame >= 16 && frame <= 22) return 13 * std::sin(M_PI * (frame - 15) / 8.0);
  if (frame >= 24 && frame <= 27) return 4 * std::sin(M_PI * (frame - 23) / 5.0);
  return 0;
}

void dropBall(cairo_t* cr, int frame) {
  if (frame == 0) return;
  cairo_translate(cr, -kColumnX, -kColumnY);
  BallPose pose;
  pose.lift = ballLift(frame);
  pose.shadow = 0;
  if (frame == 4 || frame == 15) {
    pose.squashX = frame == 4 ? 1.18 : 1.08;
    pose.squashY = frame == 4 ? 0.8 : 0.92;
  }
  if (frame <= 2) {
    // Motion streak above the falling ball.
    const double y = kBallY - pose.lift;
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y - 70, 0, y);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 0.4, 0.3, 0);
    cairo_pattern_add_color_stop_rgba(g, 1, 1, 0.6, 0.5, 0.6);
    cairo_rectangle(cr, kStemX - 9, y - 70, 18, 70);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
  }
  paintBall(cr, kStemX, kBallY, kBallR, {BallKind::Plain, 1, 0, 0}, pose);
}

void shine(cairo_t* cr, int frame) {
  cairo_translate(cr, -kShineX, -kShineY);
  wordPath(cr);
  roundedRect(cr, kStemX - 8.5, kStemTop, 17, kBaseline - kStemTop, 5);
  cairo_clip(cr);
  const double x = kShineX - 40 + frame / 26.0 * (235 + 80);
  cairo_pattern_t* g = cairo_pattern_create_linear(x - 24, kShineY + 60, x + 24, kShineY);
  cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 0);
  cairo_pattern_add_color_stop_rgba(g, 0.5, 1, 1, 0.95, 0.85);
  cairo_pattern_add_color_stop_rgba(g, 1, 1, 1, 1, 0);
  cairo_set_source(cr, g);
  cairo_paint(cr);
  cairo_pattern_destroy(g);
}

void background(cairo_t* cr) {
  nightSky(cr, 800, 600, 400, 230, 3);
  // Large, very soft lights low in the picture.
  for (int k = 0; k < 7; ++k) {
    const double x = 70 + k * 110, y = 560 - 30 * std::sin(k * 1.3);
    const Colour c = ballColour(k + 1);
    cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, 90);
    cairo_pattern_add_color_stop_rgba(g, 0, c.r, c.g, c.b, 0.22);
    cairo_pattern_add_color_stop_rgba(g, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
  }
}

// The game shows the backdrop in 16-bit colour; a faint fixed grain keeps its gradients from
// breaking into bands there.
Picture withGrain(Picture p) {
  std::uint32_t seed = 12345;
  for (std::size_t i = 0; i < p.bgra.size(); i += 4) {
    seed = seed * 1664525u + 1013904223u;
    const int grain = int((seed >> 24) % 7) - 3;
    for (int c = 0; c < 3; ++c)
      p.bgra[i + std::size_t(c)] =
          std::uint8_t(std::clamp(p.bgra[i + std::size_t(c)] + grain, 0, 255));
  }
  return p;
}

void overlay(cairo_t* cr) {
  // Vignette.
  cairo_pattern_t* v = cairo_pattern_create_radial(400, 280, 200, 400, 300, 560);
  cairo_pattern_add_color_stop_rgba(v, 0, 0, 0, 0, 0);
  cairo_pattern_add_color_stop_rgba(v, 1, 0, 0, 0.02, 0.75);
  cairo_set_source(cr, v);
  cairo_paint(cr);
  cairo_pattern_destroy(v);
  // A glass plate behind the lockup and the progress trough.
  panel(cr, 236, 104, 338, 260, 24, rgb(0x161D42, 0.55));
  well(cr, kBarX - 3, kBarY - 3, kBarW + 6, kBarH + 6, 8);
  // Seven balls resting along the bottom edge, a row of the game's colours.
  for (int k = 0; k < 7; ++k) {
    BallPose pose;
    paintBall(cr, 400 + (k - 3) * 60, 540, 22, {BallKind::Plain, k + 1, 0, 0}, pose);
  }
  // Gold corner flourishes.
  setColour(cr, kGold.withAlpha(0.7));
  cairo_set_line_width(cr, 2);
  for (int corner = 0; corner < 4; ++corner) {
    cairo_save(cr);
    cairo_translate(cr, corner % 2 ? 800 : 0, corner / 2 ? 600 : 0);
    cairo_scale(cr, corner % 2 ? -1 : 1, corner / 2 ? -1 : 1);
    cairo_move_to(cr, 18, 90);
    cairo_line_to(cr, 18, 30);
    cairo_curve_to(cr, 18, 22, 22, 18, 30, 18);
    cairo_line_to(cr, 90, 18);
    cairo_stroke(cr);
    cairo_arc(cr, 30, 30, 4, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
  }
}

void statusBar(cairo_t* cr) {
  roundedRect(cr, 0, 0, kBarW, kBarH, kBarH / 2);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, kBarH);
  cairo_pattern_add_color_stop_rgb(g, 0, 1, 0.95, 0.7);
  cairo_pattern_add_color_stop_rgb(g, 0.5, kGold.r, kGold.g, kGold.b);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.65, 0.42, 0.1);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  for (double x = 12; x < kBarW; x += 12) {
    cairo_rectangle(cr, x, 2, 1, kBarH - 4);
    cairo_set_source_rgba(cr, 0.4, 0.25, 0.05, 0.35);
    cairo_fill(cr);
  }
}

}  // namespace

void makeLogo(Pack& pack) {
  pack.jpeg("logo", LoadedPicture("graphics/background.jpg"),
            withGrain(drawPatterns(800, 600, 1, 1, [](cairo_t* cr, int) { background(cr); })), 92);
  pack.picture("logo", LoadedPicture("graphics/loading_element.tga"),
               drawPatterns(800, 600, 1, 1, [](cairo_t* cr, int) { overlay(cr); }));
  pack.picture("logo", LoadedPicture("graphics/logo/vexmo.tga"),
               drawPatterns(280, 60, 1, 1, [](cairo_t* cr, int) { studioName(cr); }));
  pack.picture("logo", LoadedPicture("graphics/logo/zantic.tga"),
               drawPatterns(280, 180, 1, 1, [](cairo_t* cr, int) { letters(cr); }));
  const LoadedPicture i("graphics/logo/i.tga"), ball("graphics/logo/ball.tga");
  const LoadedPicture shineLine("graphics/logo/blik_zantic.tga");
  pack.picture("logo", i, drawPatterns(i, 33, 11, stem));
  pack.picture("logo", ball, drawPatterns(ball, 33, 11, dropBall));
  pack.picture("logo", shineLine, drawPatterns(shineLine, 29, 4, shine));
  pack.picture("logo", LoadedPicture("graphics/logo/flare.tga"),
               drawPatterns(200, 200, 1, 1, [](cairo_t* cr, int) { drawFlare(cr, 100, 100, 99); }));
  pack.picture("logo", LoadedPicture("graphics/statusline.tga"),
               drawPatterns(int(kBarW), int(kBarH), 1, 1, [](cairo_t* cr, int) { statusBar(cr); }));
}

}  // namespace assetgen
