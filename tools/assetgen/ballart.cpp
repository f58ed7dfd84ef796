// Ball painting: shaded glass spheres with a white mark per colour, and the special balls.
#include "assetgen/ballart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace assetgen {

namespace {

constexpr std::array<std::uint32_t, 8> kColours = {
    0x808080,  // unused
    0xE8352B,  // 1 red, triangle
    0x2DB04A,  // 2 green, square
    0x2C68E8,  // 3 blue, ring
    0xF7C417,  // 4 yellow, star
    0x9A48DA,  // 5 purple, diamond
    0x22C3D8,  // 6 cyan, cross
    0xF26BB3,  // 7 pink, heart
};

void starPath(cairo_t* cr, double outer, double inner, int points, double turn) {
  for (int i = 0; i < points * 2; ++i) {
    const double a = turn - M_PI / 2 + i * M_PI / points;
    const double r = i % 2 ? inner : outer;
    if (i == 0)
      cairo_move_to(cr, r * std::cos(a), r * std::sin(a));
    else
      cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
  }
  cairo_close_path(cr);
}

// The sphere's shading over whatever body colour was filled inside the circle.
void shade(cairo_t* cr, double cx, double cy, double r) {
  cairo_pattern_t* dark =
      cairo_pattern_create_radial(cx - 0.3 * r, cy - 0.35 * r, 0.2 * r, cx, cy, r);
  cairo_pattern_add_color_stop_rgba(dark, 0.0, 1, 1, 1, 0.28);
  cairo_pattern_add_color_stop_rgba(dark, 0.45, 1, 1, 1, 0.0);
  cairo_pattern_add_color_stop_rgba(dark, 0.8, 0, 0, 0, 0.18);
  cairo_pattern_add_color_stop_rgba(dark, 1.0, 0, 0, 0, 0.5);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_set_source(cr, dark);
  cairo_fill(cr);
  cairo_pattern_destroy(dark);
}

// Glassy highlight and the soft light bounced up from the ground.
void highlight(cairo_t* cr, double cx, double cy, double r, double sparkle) {
  cairo_save(cr);
  cairo_translate(cr, cx - 0.34 * r, cy - 0.46 * r);
  cairo_rotate(cr, -0.6);
  cairo_scale(cr, 0.46 * r, 0.27 * r);
  cairo_pattern_t* spot = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
  cairo_pattern_add_color_stop_rgba(spot, 0, 1, 1, 1, 0.95);
  cairo_pattern_add_color_stop_rgba(spot, 0.55, 1, 1, 1, 0.55);
  cairo_pattern_add_color_stop_rgba(spot, 1, 1, 1, 1, 0);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_set_source(cr, spot);
  cairo_fill(cr);
  cairo_pattern_destroy(spot);
  cairo_restore(cr);

  cairo_save(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_clip(cr);
  cairo_pattern_t* bounce =
      cairo_pattern_create_radial(cx, cy + 1.05 * r, 0, cx, cy + 1.05 * r, 0.75 * r);
  cairo_pattern_add_color_stop_rgba(bounce, 0, 1, 1, 1, 0.35);
  cairo_pattern_add_color_stop_rgba(bounce, 1, 1, 1, 1, 0);
  cairo_set_source(cr, bounce);
  cairo_paint(cr);
  cairo_pattern_destroy(bounce);
  cairo_restore(cr);

  if (sparkle > 0) {
    cairo_save(cr);
    cairo_translate(cr, cx - 0.42 * r, cy - 0.5 * r);
    const double s = 0.55 * r * sparkle;
    starPath(cr, s, s * 0.16, 4, sparkle * 0.8);
    cairo_set_source_rgba(cr, 1, 1, 1, std::min(1.0, 0.3 + sparkle));
    cairo_fill(cr);
    cairo_restore(cr);
  }
}

// A white mark with a dark outline, so it reads on light and dark bodies alike.
void paintMark(cairo_t* cr, int colour, double x, double y, double s, double angle, double flip,
               double alpha) {
  if (std::abs(flip) < 0.04) return;
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  cairo_scale(cr, flip, 1);
  markPath(cr, colour, s);
  const Colour edge = ballColour(colour).darker(0.62);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, std::max(1.4, s * 0.28));
  setColour(cr, edge.withAlpha(0.75 * alpha));
  cairo_stroke_preserve(cr);
  const double face = flip > 0 ? 1.0 : 0.8;
  cairo_set_source_rgba(cr, face, face, face, 0.96 * alpha);
  cairo_fill(cr);
  cairo_restore(cr);
}

void fillCircle(cairo_t* cr, double cx, double cy, double r, const Colour& c) {
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  setColour(cr, c);
  cairo_fill(cr);
}

void fuse(cairo_t* cr, double cx, double cy, double r, const BallPose& pose) {
  // Metal cap and a curled cord ending in a spark up and to the right.
  cairo_save(cr);
  cairo_translate(cr, cx + 0.55 * r, cy - 0.72 * r);
  cairo_rotate(cr, 0.65);
  roundedRect(cr, -0.26 * r, -0.2 * r, 0.52 * r, 0.34 * r, 0.06 * r);
  cairo_pattern_t* metal = cairo_pattern_create_linear(-0.26 * r, 0, 0.26 * r, 0);
  cairo_pattern_add_color_stop_rgb(metal, 0, 0.45, 0.45, 0.5);
  cairo_pattern_add_color_stop_rgb(metal, 0.4, 0.92, 0.92, 0.95);
  cairo_pattern_add_color_stop_rgb(metal, 1, 0.35, 0.35, 0.4);
  cairo_set_source(cr, metal);
  cairo_fill(cr);
  cairo_pattern_destroy(metal);
  cairo_restore(cr);

  const double fx = cx + 0.66 * r, fy = cy - 0.88 * r;
  const double tx = cx + 0.95 * r, ty = cy - 1.08 * r;
  cairo_move_to(cr, fx, fy);
  cairo_curve_to(cr, fx + 0.05 * r, fy - 0.3 * r, tx - 0.2 * r, ty + 0.05 * r, tx, ty);
  cairo_set_line_width(cr, std::max(1.5, 0.12 * r));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_source_rgb(cr, 0.55, 0.4, 0.25);
  cairo_stroke(cr);

  const double flicker = 0.75 + 0.25 * std::sin(pose.spark * 2 * M_PI);
  const double s = 0.42 * r * pose.sparkSize * flicker;
  cairo_pattern_t* glow = cairo_pattern_create_radial(tx, ty, 0, tx, ty, s * 1.6);
  cairo_pattern_add_color_stop_rgba(glow, 0, 1, 1, 0.8, 1);
  cairo_pattern_add_color_stop_rgba(glow, 0.35, 1, 0.75, 0.2, 0.85);
  cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.3, 0, 0);
  cairo_arc(cr, tx, ty, s * 1.6, 0, 2 * M_PI);
  cairo_set_source(cr, glow);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
  cairo_save(cr);
  cairo_translate(cr, tx, ty);
  starPath(cr, s * 1.25, s * 0.3, 5, pose.spark * 1.3);
  cairo_set_source_rgba(cr, 1, 1, 0.85, 0.95);
  cairo_fill(cr);
  cairo_restore(cr);
}

void body(cairo_t* cr, double cx, double cy, double r, const BallLook& look, const BallPose& pose) {
  switch (look.kind) {
    case BallKind::Plain:
    case BallKind::ColourBomb:
      fillCircle(cr, cx, cy, r, ballColour(look.colour));
      break;
    case BallKind::TwoColour: {
      fillCircle(cr, cx, cy, r, ballColour(look.second));
      cairo_save(cr);
      cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
      cairo_clip(cr);
      cairo_move_to(cr, cx - r, cy - r);
      cairo_line_to(cr, cx + r, cy - r);
      cairo_line_to(cr, cx - r, cy + r);
      cairo_close_path(cr);
      setColour(cr, ballColour(look.colour));
      cairo_fill(cr);
      cairo_move_to(cr, cx + r, cy - r);
      cairo_line_to(cr, cx - r, cy + r);
      cairo_set_line_width(cr, 0.14 * r);
      cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
      cairo_stroke(cr);
      cairo_restore(cr);
      break;
    }
    case BallKind::Joker:
    case BallKind::Multiplier: {
      // An opaque disc under the wedges, so their antialiased seams leave no holes.
      fillCircle(cr, cx, cy, r, ballColour(5));
      for (int i = 0; i < 7; ++i) {
        const double a0 = pose.markAngle - M_PI / 2 + i * 2 * M_PI / 7;
        cairo_move_to(cr, cx, cy);
        cairo_arc(cr, cx, cy, r, a0, a0 + 2 * M_PI / 7 + 0.01);
        cairo_close_path(cr);
        setColour(cr, ballColour(i + 1));
        cairo_fill(cr);
      }
      break;
    }
    case BallKind::Bomb: {
      cairo_pattern_t* g =
          cairo_pattern_create_radial(cx - 0.3 * r, cy - 0.35 * r, 0.1 * r, cx, cy, r);
      cairo_pattern_add_color_stop_rgb(g, 0, 0.42, 0.44, 0.52);
      cairo_pattern_add_color_stop_rgb(g, 0.5, 0.16, 0.17, 0.22);
      cairo_pattern_add_color_stop_rgb(g, 1, 0.04, 0.04, 0.06);
      cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
      cairo_set_source(cr, g);
      cairo_fill(cr);
      cairo_pattern_destroy(g);
      break;
    }
  }
}

// The joker: a white star.
void jokerStar(cairo_t* cr, double cx, double cy, double r, const BallPose& pose) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, pose.markFlip, 1);
  starPath(cr, 0.55 * r, 0.24 * r, 5, pose.markAngle * 0.0);
  cairo_set_line_width(cr, 1.6);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_source_rgba(cr, 0.2, 0.1, 0.3, 0.8);
  cairo_stroke_preserve(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill(cr);
  cairo_restore(cr);
}

// The multiplier joker: its factor on a dark golden-rimmed disc.
void multiplierDisc(cairo_t* cr, double cx, double cy, double r, int multiplier,
                    const BallPose& pose) {
  fillCircle(cr, cx, cy, 0.66 * r, rgb(0x1C1530, 0.92));
  cairo_arc(cr, cx, cy, 0.66 * r, 0, 2 * M_PI);
  cairo_set_line_width(cr, 0.1 * r);
  setColour(cr, rgb(0xFFD24A));
  cairo_stroke(cr);
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, pose.markFlip, 1);
  useFont(cr, Face::SansCondensedBold, 0.86 * r);
  const std::string label = "\xC3\x97" + std::to_string(multiplier);
  centredTextPath(cr, label, 0, 0.02 * r);
  setColour(cr, rgb(0xFFE36B));
  cairo_fill(cr);
  cairo_restore(cr);
}

// The colour bomb: a band of metal round the middle with studs (its mark goes on the front).
void metalBand(cairo_t* cr, double cx, double cy, double r) {
  cairo_save(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_clip(cr);
  cairo_rectangle(cr, cx - r, cy + 0.22 * r, 2 * r, 0.34 * r);
  cairo_pattern_t* band = cairo_pattern_create_linear(0, cy + 0.22 * r, 0, cy + 0.56 * r);
  cairo_pattern_add_color_stop_rgb(band, 0, 0.85, 0.85, 0.9);
  cairo_pattern_add_color_stop_rgb(band, 0.5, 0.5, 0.5, 0.56);
  cairo_pattern_add_color_stop_rgb(band, 1, 0.3, 0.3, 0.34);
  cairo_set_source(cr, band);
  cairo_fill(cr);
  cairo_pattern_destroy(band);
  for (int i = -2; i <= 2; ++i)
    fillCircle(cr, cx + i * 0.4 * r, cy + 0.39 * r, 0.06 * r, rgb(0x2A2A30));
  cairo_restore(cr);
}

// The bomb: a skull-less warning, a bright lightning bolt.
void lightningBolt(cairo_t* cr, double cx, double cy, double r, const BallPose& pose) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy + 0.05 * r);
  cairo_scale(cr, pose.markFlip, 1);
  cairo_move_to(cr, 0.12 * r, -0.55 * r);
  cairo_line_to(cr, -0.3 * r, 0.08 * r);
  cairo_line_to(cr, -0.02 * r, 0.08 * r);
  cairo_line_to(cr, -0.14 * r, 0.55 * r);
  cairo_line_to(cr, 0.32 * r, -0.1 * r);
  cairo_line_to(cr, 0.04 * r, -0.1 * r);
  cairo_close_path(cr);
  cairo_set_source_rgba(cr, 1, 0.82, 0.2, 0.95);
  cairo_fill(cr);
  cairo_restore(cr);
}

void decorate(cairo_t* cr, double cx, double cy, double r, const BallLook& look,
              const BallPose& pose) {
  const double s = 0.42 * r;
  switch (look.kind) {
    case BallKind::Plain:
      paintMark(cr, look.colour, cx, cy + 0.04 * r, s, pose.markAngle, pose.markFlip, 1);
      break;
    case BallKind::TwoColour:
      paintMark(cr, look.colour, cx - 0.36 * r, cy - 0.3 * r, s * 0.62, pose.markAngle,
                pose.markFlip, 1);
      paintMark(cr, look.second, cx + 0.36 * r, cy + 0.36 * r, s * 0.62, pose.markAngle,
                pose.markFlip, 1);
      break;
    case BallKind::Joker:
      jokerStar(cr, cx, cy, r, pose);
      break;
    case BallKind::Multiplier:
      multiplierDisc(cr, cx, cy, r, look.multiplier, pose);
      break;
    case BallKind::ColourBomb:
      metalBand(cr, cx, cy, r);
      paintMark(cr, look.colour, cx, cy - 0.2 * r, s * 0.85, pose.markAngle, pose.markFlip, 1);
      break;
    case BallKind::Bomb:
      lightningBolt(cr, cx, cy, r, pose);
      break;
  }
}

}  // namespace

Colour ballColour(int colour) {
  return rgb(kColours[std::size_t(std::clamp(colour, 0, 7))]);
}

BallLook lookOfFile(int n) {
  if (n >= 1 && n <= 7) return {BallKind::Plain, n, 0, 0};
  if (n == 8) return {BallKind::TwoColour, 4, 6, 0};
  if (n == 9) return {BallKind::TwoColour, 1, 3, 0};
  if (n == 10) return {BallKind::TwoColour, 2, 5, 0};
  if (n == 11) return {BallKind::Joker, 0, 0, 0};
  if (n >= 12 && n <= 18) return {BallKind::ColourBomb, n - 11, 0, 0};
  if (n >= 19 && n <= 21) return {BallKind::Multiplier, 0, 0, 3 * (n - 18)};
  return {BallKind::Bomb, 0, 0, 0};
}

void markPath(cairo_t* cr, int colour, double s) {
  switch (colour) {
    case 1:  // triangle
      cairo_move_to(cr, 0, -1.08 * s);
      cairo_line_to(cr, 1.02 * s, 0.72 * s);
      cairo_line_to(cr, -1.02 * s, 0.72 * s);
      cairo_close_path(cr);
      break;
    case 2:  // square
      roundedRect(cr, -0.78 * s, -0.78 * s, 1.56 * s, 1.56 * s, 0.18 * s);
      break;
    case 3:  // ring
      cairo_arc(cr, 0, 0, 0.92 * s, 0, 2 * M_PI);
      cairo_close_path(cr);
      cairo_new_sub_path(cr);
      cairo_arc_negative(cr, 0, 0, 0.46 * s, 2 * M_PI, 0);
      cairo_close_path(cr);
      break;
    case 4:  // star
      starPath(cr, 1.12 * s, 0.48 * s, 5, 0);
      break;
    case 5:  // diamond
      cairo_move_to(cr, 0, -1.1 * s);
      cairo_line_to(cr, 0.78 * s, 0);
      cairo_line_to(cr, 0, 1.1 * s);
      cairo_line_to(cr, -0.78 * s, 0);
      cairo_close_path(cr);
      break;
    case 6: {  // cross
      const double a = 0.32 * s, l = 0.98 * s;
      cairo_move_to(cr, -a, -l);
      cairo_line_to(cr, a, -l);
      cairo_line_to(cr, a, -a);
      cairo_line_to(cr, l, -a);
      cairo_line_to(cr, l, a);
      cairo_line_to(cr, a, a);
      cairo_line_to(cr, a, l);
      cairo_line_to(cr, -a, l);
      cairo_line_to(cr, -a, a);
      cairo_line_to(cr, -l, a);
      cairo_line_to(cr, -l, -a);
      cairo_line_to(cr, -a, -a);
      cairo_close_path(cr);
      break;
    }
    default:  // heart
      cairo_move_to(cr, 0, 0.98 * s);
      cairo_curve_to(cr, -0.5 * s, 0.55 * s, -1.1 * s, 0.1 * s, -1.05 * s, -0.38 * s);
      cairo_curve_to(cr, -1.0 * s, -0.95 * s, -0.25 * s, -1.05 * s, 0, -0.5 * s);
      cairo_curve_to(cr, 0.25 * s, -1.05 * s, 1.0 * s, -0.95 * s, 1.05 * s, -0.38 * s);
      cairo_curve_to(cr, 1.1 * s, 0.1 * s, 0.5 * s, 0.55 * s, 0, 0.98 * s);
      cairo_close_path(cr);
      break;
  }
}

void paintShadow(cairo_t* cr, double cx, double cy, double r, double lift) {
  const double fade = std::max(0.25, 1 - lift / (1.2 * r));
  cairo_save(cr);
  cairo_translate(cr, cx + 0.06 * r, cy + 0.92 * r);
  cairo_scale(cr, 0.86 * r * (0.7 + 0.3 * fade), 0.2 * r);
  cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
  cairo_pattern_add_color_stop_rgba(g, 0, 0, 0, 0, 0.55 * fade);
  cairo_pattern_add_color_stop_rgba(g, 1, 0, 0, 0, 0);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  cairo_restore(cr);
}

void paintBall(cairo_t* cr, double cx, double cy, double r, const BallLook& look,
               const BallPose& pose) {
  if (pose.shadow > 0) paintShadow(cr, cx, cy, r, pose.lift);
  cairo_save(cr);
  // Squash and stretch about the point where the ball touches the ground.
  const double bottom = cy + r - pose.lift;
  cairo_translate(cr, cx, bottom);
  cairo_scale(cr, pose.squashX, pose.squashY);
  cairo_translate(cr, -cx, -bottom);
  const double y = cy - pose.lift;
  if (pose.glow > 0) {
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, y, r * 0.9, cx, y, r * 1.22);
    const Colour c =
        look.kind == BallKind::Bomb ? rgb(0xFF7A1A) : ballColour(look.colour).lighter(0.4);
    cairo_pattern_add_color_stop_rgba(g, 0, c.r, c.g, c.b, 0.8 * pose.glow);
    cairo_pattern_add_color_stop_rgba(g, 1, c.r, c.g, c.b, 0);
    cairo_arc(cr, cx, y, r * 1.22, 0, 2 * M_PI);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
  }
  body(cr, cx, y, r, look, pose);
  if (look.kind != BallKind::Bomb) shade(cr, cx, y, r);
  decorate(cr, cx, y, r, look, pose);
  highlight(cr, cx, y, r, pose.sparkle);
  cairo_arc(cr, cx, y, r - 0.4, 0, 2 * M_PI);
  cairo_set_line_width(cr, 0.8);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
  cairo_stroke(cr);
  if (look.kind == BallKind::ColourBomb || look.kind == BallKind::Bomb) fuse(cr, cx, y, r, pose);
  cairo_restore(cr);
  if (pose.ring > 0) {
    cairo_arc(cr, cx, cy - pose.lift, r + 1.6, 0, 2 * M_PI);
    cairo_set_line_width(cr, 2.0);
    cairo_set_source_rgba(cr, 1, 0.95, 0.6, 0.85 * pose.ring);
    cairo_stroke(cr);
  }
}

}  // namespace assetgen
