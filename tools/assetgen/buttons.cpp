// The picture buttons: normal, highlighted and pressed looks of every button of the menus,
// panels and dialogs, labels baked in.
#include <cmath>
#include <string>

#include "assetgen/art.h"
#include "assetgen/lettering.h"
#include "assetgen/theme.h"

namespace assetgen {

namespace {

using namespace theme;

enum class Icon { None, Left, Right, Plus, Minus, Check, Cross };

struct ButtonSpec {
  const char* file;
  const char* key;  // the label's key in the catalogues, after "Button."
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

// A button's look drawn at w x h pixels, the size of its pattern, with `label` in `style`.
void button(cairo_t* cr, const Lettering& letters, const ButtonSpec& b, const std::string& label,
            const TextStyle& style, int w, int h, int state) {
  buttonBody(cr, w, h, state);
  const double sink = state == 2 ? 1 : 0;
  const Colour ink = state == 2 ? rgb(0x2A1B04) : (state == 1 ? rgb(0xFFFFFF) : kText);
  double iconSize = !label.empty() ? h * 0.26 : h * 0.3;
  double textShift = 0;
  const int midX = w / 2, midY = h / 2;  // the whole pixel the button is centred on
  if (b.icon != Icon::None && !label.empty()) {
    const double tw = letters.width(cr, style, label);
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
    letters.centred(cr, style, label, midX + textShift, midY + sink - 0.5);
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

// The room a label has on its button: the width less the rims and, beside an icon, the icon.
double labelRoom(const ButtonSpec& b, int w, int h) {
  return w - 14 - (b.icon == Icon::None ? 0 : h * 0.26 * 2.4);
}

const ButtonSpec kButtons[] = {
    {"new game", "NewGame", "New game", Icon::None, 14},
    {"kids", "Kids", "Kids", Icon::None, 13},
    {"normal", "Normal", "Normal", Icon::None, 13},
    {"professional", "Professional", "Professional", Icon::None, 13},
    {"options", "Options", "Options", Icon::None, 15},
    {"instructions", "Instructions", "Instructions", Icon::None, 15},
    {"high scores", "HighScores", "High scores", Icon::None, 15},
    {"exit", "Exit", "Exit", Icon::None, 15},
    {"high_mode_l", "", "", Icon::Left, 0},
    {"high_mode_r", "", "", Icon::Right, 0},
    {"back", "Back", "Back", Icon::Left, 17},
    {"clear", "Clear", "Clear", Icon::Cross, 17},
    {"yes", "Yes", "Yes", Icon::Check, 19},
    {"no", "No", "No", Icon::Cross, 19},
    {"prev", "Previous", "Previous", Icon::Left, 12},
    {"next", "Next", "Next", Icon::Right, 12},
    {"up", "", "", Icon::Plus, 0},
    {"down", "", "", Icon::Minus, 0},
    {"daily", "Daily", "Daily challenge", Icon::None, 14},
    {"statistics", "Statistics", "Statistics", Icon::None, 15},
};

// Where each button is, for its translators.
const char* placeOf(const ButtonSpec& b) {
  const std::string file = b.file;
  if (file == "yes" || file == "no") return "Button of every question";
  if (file == "prev" || file == "next") return "Button under the instructions pages";
  if (file == "back" || file == "clear") return "Button under a panel";
  if (file == "daily") return "Button below the board, left of the balls that come next";
  if (file == "statistics") return "Button of the high-score panel that opens the statistics";
  return "Button of the menu at the left";
}

}  // namespace

void makeButtons(Pack& pack, const Language& language) {
  const Lettering letters(language);
  Canvas measure(8, 8);
  for (const ButtonSpec& b : kButtons) {
    const LoadedPicture loaded(std::string("graphics/buttons/") + b.file + ".tga");
    const int w = loaded.patternWidth, h = loaded.patternHeight;
    const bool labelled = b.label[0] != 0;
    if (!labelled && !language.isEnglish()) continue;
    const std::string key = std::string("Button.") + b.key;
    TextStyle style{Face::SansBold, b.fontSize};
    std::string label;
    if (labelled) {
      if (language.keepsEnglish(key, b.label) && !language.isEnglish()) continue;
      const double room = labelRoom(b, w, h);
      label = language.text(key, b.label, roomLine(style, room, placeOf(b)));
      style = letters.fitted(measure.cr(), style, key, label, room);
    }
    pack.picture("buttons", language, loaded,
                 drawPatterns(loaded, 3, 1, [&](cairo_t* cr, int state) {
                   button(cr, letters, b, label, style, w, h, state);
                 }));
  }
}

}  // namespace assetgen
