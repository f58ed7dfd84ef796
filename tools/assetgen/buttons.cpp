// The picture buttons: normal, highlighted and pressed looks of every button of the menus,
// panels and dialogs, labels baked in.
#include <cmath>
#include <string>

#include "assetgen/art.h"
#include "assetgen/theme.h"

namespace assetgen {

namespace {

using namespace theme;

enum class Icon { None, Left, Right, Plus, Minus, Check, Cross };

struct ButtonSpec {
  const char* file;
  const char* label;
  Icon icon;
  double fontSize;
};

void iconPath(cairo_t* cr, Icon icon, double cx, double cy, double s) {
  switch (icon) {
    case Icon::Left:
      cairo_move_to(cr, cx + 0.5 * s, cy - 0.75 * s);
      cairo_line_to(cr, cx - 0.65 * s, cy);
      cairo_line_to(cr, cx + 0.5 * s, cy + 0.75 * s);
      cairo_close_path(cr);
      break;
    case Icon::Right:
      cairo_move_to(cr, cx - 0.5 * s, cy - 0.75 * s);
      cairo_line_to(cr, cx + 0.65 * s, cy);
      cairo_line_to(cr, cx - 0.5 * s, cy + 0.75 * s);
      cairo_close_path(cr);
      break;
    case Icon::Plus:
      cairo_rectangle(cr, cx - 0.2 * s, cy - 0.7 * s, 0.4 * s, 1.4 * s);
      cairo_rectangle(cr, cx - 0.7 * s, cy - 0.2 * s, 1.4 * s, 0.4 * s);
      break;
    case Icon::Minus:
      cairo_rectangle(cr, cx - 0.7 * s, cy - 0.2 * s, 1.4 * s, 0.4 * s);
      break;
    case Icon::Check:
      cairo_move_to(cr, cx - 0.8 * s, cy);
      cairo_line_to(cr, cx - 0.25 * s, cy + 0.55 * s);
      cairo_line_to(cr, cx + 0.8 * s, cy - 0.6 * s);
      break;
    case Icon::Cross:
      cairo_move_to(cr, cx - 0.55 * s, cy - 0.55 * s);
      cairo_line_to(cr, cx + 0.55 * s, cy + 0.55 * s);
      cairo_move_to(cr, cx + 0.55 * s, cy - 0.55 * s);
      cairo_line_to(cr, cx - 0.55 * s, cy + 0.55 * s);
      break;
    case Icon::None:
      break;
  }
}

// The glass body of a button; state 0 normal, 1 highlighted, 2 pressed or selected.
void buttonBody(cairo_t* cr, double w, double h, int state) {
  const double r = std::min(h / 2, 12.0);
  const double sink = state == 2 ? 1 : 0;
  roundedRect(cr, 1.5, 1.5 + sink, w - 3, h - 3.5, r);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
  if (state == 2) {
    cairo_pattern_add_color_stop_rgb(g, 0, 0.96, 0.82, 0.45);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.62, 0.44, 0.12);
  } else if (state == 1) {
    cairo_pattern_add_color_stop_rgb(g, 0, 0.36, 0.45, 0.85);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.16, 0.2, 0.48);
  } else {
    cairo_pattern_add_color_stop_rgb(g, 0, 0.22, 0.27, 0.55);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.08, 0.1, 0.26);
  }
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_set_line_width(cr, 1.5);
  setColour(cr, state == 1 ? rgb(0xFFE9A8) : kGold);
  cairo_stroke(cr);
  // Gloss over the upper half.
  cairo_save(cr);
  roundedRect(cr, 3, 3 + sink, w - 6, (h - 6) * 0.48, std::max(1.0, r - 2));
  cairo_pattern_t* gloss = cairo_pattern_create_linear(0, 3, 0, h * 0.5);
  cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, state == 2 ? 0.35 : 0.28);
  cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0.04);
  cairo_set_source(cr, gloss);
  cairo_fill(cr);
  cairo_pattern_destroy(gloss);
  cairo_restore(cr);
}

// A button's look drawn at w x h pixels, the size of its pattern.
void button(cairo_t* cr, const ButtonSpec& b, int w, int h, int state) {
  buttonBody(cr, w, h, state);
  const double sink = state == 2 ? 1 : 0;
  const Colour ink = state == 2 ? rgb(0x2A1B04) : (state == 1 ? rgb(0xFFFFFF) : kText);
  const std::string label = b.label;
  double iconSize = b.label[0] ? h * 0.26 : h * 0.3;
  double textShift = 0;
  const int midX = w / 2, midY = h / 2;  // the whole pixel the button is centred on
  if (b.icon != Icon::None && !label.empty()) {
    useFont(cr, Face::SansBold, b.fontSize);
    const double tw = textWidth(cr, label);
    const double gap = iconSize * 2.4;
    const bool iconRight = b.icon == Icon::Right;
    const double ix = iconRight ? midX + tw / 2 + gap / 2 - iconSize * 0.3
                                : midX - tw / 2 - gap / 2 + iconSize * 0.3;
    textShift = iconRight ? -gap / 2 + iconSize * 0.3 : gap / 2 - iconSize * 0.3;
    iconPath(cr, b.icon, ix, midY + sink - 0.5, iconSize);
  } else if (b.icon != Icon::None) {
    iconPath(cr, b.icon, midX, midY + sink - 0.5, iconSize);
  }
  const bool stroked = b.icon == Icon::Check || b.icon == Icon::Cross;
  if (stroked) {
    cairo_set_line_width(cr, std::max(2.5, iconSize * 0.45));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setColour(cr, b.icon == Icon::Check ? rgb(state == 2 ? 0x1E5A12 : 0x7CF27C)
                                        : rgb(state == 2 ? 0x6A1208 : 0xFF8A7A));
    cairo_stroke(cr);
  } else {
    setColour(cr, ink);
    cairo_fill(cr);
  }
  if (!label.empty()) {
    useFont(cr, Face::SansBold, b.fontSize);
    centredTextPath(cr, label, midX + textShift, midY + sink - 0.5);
    if (state != 2) {
      cairo_save(cr);
      cairo_set_line_width(cr, 2.2);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      setColour(cr, kInk.withAlpha(0.7));
      cairo_stroke_preserve(cr);
      cairo_restore(cr);
    }
    setColour(cr, ink);
    cairo_fill(cr);
  }
  if (state == 1) {
    // The highlighted look also carries a light border so it shows without colour vision.
    roundedRect(cr, 0.5, 0.5, w - 1, h - 1.5, std::min(h / 2.0, 12.0) + 1);
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgba(cr, 1, 0.95, 0.7, 0.7);
    cairo_stroke(cr);
  }
}

const ButtonSpec kButtons[] = {
    {"new game", "New game", Icon::None, 14},
    {"kids", "Kids", Icon::None, 13},
    {"normal", "Normal", Icon::None, 13},
    {"professional", "Professional", Icon::None, 13},
    {"options", "Options", Icon::None, 15},
    {"instructions", "Instructions", Icon::None, 15},
    {"high scores", "High scores", Icon::None, 15},
    {"exit", "Exit", Icon::None, 15},
    {"high_mode_l", "", Icon::Left, 0},
    {"high_mode_r", "", Icon::Right, 0},
    {"back", "Back", Icon::Left, 17},
    {"clear", "Clear", Icon::Cross, 17},
    {"yes", "Yes", Icon::Check, 19},
    {"no", "No", Icon::Cross, 19},
    {"prev", "Previous", Icon::Left, 12},
    {"next", "Next", Icon::Right, 12},
    {"up", "", Icon::Plus, 0},
    {"down", "", Icon::Minus, 0},
    {"daily", "Daily challenge", Icon::None, 14},
    {"statistics", "Statistics", Icon::None, 15},
};

}  // namespace

void makeButtons(Pack& pack) {
  for (const ButtonSpec& b : kButtons) {
    const LoadedPicture loaded(std::string("graphics/buttons/") + b.file + ".tga");
    const int w = loaded.patternWidth, h = loaded.patternHeight;
    pack.picture("buttons", loaded, drawPatterns(loaded, 3, 1, [&](cairo_t* cr, int state) {
                   button(cr, b, w, h, state);
                 }));
  }
}

}  // namespace assetgen
