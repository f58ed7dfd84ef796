// Panels, wells, gold lettering and the night-sky backdrop shared by every screen picture.
#include "assetgen/theme.h"

#include <cmath>
#include <string>

namespace assetgen::theme {

void panel(cairo_t* cr, double x, double y, double w, double h, double radius, const Colour& fill) {
  // Drop shadow.
  roundedRect(cr, x + 2, y + 4, w, h, radius);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  cairo_fill(cr);
  roundedRect(cr, x, y, w, h, radius);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
  cairo_pattern_add_color_stop_rgba(g, 0, fill.r * 1.35, fill.g * 1.35, fill.b * 1.35, fill.a);
  cairo_pattern_add_color_stop_rgba(g, 1, fill.r * 0.8, fill.g * 0.8, fill.b * 0.8, fill.a);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_pattern_t* rim = cairo_pattern_create_linear(0, y, 0, y + h);
  cairo_pattern_add_color_stop_rgb(rim, 0, 0.98, 0.86, 0.52);
  cairo_pattern_add_color_stop_rgb(rim, 0.5, kGold.r, kGold.g, kGold.b);
  cairo_pattern_add_color_stop_rgb(rim, 1, kGoldDark.r, kGoldDark.g, kGoldDark.b);
  cairo_set_source(cr, rim);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  cairo_pattern_destroy(rim);
  // Sheen across the top third.
  cairo_save(cr);
  roundedRect(cr, x + 2, y + 2, w - 4, h - 4, std::max(0.0, radius - 2));
  cairo_clip(cr);
  cairo_pattern_t* sheen = cairo_pattern_create_linear(0, y, 0, y + std::min(h, 40.0));
  cairo_pattern_add_color_stop_rgba(sheen, 0, 1, 1, 1, 0.12);
  cairo_pattern_add_color_stop_rgba(sheen, 1, 1, 1, 1, 0);
  cairo_set_source(cr, sheen);
  cairo_paint(cr);
  cairo_pattern_destroy(sheen);
  cairo_restore(cr);
}

void well(cairo_t* cr, double x, double y, double w, double h, double radius) {
  roundedRect(cr, x, y, w, h, radius);
  cairo_set_source_rgba(cr, 0.02, 0.03, 0.08, 0.8);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.5);
  cairo_set_source_rgba(cr, kGold.r, kGold.g, kGold.b, 0.55);
  cairo_stroke(cr);
  cairo_save(cr);
  roundedRect(cr, x, y, w, h, radius);
  cairo_clip(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + 8);
  cairo_pattern_add_color_stop_rgba(g, 0, 0, 0, 0, 0.6);
  cairo_pattern_add_color_stop_rgba(g, 1, 0, 0, 0, 0);
  cairo_set_source(cr, g);
  cairo_paint(cr);
  cairo_pattern_destroy(g);
  cairo_restore(cr);
}

void goldText(cairo_t* cr, const std::string& text, double cx, double cy, double size, Face face) {
  static const Language english = Language::english();
  goldText(cr, Lettering(english), text, cx, cy, {face, size});
}

void goldText(cairo_t* cr, const Lettering& letters, const std::string& text, double cx, double cy,
              const TextStyle& style) {
  const double size = style.size;
  cairo_save(cr);
  cairo_translate(cr, 1, 2);
  letters.centred(cr, style, text, cx, cy);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
  cairo_fill(cr);
  cairo_restore(cr);
  letters.centred(cr, style, text, cx, cy);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, std::max(1.5, size / 9));
  setColour(cr, kInk.withAlpha(0.9));
  cairo_stroke_preserve(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, cy - size / 2, 0, cy + size / 2);
  cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 0.95, 0.72);
  cairo_pattern_add_color_stop_rgb(g, 0.5, kGold.r, kGold.g, kGold.b);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.72, 0.5, 0.16);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

void nightSky(cairo_t* cr, int w, int h, double gx, double gy, int seed) {
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
  cairo_pattern_add_color_stop_rgb(g, 0, kNightTop.r, kNightTop.g, kNightTop.b);
  cairo_pattern_add_color_stop_rgb(g, 1, kNightBottom.r, kNightBottom.g, kNightBottom.b);
  cairo_set_source(cr, g);
  cairo_paint(cr);
  cairo_pattern_destroy(g);
  cairo_pattern_t* glow = cairo_pattern_create_radial(gx, gy, 0, gx, gy, std::max(w, h) * 0.6);
  cairo_pattern_add_color_stop_rgba(glow, 0, 0.35, 0.42, 0.85, 0.35);
  cairo_pattern_add_color_stop_rgba(glow, 1, 0.35, 0.42, 0.85, 0);
  cairo_set_source(cr, glow);
  cairo_paint(cr);
  cairo_pattern_destroy(glow);
  // Soft out-of-focus lights in the seven ball colours.
  static const std::uint32_t tints[] = {0xE8352B, 0x2DB04A, 0x2C68E8, 0xF7C417,
                                        0x9A48DA, 0x22C3D8, 0xF26BB3};
  unsigned s = unsigned(seed) * 747796405u + 2891336453u;
  auto next = [&s] {
    s = s * 1664525u + 1013904223u;
    return (s >> 8) / double(1u << 24);
  };
  for (int i = 0; i < 70; ++i) {
    const double x = next() * w, y = next() * h, r = 4 + next() * 26;
    const Colour c = rgb(tints[i % 7]);
    cairo_pattern_t* dot = cairo_pattern_create_radial(x, y, 0, x, y, r);
    const double a = 0.04 + 0.08 * next();
    cairo_pattern_add_color_stop_rgba(dot, 0, c.r, c.g, c.b, a);
    cairo_pattern_add_color_stop_rgba(dot, 0.7, c.r, c.g, c.b, a * 0.7);
    cairo_pattern_add_color_stop_rgba(dot, 1, c.r, c.g, c.b, 0);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_set_source(cr, dot);
    cairo_fill(cr);
    cairo_pattern_destroy(dot);
  }
  // A few sharp little stars.
  for (int i = 0; i < 90; ++i) {
    const double x = next() * w, y = next() * h, a = 0.15 + 0.5 * next();
    cairo_arc(cr, x, y, 0.6 + next() * 0.8, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 0.95, a);
    cairo_fill(cr);
  }
}

}  // namespace assetgen::theme
