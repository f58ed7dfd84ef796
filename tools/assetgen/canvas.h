// Cairo drawing surfaces, the DejaVu fonts, and straight-alpha pictures cut into pattern grids.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace assetgen {

// A colour with straight (not premultiplied) components in 0..1.
struct Colour {
  double r = 0, g = 0, b = 0, a = 1;
  Colour mix(const Colour& other, double t) const;
  Colour lighter(double t) const { return mix({1, 1, 1, a}, t); }
  Colour darker(double t) const { return mix({0, 0, 0, a}, t); }
  Colour withAlpha(double alpha) const { return {r, g, b, alpha}; }
};
Colour rgb(std::uint32_t hex, double alpha = 1.0);
void setColour(cairo_t* cr, const Colour& c);

// A picture with straight alpha, rows top first, four bytes per pixel: blue, green, red, alpha.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgra;
};

// An ARGB32 cairo surface with its context; owns both.
class Canvas {
 public:
  Canvas(int width, int height);
  cairo_t* cr() const { return context_.get(); }
  cairo_surface_t* surface() const { return surface_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  // Un-premultiplies the surface into a straight-alpha picture.
  Picture picture() const;
  void writePng(const std::string& path) const;

 private:
  int width_;
  int height_;
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface_;
  std::unique_ptr<cairo_t, decltype(&cairo_destroy)> context_;
};

// Turns a straight-alpha picture back into a cairo surface (for contact sheets and composition).
std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surfaceOf(const Picture& p);

enum class Face { Sans, SansBold, SansCondensedBold, SerifBold, SansOblique, SansBoldOblique };
// Selects one of the DejaVu faces on a context at a pixel size.
void useFont(cairo_t* cr, Face face, double size);
// Whether the face has a glyph of its own for the code point.
bool hasCharacter(Face face, std::uint32_t character);

// Draws `count` patterns of w x h into a grid of `columns` columns; draw(cr, index) sees the
// pattern's own coordinates, clipped to it.
using PatternPainter = std::function<void(cairo_t*, int)>;
Picture drawPatterns(int w, int h, int count, int columns, const PatternPainter& draw);

// Common shapes.
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
// Adds the outline of `text` centred on (cx, cy) to the current path.
void centredTextPath(cairo_t* cr, const std::string& text, double cx, double cy);
double textWidth(cairo_t* cr, const std::string& text);

}  // namespace assetgen
