// The ball pictures: at rest and hovered, selected (jumping), the bomb's three pictures, and the
// rest animations and paint of the seven plain colours.
#include <cmath>
#include <string>

#include "assetgen/art.h"
#include "assetgen/ballart.h"

namespace assetgen {

namespace {

constexpr double kRadius = 17;
constexpr double kBombRadius = 15.5;

std::string ballFile(int n, int kind) {
  return "graphics/balls/" + std::to_string(n) + "_" + std::to_string(kind) + ".tga";
}

// Hovered, in the preview or thrown: the ball spins about its upright axis and glows a little.
BallPose hoverPose(int i, int frames) {
  const double t = 2 * M_PI * i / frames;
  BallPose pose;
  pose.markFlip = std::cos(t);
  pose.glow = 0.35 * (1 - std::cos(t));
  return pose;
}

// Selected: five hops per cycle, landing on every fifth picture when the jump sound plays.
BallPose jumpPose(int i, double height) {
  const int step = i % 5;
  BallPose pose;
  pose.lift = height * std::sin(M_PI * step / 5.0);
  if (step == 0) {
    pose.squashX = 1.1;
    pose.squashY = 0.88;
  } else if (step == 1) {
    pose.squashX = 0.95;
    pose.squashY = 1.05;
  }
  pose.ring = 0.75 + 0.25 * std::cos(2 * M_PI * i / 25);
  pose.glow = 0.25;
  return pose;
}

void writeBall(Pack& pack, int n) {
  const BallLook look = lookOfFile(n);
  const bool large = look.kind == BallKind::ColourBomb;
  const double r = look.kind == BallKind::Bomb ? kBombRadius : kRadius;
  const LoadedPicture resting(ballFile(n, 0)), selected(ballFile(n, 1));
  // The ball sits on the cell's centre in both pictures, however large the picture is.
  const double x0 = large ? 20.5 : 20, y0 = large ? 21 : 20;
  const double x1 = large ? 22 : 20, y1 = large ? 24.5 : 22;
  pack.picture("balls", resting, drawPatterns(resting, 25, 5, [&](cairo_t* cr, int i) {
                 BallPose pose = hoverPose(i, 25);
                 pose.spark = i / 5.0;
                 pose.sparkSize = 0.7;
                 paintBall(cr, x0, y0, r, look, pose);
               }));
  pack.picture("balls", selected, drawPatterns(selected, 25, 5, [&](cairo_t* cr, int i) {
                 BallPose pose = jumpPose(i, large ? 4 : 5);
                 pose.spark = i / 3.0;
                 pose.sparkSize = 0.8;
                 paintBall(cr, x1, y1, r, look, pose);
               }));
}

void writeBombs(Pack& pack) {
  const BallLook bomb = lookOfFile(22);
  const LoadedPicture bomb0("graphics/balls/bomb_0.tga");
  pack.picture("balls", bomb0, drawPatterns(bomb0, 25, 5, [&](cairo_t* cr, int i) {
                 BallPose pose;
                 pose.spark = i / 4.0;
                 pose.sparkSize = 0.6 + 0.1 * std::sin(2 * M_PI * i / 25);
                 paintBall(cr, 19, 22, kBombRadius, bomb, pose);
               }));
  const LoadedPicture bomb1("graphics/balls/bomb_1.tga");
  pack.picture("balls", bomb1, drawPatterns(bomb1, 6, 6, [&](cairo_t* cr, int i) {
                 BallPose pose;
                 pose.spark = i / 6.0;
                 pose.sparkSize = 0.9;
                 pose.glow = 0.5 + 0.3 * std::sin(2 * M_PI * i / 6);
                 paintBall(cr, 19, 26, kBombRadius, bomb, pose);
               }));
  const LoadedPicture bomb2("graphics/balls/bomb_2.tga");
  pack.picture("balls", bomb2, drawPatterns(bomb2, 6, 6, [&](cairo_t* cr, int i) {
                 BallPose pose;
                 pose.spark = i / 6.0;
                 pose.sparkSize = 1.35 + 0.25 * std::sin(2 * M_PI * i / 3);
                 pose.glow = 0.8;
                 pose.ring = 1;
                 pose.markAngle = 0.08 * std::sin(2 * M_PI * i / 6);
                 const double shake = (i % 2 ? 1.0 : -1.0) * 0.8;
                 paintBall(cr, 19 + shake, 42, kBombRadius, bomb, pose);
               }));
}

}  // namespace

void makeBalls(Pack& pack) {
  for (int n = 1; n <= 22; ++n) writeBall(pack, n);
  writeBombs(pack);
}

}  // namespace assetgen
