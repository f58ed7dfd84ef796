// The pack's shared look: night-blue velvet, warm gold trim, glassy panels.
#pragma once

#include "assetgen/canvas.h"
#include "assetgen/lettering.h"

namespace assetgen::theme {

inline const Colour kNightTop = rgb(0x1A2147);
inline const Colour kNightBottom = rgb(0x090C1C);
inline const Colour kPanel = rgb(0x121935, 0.88);
inline const Colour kGold = rgb(0xE2BC5E);
inline const Colour kGoldDark = rgb(0x8A6A22);
inline const Colour kInk = rgb(0x0A0D1A);
inline const Colour kText = rgb(0xF4EEDC);

// A gold-rimmed glass panel: dark fill, a bevelled gold edge and a soft top sheen.
void panel(cairo_t* cr, double x, double y, double w, double h, double radius,
           const Colour& fill = kPanel);
// An inset well (score, preview tray): darker, with an inner shadow.
void well(cairo_t* cr, double x, double y, double w, double h, double radius);
// Gold text with a dark outline, drawn from the current path-less state at (cx, cy) centred.
void goldText(cairo_t* cr, const std::string& text, double cx, double cy, double size,
              Face face = Face::SansBold);
// The same in a language's letters.
void goldText(cairo_t* cr, const Lettering& letters, const std::string& text, double cx, double cy,
              const TextStyle& style);
// Night-sky backdrop with a soft glow around (gx, gy) and scattered bokeh dots.
void nightSky(cairo_t* cr, int w, int h, double gx, double gy, int seed);

}  // namespace assetgen::theme
