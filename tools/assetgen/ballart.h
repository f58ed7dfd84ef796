// Painting the game's balls: the seven colours with their marks, two-colour balls, jokers,
// colour bombs and the bomb, in any pose of their animations.
#pragma once

#include <cairo.h>

#include "assetgen/canvas.h"

namespace assetgen {

enum class BallKind { Plain, TwoColour, Joker, ColourBomb, Multiplier, Bomb };

struct BallLook {
  BallKind kind = BallKind::Plain;
  int colour = 1;      // 1..7: plain, colour bomb, first colour of a two-colour ball
  int second = 0;      // second colour of a two-colour ball
  int multiplier = 0;  // 3, 6 or 9
};

// The look of ball file number n (1..22), as the game numbers its pictures.
BallLook lookOfFile(int n);

struct BallPose {
  double squashX = 1, squashY = 1;  // body scale, about the ball's bottom
  double markAngle = 0;             // turn of the mark, radians
  double markFlip = 1;              // -1..1: horizontal scale of the mark (a spin about the axis)
  double glow = 0;                  // 0..1 rim light
  double sparkle = 0;               // 0..1 twinkle on the highlight
  double lift = 0;                  // pixels above the ground (the shadow stays)
  double spark = 0;                 // phase of the fuse spark (bombs)
  double sparkSize = 1;             // size of the fuse spark
  double ring = 0;                  // 0..1 selection ring
  double shadow = 1;                // strength of the ground shadow
};

Colour ballColour(int colour);
// Draws the mark of a colour centred on (0, 0) with half-size s, as a path.
void markPath(cairo_t* cr, int colour, double s);
// The ball with its centre at rest on (cx, cy), radius r.
void paintBall(cairo_t* cr, double cx, double cy, double r, const BallLook& look,
               const BallPose& pose);
// The soft ground shadow under a ball resting with centre (cx, cy) and radius r.
void paintShadow(cairo_t* cr, double cx, double cy, double r, double lift);

}  // namespace assetgen
