// The game screen's pictures: cell tiles, the 800 x 600 backdrop, the corner logo, the explosion,
// the pointer sprite and the large flare.
#include <cmath>
#include <string>

#include "assetgen/art.h"
#include "assetgen/ballart.h"
#include "assetgen/theme.h"

namespace assetgen {

namespace {

using namespace theme;

void tile(cairo_t* cr) {
  roundedRect(cr, 1, 1, 49, 49, 7);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 51);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.13, 0.17, 0.33);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.07, 0.09, 0.19);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // Bevel: light top-left edge, dark bottom-right edge.
  roundedRect(cr, 1.5, 1.5, 48, 48, 6.5);
  cairo_set_line_width(cr, 1);
  cairo_pattern_t* bevel = cairo_pattern_create_linear(0, 0, 51, 51);
  cairo_pattern_add_color_stop_rgba(bevel, 0, 1, 1, 1, 0.22);
  cairo_pattern_add_color_stop_rgba(bevel, 0.5, 1, 1, 1, 0.04);
  cairo_pattern_add_color_stop_rgba(bevel, 1, 0, 0, 0, 0.5);
  cairo_set_source(cr, bevel);
  cairo_stroke(cr);
  cairo_pattern_destroy(bevel);
  // A shallow dimple where the ball rests.
  cairo_pattern_t* dimple = cairo_pattern_create_radial(25.5, 27, 4, 25.5, 26, 19);
  cairo_pattern_add_color_stop_rgba(dimple, 0, 0, 0, 0, 0.22);
  cairo_pattern_add_color_stop_rgba(dimple, 1, 0, 0, 0, 0);
  cairo_arc(cr, 25.5, 26, 19, 0, 2 * M_PI);
  cairo_set_source(cr, dimple);
  cairo_fill(cr);
  cairo_pattern_destroy(dimple);
}

void fieldPattern(cairo_t* cr, int i) {
  switch (i) {
    case 0:  // plain cell: a faint sheen over the tile
      roundedRect(cr, 3, 3, 45, 20, 6);
      cairo_set_source_rgba(cr, 1, 1, 1, 0.035);
      cairo_fill(cr);
      break;
    case 1: {  // on the path: a teal glow and a dot, readable without colour
      roundedRect(cr, 2, 2, 47, 47, 7);
      cairo_set_source_rgba(cr, 0.3, 0.95, 0.85, 0.2);
      cairo_fill_preserve(cr);
      cairo_set_line_width(cr, 2);
      cairo_set_source_rgba(cr, 0.55, 1, 0.9, 0.75);
      cairo_stroke(cr);
      cairo_arc(cr, 25.5, 25.5, 4.5, 0, 2 * M_PI);
      cairo_set_source_rgba(cr, 0.75, 1, 0.95, 0.9);
      cairo_fill(cr);
      break;
    }
    case 2: {  // unreachable: a red wash and a cross
      roundedRect(cr, 2, 2, 47, 47, 7);
      cairo_set_source_rgba(cr, 0.95, 0.2, 0.15, 0.22);
      cairo_fill_preserve(cr);
      cairo_set_line_width(cr, 2);
      cairo_set_source_rgba(cr, 1, 0.4, 0.35, 0.8);
      cairo_stroke(cr);
      cairo_move_to(cr, 17, 17);
      cairo_line_to(cr, 34, 34);
      cairo_move_to(cr, 34, 17);
      cairo_line_to(cr, 17, 34);
      cairo_set_line_width(cr, 4);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      cairo_set_source_rgba(cr, 1, 0.5, 0.45, 0.9);
      cairo_stroke(cr);
      break;
    }
    case 3:
      tile(cr);
      break;
    default:  // spare: a gold frame
      roundedRect(cr, 2, 2, 47, 47, 7);
      cairo_set_line_width(cr, 2);
      setColour(cr, kGold.withAlpha(0.85));
      cairo_stroke(cr);
      break;
  }
}

// The backdrop's two spaced-out labels in one language.
struct BoardLabels {
  std::string score, next;
  TextStyle scoreStyle, nextStyle;
  bool nextAbove = false;  // above the tray's right end, where it is too long for beside it
  bool own = false;        // drawn for this language: English, or translated
};

BoardLabels boardLabels(const Lettering& letters) {
  const Language& language = letters.language();
  const TextStyle spaced{Face::SansBold, 10, true};
  Canvas measure(8, 8);
  BoardLabels labels;
  labels.score = language.text(
      "Board.Score", "SCORE",
      roomLine(spaced, 126, "Over the score at the left, in capitals where the language has them"));
  // The word for the balls that come next stands between the daily challenge's button and the
  // tray's arrow where it fits there, else above the tray's right end, spaced out if it can be.
  constexpr double kBeside = 46, kAbove = 98;
  labels.next = language.text(
      "Board.Next", "NEXT",
      roomLine(spaced, kAbove,
               "Names the balls that come next, in the tray below the board: beside the tray "
               "where it takes at most 46 px, else above it; in capitals where the language has "
               "them"));
  labels.scoreStyle = letters.fitted(measure.cr(), spaced, "Board.Score", labels.score, 126);
  labels.nextStyle = spaced;
  if (!language.isEnglish() && letters.width(measure.cr(), spaced, labels.next) > kBeside) {
    labels.nextAbove = true;
    if (letters.width(measure.cr(), spaced, labels.next) > kAbove) labels.nextStyle.spaced = false;
  }
  labels.nextStyle = letters.fitted(measure.cr(), labels.nextStyle, "Board.Next", labels.next,
                                    labels.nextAbove ? kAbove : kBeside);
  labels.own = language.isEnglish() || !language.keepsEnglish("Board.Score", "SCORE") ||
               !language.keepsEnglish("Board.Next", "NEXT");
  return labels;
}

void backdrop(cairo_t* cr, const Lettering& letters, const BoardLabels& labels) {
  nightSky(cr, 800, 600, 530, 260, 7);
  // Left column: the menu.
  panel(cr, 56, 150, 178, 428, 16);
  well(cr, 74, 324, 138, 46, 10);
  letters.centred(cr, labels.scoreStyle, labels.score, 142, 317);
  setColour(cr, kGold.withAlpha(0.9));
  cairo_fill(cr);
  for (double y : {200.0, 377.0}) {
    cairo_move_to(cr, 76, y);
    cairo_line_to(cr, 210, y);
    cairo_set_line_width(cr, 1);
    setColour(cr, kGold.withAlpha(0.35));
    cairo_stroke(cr);
  }
  // The board: a raised gold-rimmed frame round the 9 x 9 cells.
  panel(cr, 289, 17, 486, 486, 14, rgb(0x0B1026, 0.95));
  // Mode name tab and preview tray below the board.
  panel(cr, 452, 496, 156, 30, 9, rgb(0x1A2350, 0.95));
  well(cr, 512, 529, 212, 46, 12);
  const double ink = letters.inkWidth(cr, labels.nextStyle, labels.next);
  if (letters.language().isEnglish()) {
    letters.centred(cr, labels.nextStyle, labels.next, 480, 552);
  } else if (!labels.nextAbove) {
    // Beside the tray a word ends at the arrow, however long.
    letters.centred(cr, labels.nextStyle, labels.next, 497 - ink / 2, 552);
  } else {
    letters.centred(cr, labels.nextStyle, labels.next, 711 - ink / 2, 517);
  }
  setColour(cr, kGold.withAlpha(0.9));
  cairo_fill(cr);
  if (labels.nextAbove) {
    // The arrow points down into the tray after the word.
    cairo_move_to(cr, 715, 514);
    cairo_line_to(cr, 719.5, 520);
    cairo_line_to(cr, 724, 514);
  } else {
    cairo_move_to(cr, 500, 546);
    cairo_line_to(cr, 507, 552);
    cairo_line_to(cr, 500, 558);
  }
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  // A soft halo behind the corner logo.
  cairo_pattern_t* halo = cairo_pattern_create_radial(142, 90, 0, 142, 90, 80);
  cairo_pattern_add_color_stop_rgba(halo, 0, 0.5, 0.55, 1, 0.22);
  cairo_pattern_add_color_stop_rgba(halo, 1, 0.5, 0.55, 1, 0);
  cairo_set_source(cr, halo);
  cairo_paint(cr);
  cairo_pattern_destroy(halo);
}

// The small lettering with a ball for the dot of its i; seven balls hop in below it.
void cornerLogo(cairo_t* cr, int frame) {
  const double textY = 44;
  useFont(cr, Face::SansBold, 27);
  // centredTextPath centres the ink, so find where the dotless i really stands.
  cairo_text_extents_t word, stem;
  cairo_text_extents(cr, "Marbl\xC4\xB1x", &word);
  cairo_text_extents(cr, "\xC4\xB1", &stem);
  const double width = word.width;
  const double left = 62.5 - word.width / 2 - word.x_bearing;
  const double baseline = textY - word.y_bearing - word.height / 2;
  const double iLeft = left + textWidth(cr, "Marbl");
  const double iWidth = textWidth(cr, "\xC4\xB1");
  const double dotY = baseline + stem.y_bearing - 8;
  goldText(cr, "Marbl\xC4\xB1x", 62.5, textY, 27);
  // The dot of the i drops in once the row is complete.
  const double dotT = std::clamp((frame - 26) / 6.0, 0.0, 1.0);
  if (dotT > 0) {
    const double drop = (1 - dotT) * (1 - dotT) * 30;
    BallPose pose;
    pose.shadow = 0;
    paintBall(cr, iLeft + iWidth / 2, dotY - drop, 5, {BallKind::Plain, 1, 0, 0}, pose);
  }
  for (int k = 0; k < 7; ++k) {
    const double start = k * 3.0;
    const double t = (frame - start) / 8.0;
    if (t <= 0) continue;
    const double x = 62.5 + (k - 3) * 15.5;
    const double hop = t < 1 ? std::abs(std::sin(M_PI * t * 1.5)) * (1 - t) * 14 + (1 - t) * 6 : 0;
    BallPose pose;
    pose.lift = hop;
    paintBall(cr, x, 78, 6.5, {BallKind::Plain, k + 1, 0, 0}, pose);
  }
  if (frame >= 30) {
    // A gleam runs over the lettering at the end.
    const double x = left - 20 + (frame - 30) / 7.0 * (width + 40);
    cairo_save(cr);
    useFont(cr, Face::SansBold, 27);
    centredTextPath(cr, "Marbl\xC4\xB1x", 62.5, textY);
    cairo_clip(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(x - 12, 0, x + 12, 0);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 0);
    cairo_pattern_add_color_stop_rgba(g, 0.5, 1, 1, 1, frame == 37 ? 0 : 0.8);
    cairo_pattern_add_color_stop_rgba(g, 1, 1, 1, 1, 0);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
  }
}

void explosion(cairo_t* cr) {
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
  cairo_pattern_t* core = cairo_pattern_create_radial(64, 64, 0, 64, 64, 62);
  cairo_pattern_add_color_stop_rgb(core, 0, 1, 1, 0.9);
  cairo_pattern_add_color_stop_rgb(core, 0.18, 1, 0.85, 0.4);
  cairo_pattern_add_color_stop_rgb(core, 0.45, 0.85, 0.35, 0.05);
  cairo_pattern_add_color_stop_rgb(core, 0.75, 0.3, 0.06, 0.0);
  cairo_pattern_add_color_stop_rgb(core, 1, 0, 0, 0);
  cairo_set_source(cr, core);
  cairo_paint(cr);
  cairo_pattern_destroy(core);
  cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
  for (int i = 0; i < 16; ++i) {
    const double a = i * 2 * M_PI / 16 + (i % 2) * 0.1;
    const double len = i % 2 ? 44 : 60;
    cairo_move_to(cr, 64 + 6 * std::cos(a + 1.5), 64 + 6 * std::sin(a + 1.5));
    cairo_line_to(cr, 64 + len * std::cos(a), 64 + len * std::sin(a));
    cairo_line_to(cr, 64 + 6 * std::cos(a - 1.5), 64 + 6 * std::sin(a - 1.5));
    cairo_close_path(cr);
    cairo_pattern_t* ray = cairo_pattern_create_radial(64, 64, 0, 64, 64, len);
    cairo_pattern_add_color_stop_rgba(ray, 0, 1, 0.9, 0.6, 0.6);
    cairo_pattern_add_color_stop_rgba(ray, 1, 1, 0.4, 0.1, 0);
    cairo_set_source(cr, ray);
    cairo_fill(cr);
    cairo_pattern_destroy(ray);
  }
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

void cursor(cairo_t* cr) {
  cairo_move_to(cr, 1, 1);
  cairo_line_to(cr, 1, 19);
  cairo_line_to(cr, 5.5, 15);
  cairo_line_to(cr, 9, 23);
  cairo_line_to(cr, 12, 21.8);
  cairo_line_to(cr, 8.6, 14);
  cairo_line_to(cr, 14.5, 14);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 24);
  cairo_pattern_add_color_stop_rgb(g, 0, 1, 1, 1);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.93, 0.84, 0.6);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_set_line_width(cr, 1.3);
  setColour(cr, kInk);
  cairo_stroke(cr);
}

void flare(cairo_t* cr, double cx, double cy, double r) {
  cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
  cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 1);
  cairo_pattern_add_color_stop_rgba(g, 0.12, 1, 0.95, 0.75, 0.85);
  cairo_pattern_add_color_stop_rgba(g, 0.4, 1, 0.75, 0.35, 0.25);
  cairo_pattern_add_color_stop_rgba(g, 1, 1, 0.6, 0.2, 0);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  for (int i = 0; i < 4; ++i) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, i * M_PI / 4);
    cairo_scale(cr, r, i % 2 ? 0.03 * r : 0.05 * r);
    cairo_pattern_t* streak = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(streak, 0, 1, 1, 0.95, i % 2 ? 0.5 : 0.9);
    cairo_pattern_add_color_stop_rgba(streak, 1, 1, 0.9, 0.6, 0);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_set_source(cr, streak);
    cairo_fill(cr);
    cairo_pattern_destroy(streak);
    cairo_restore(cr);
  }
}

}  // namespace

void drawFlare(cairo_t* cr, double cx, double cy, double r) {
  flare(cr, cx, cy, r);
}

void makeBoard(Pack& pack, const Language& language) {
  const LoadedPicture field("graphics/field.tga"), ingame("graphics/ingame.tga");
  const LoadedPicture corner("graphics/logo_small.tga"), explosionPicture("graphics/explosion.bmp");
  const LoadedPicture pointer("graphics/cursor.tga"), glow("graphics/bfg.tga");
  const Lettering letters(language);
  const BoardLabels labels = boardLabels(letters);
  if (labels.own)
    pack.picture("screens", language, ingame, drawPatterns(800, 600, 1, 1, [&](cairo_t* cr, int) {
                   backdrop(cr, letters, labels);
                 }));
  if (!language.isEnglish()) return;
  pack.picture("screens", field, drawPatterns(field, 5, 5, fieldPattern));
  pack.picture("screens", corner, drawPatterns(corner, 38, 8, cornerLogo));
  pack.bmp24("screens", explosionPicture,
             drawPatterns(explosionPicture, 1, 1, [](cairo_t* cr, int) { explosion(cr); }));
  pack.picture("screens", pointer,
               drawPatterns(pointer, 1, 1, [](cairo_t* cr, int) { cursor(cr); }));
  pack.picture("screens", glow,
               drawPatterns(glow, 1, 1, [](cairo_t* cr, int) { flare(cr, 85, 85, 84); }));
}

}  // namespace assetgen
