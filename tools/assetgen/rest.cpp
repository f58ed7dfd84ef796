// The rest animations of the seven plain colours (a spin, a twinkle, a light ring, a shimmer)
// and the paint a colour bomb splashes over its neighbours.
#include <cmath>
#include <string>

#include "assetgen/art.h"
#include "assetgen/ballart.h"

namespace assetgen {

namespace {

constexpr double kRadius = 17;

std::string file(int colour, int kind) {
  return "graphics/balls/" + std::to_string(colour) + "_" + std::to_string(kind) + ".tga";
}

// The animations lie over the resting ball, so they repaint it whole but leave its shadow alone.
BallPose overlay() {
  BallPose pose;
  pose.shadow = 0;
  return pose;
}

// A cheap, fixed sequence of numbers for the paint drops.
double noise(int i) {
  const unsigned x = unsigned(i) * 2654435761u;
  return ((x >> 8) & 0xFFFF) / 65535.0;
}

void paintSplash(cairo_t* cr, int colour, int frame) {
  const BallLook look{BallKind::Plain, colour, 0, 0};
  const Colour c = ballColour(colour);
  const double cx = 20, cy = 20;
  if (frame >= 9) {
    // Covered: the ball shows its new colour, the last drops running off it.
    BallPose pose = overlay();
    pose.glow = std::max(0.0, 0.6 - (frame - 9) * 0.07);
    paintBall(cr, cx, cy, kRadius, look, pose);
  }
  const double t = frame / 17.0;
  cairo_save(cr);
  for (int k = 0; k < 7; ++k) {
    const double angle = 2 * M_PI * noise(k * 3 + colour);
    const double land = 0.05 + 0.4 * noise(k * 7 + 1);  // when the drop lands
    const double dist = 4 + 9 * noise(k * 5 + 2);
    const double x = cx + dist * std::cos(angle), y = cy + dist * std::sin(angle);
    if (t < land) {
      // Still falling in from above.
      const double fall = (land - t) / land;
      cairo_arc(cr, x + 3 * fall, y - 22 * fall, 2.2, 0, 2 * M_PI);
      setColour(cr, c.withAlpha(0.9));
      cairo_fill(cr);
      continue;
    }
    const double grow = std::min(1.0, (t - land) * 3.2);
    const double fade = frame >= 9 ? std::max(0.0, 1 - (frame - 9) / 8.0) : 1.0;
    const double rr = 3 + 10 * grow;
    cairo_arc(cr, x, y, rr, 0, 2 * M_PI);
    setColour(cr, c.withAlpha(0.92 * fade));
    cairo_fill(cr);
    cairo_arc(cr, x - rr * 0.3, y - rr * 0.35, rr * 0.35, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.45 * fade);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

void writeColour(Pack& pack, int colour) {
  const BallLook look{BallKind::Plain, colour, 0, 0};
  const auto write = [&pack, colour](int kind, int count, int columns, const PatternPainter& draw) {
    const LoadedPicture loaded(file(colour, kind));
    pack.picture("rest", loaded, drawPatterns(loaded, count, columns, draw));
  };
  // Spin: the mark turns once about the upright axis.
  write(2, 36, 9, [&](cairo_t* cr, int i) {
    BallPose pose = overlay();
    pose.markFlip = std::cos(2 * M_PI * i / 36);
    paintBall(cr, 22, 21, kRadius, look, pose);
  });
  // Twinkle: a star flashes twice on the highlight.
  write(3, 44, 11, [&](cairo_t* cr, int i) {
    BallPose pose = overlay();
    pose.sparkle = std::pow(std::max(0.0, std::sin(2 * M_PI * i / 22.0)), 2);
    paintBall(cr, 20, 20, kRadius, look, pose);
  });
  // Light ring: a ring of the ball's colour swells outward while the mark turns round.
  write(4, 54, 9, [&](cairo_t* cr, int i) {
    const double t = i / 54.0;
    BallPose pose = overlay();
    pose.markAngle = 2 * M_PI * t;
    pose.glow = std::sin(M_PI * t);
    const double ringR = kRadius + 1 + 6 * std::fmod(t * 2, 1.0);
    cairo_arc(cr, 24, 20.5, ringR, 0, 2 * M_PI);
    cairo_set_line_width(cr, 1.5);
    setColour(cr, ballColour(colour).lighter(0.5).withAlpha(0.8 * (1 - std::fmod(t * 2, 1.0))));
    cairo_stroke(cr);
    paintBall(cr, 24, 20.5, kRadius, look, pose);
  });
  // Shimmer: the two pictures differ only in the brightness of the highlight.
  write(5, 2, 2, [&](cairo_t* cr, int i) {
    BallPose pose = overlay();
    pose.sparkle = i == 0 ? 0.0 : 0.4;
    pose.glow = i == 0 ? 0.0 : 0.25;
    paintBall(cr, 20, 20, kRadius, look, pose);
  });
  write(6, 18, 9, [&](cairo_t* cr, int i) { paintSplash(cr, colour, i); });
}

}  // namespace

void makeRestAnimations(Pack& pack) {
  for (int colour = 1; colour <= 7; ++colour) writeColour(pack, colour);
}

}  // namespace assetgen
