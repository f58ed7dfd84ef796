// Panel pictures: the title plate, the high-score headings, the options rows and bar, the
// full-screen switch, the dialog box and the two faces of the game-over dialogs.
#include <cmath>
#include <string>

#include "assetgen/art.h"
#include "assetgen/ballart.h"
#include "assetgen/theme.h"

namespace assetgen {

namespace {

using namespace theme;

void titlePlate(cairo_t* cr) {
  panel(cr, 6, 0, 248, 30, 15, rgb(0x26306A, 0.96));
  // A gold rule with the seven colours as jewels under the ribbon.
  cairo_move_to(cr, 30, 43);
  cairo_line_to(cr, 230, 43);
  cairo_set_line_width(cr, 1.2);
  setColour(cr, kGold.withAlpha(0.8));
  cairo_stroke(cr);
  for (int k = 0; k < 7; ++k) {
    BallPose pose;
    pose.shadow = 0;
    paintBall(cr, 130 + (k - 3) * 13, 43, 4.2, {BallKind::Plain, k + 1, 0, 0}, pose);
  }
}

// The texts of the high-score heading in one language, at the sizes that fit.
struct HeadingTexts {
  std::string modes[3];
  TextStyle modeStyles[3];
  std::string bestTen;
  TextStyle bestTenStyle;
  bool own = false;  // drawn for this language: English, or a text translated
};

HeadingTexts headingTexts(const Lettering& letters) {
  static const char* keys[] = {"Kids", "Normal", "Professional"};
  const Language& language = letters.language();
  Canvas measure(8, 8);
  HeadingTexts texts;
  texts.own = language.isEnglish() || !language.keepsEnglish("HighScores.BestTen", "THE BEST TEN");
  for (int mode = 0; mode < 3; ++mode) {
    const TextStyle style{Face::SansBold, mode == 2 ? 28.0 : 30.0};
    const std::string key = std::string("HighScores.") + keys[mode];
    texts.own = texts.own || !language.keepsEnglish(key, keys[mode]);
    texts.modes[mode] = language.text(
        key, keys[mode], roomLine(style, 290, "Heading of the best ten of a mode, in gold"));
    texts.modeStyles[mode] = letters.fitted(measure.cr(), style, key, texts.modes[mode], 290, 0.7);
  }
  const TextStyle spaced{Face::SansBold, 11, true};
  texts.bestTen =
      language.text("HighScores.BestTen", "THE BEST TEN",
                    roomLine(spaced, 168,
                             "Under a mode's name, between its stars, in capitals where the "
                             "language has them"));
  texts.bestTenStyle =
      letters.fitted(measure.cr(), spaced, "HighScores.BestTen", texts.bestTen, 168);
  return texts;
}

void modeHeading(cairo_t* cr, const Lettering& letters, const HeadingTexts& texts, int mode) {
  panel(cr, 36, 12, 308, 78, 16, rgb(0x1C2452, 0.94));
  goldText(cr, letters, texts.modes[mode], 190, 40, texts.modeStyles[mode]);
  letters.centred(cr, texts.bestTenStyle, texts.bestTen, 190, 72);
  setColour(cr, kText.withAlpha(0.85));
  cairo_fill(cr);
  // One, two or three stars beside the caption show the level of play.
  for (int k = 0; k <= mode; ++k) {
    for (double side : {-1.0, 1.0}) {
      const double x = 190 + side * (100 + k * 16), y = 71;
      cairo_save(cr);
      cairo_translate(cr, x, y);
      for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5, rr = i % 2 ? 2.8 : 6.5;
        if (i == 0)
          cairo_move_to(cr, rr * std::cos(a), rr * std::sin(a));
        else
          cairo_line_to(cr, rr * std::cos(a), rr * std::sin(a));
      }
      cairo_close_path(cr);
      setColour(cr, kGold);
      cairo_fill(cr);
      cairo_restore(cr);
    }
  }
}

void speakerIcon(cairo_t* cr, double x, double y, bool music) {
  setColour(cr, kGold);
  if (music) {
    // Two quavers joined by a beam.
    cairo_arc(cr, x + 3, y + 8, 3.6, 0, 2 * M_PI);
    cairo_arc(cr, x + 15, y + 6, 3.6, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_rectangle(cr, x + 5.4, y - 8, 2, 16);
    cairo_rectangle(cr, x + 17.4, y - 10, 2, 16);
    cairo_fill(cr);
    cairo_move_to(cr, x + 5.4, y - 8);
    cairo_line_to(cr, x + 19.4, y - 10);
    cairo_line_to(cr, x + 19.4, y - 6);
    cairo_line_to(cr, x + 5.4, y - 4);
    cairo_close_path(cr);
    cairo_fill(cr);
    return;
  }
  cairo_move_to(cr, x, y - 4);
  cairo_line_to(cr, x + 5, y - 4);
  cairo_line_to(cr, x + 11, y - 10);
  cairo_line_to(cr, x + 11, y + 10);
  cairo_line_to(cr, x + 5, y + 4);
  cairo_line_to(cr, x, y + 4);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_set_line_width(cr, 1.8);
  for (int k = 1; k <= 2; ++k) {
    cairo_arc(cr, x + 12, y, 4.5 * k, -0.8, 0.8);
    cairo_stroke(cr);
  }
}

// A label of the options panel in one language, at the size that fits its room.
struct Label {
  std::string text;
  TextStyle style;
  bool own = false;  // drawn for this language: English, or translated
};

Label label(const Lettering& letters, const std::string& key, const std::string& english,
            double room, const std::string& where) {
  const TextStyle style{Face::SansBold, 16};
  Canvas measure(8, 8);
  const std::string text = letters.language().text(key, english, roomLine(style, room, where));
  const Language& language = letters.language();
  return {text, letters.fitted(measure.cr(), style, key, text, room),
          language.isEnglish() || !language.keepsEnglish(key, english)};
}

// One volume row: label left, the bar's trough from x 160 to 354, room for the arrows either side.
void soundRow(cairo_t* cr, const Lettering& letters, const Label& label, int pattern) {
  const bool music = pattern == 1;
  panel(cr, 2, 2, 401, 40, 14, rgb(0x1C2452, 0.94));
  speakerIcon(cr, 14, 20, music);
  letters.at(cr, label.style, label.text, 44, 26);
  setColour(cr, kText);
  cairo_fill(cr);
  well(cr, 158, 9, 198, 20, 5);
}

void volumeBar(cairo_t* cr, int pattern) {
  if (pattern == 0) return;  // the game draws only the filled bar
  roundedRect(cr, 0.5, 0.5, 193, 13, 4);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 14);
  cairo_pattern_add_color_stop_rgb(g, 0, 1, 1, 1);
  cairo_pattern_add_color_stop_rgb(g, 0.5, 0.86, 0.86, 0.86);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.6, 0.6, 0.6);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // Tick marks every tenth, so the level reads without colour.
  for (int k = 1; k < 10; ++k) {
    cairo_rectangle(cr, k * 19.4 - 0.5, 2, 1, 10);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
    cairo_fill(cr);
  }
}

void fullScreenSwitch(cairo_t* cr, const Lettering& letters, const Label& label, int on) {
  // The box fills the click area (411..433, 362..383 on screen, drawn at 410, 360).
  roundedRect(cr, 2, 3, 20, 20, 4);
  cairo_set_source_rgba(cr, 0.05, 0.05, 0.05, 0.75);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 2);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_stroke(cr);
  if (on) {
    cairo_move_to(cr, 6, 13);
    cairo_line_to(cr, 10.5, 18);
    cairo_line_to(cr, 18.5, 7);
    cairo_set_line_width(cr, 3.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
  }
  letters.at(cr, label.style, label.text, 32, 19);
  cairo_set_line_width(cr, 2.5);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
  cairo_stroke_preserve(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill(cr);
}

void dialogBox(cairo_t* cr) {
  panel(cr, 4, 4, 435, 281, 22, rgb(0x18204A, 0.97));
  // Header band with a row of balls; the caption sits below it at y 70 of the box.
  cairo_save(cr);
  roundedRect(cr, 6, 6, 431, 50, 20);
  cairo_clip(cr);
  cairo_pattern_t* band = cairo_pattern_create_linear(0, 6, 0, 56);
  cairo_pattern_add_color_stop_rgba(band, 0, 0.35, 0.42, 0.9, 0.55);
  cairo_pattern_add_color_stop_rgba(band, 1, 0.2, 0.25, 0.6, 0.15);
  cairo_set_source(cr, band);
  cairo_paint(cr);
  cairo_pattern_destroy(band);
  cairo_restore(cr);
  for (int k = 0; k < 7; ++k) {
    BallPose pose;
    paintBall(cr, 221.5 + (k - 3) * 26, 31, 9, {BallKind::Plain, k + 1, 0, 0}, pose);
  }
  cairo_move_to(cr, 24, 60);
  cairo_line_to(cr, 419, 60);
  cairo_set_line_width(cr, 1);
  setColour(cr, kGold.withAlpha(0.6));
  cairo_stroke(cr);
  // A darker field behind the text lines and a ledge for the two buttons.
  well(cr, 20, 64, 403, 120, 12);
  cairo_move_to(cr, 24, 183);
  cairo_line_to(cr, 419, 183);
  cairo_set_line_width(cr, 0);
  cairo_stroke(cr);
}

// A ball of the mood's colour whose mark is covered by a face-coloured disc.
void faceBall(cairo_t* cr, double cx, double cy, double r, bool happy) {
  BallPose pose;
  paintBall(cr, cx, cy, r, {BallKind::Plain, happy ? 4 : 3, 0, 0}, pose);
  cairo_save(cr);
  cairo_arc(cr, cx, cy, r * 0.8, 0, 2 * M_PI);
  cairo_clip(cr);
  const Colour skin = ballColour(happy ? 4 : 3);
  cairo_pattern_t* g = cairo_pattern_create_radial(cx - 0.2 * r, cy - 0.3 * r, 0, cx, cy, r * 0.8);
  cairo_pattern_add_color_stop_rgb(g, 0, skin.lighter(0.3).r, skin.lighter(0.3).g,
                                   skin.lighter(0.3).b);
  cairo_pattern_add_color_stop_rgb(g, 1, skin.r, skin.g, skin.b);
  cairo_set_source(cr, g);
  cairo_paint(cr);
  cairo_pattern_destroy(g);
  cairo_restore(cr);
}

// Closed, laughing eyes and a wide open mouth that opens and closes.
void laughingFeatures(cairo_t* cr, double cx, double cy, double r, int frame) {
  const double squint = frame % 2 ? 0.06 * r : 0;
  for (double side : {-1.0, 1.0}) {
    cairo_arc_negative(cr, cx + side * 0.32 * r, cy - 0.15 * r + squint, 0.14 * r, -0.2,
                       -M_PI + 0.2);
    cairo_stroke(cr);
  }
  const double open = frame % 2 ? 0.32 * r : 0.42 * r;
  cairo_move_to(cr, cx - 0.42 * r, cy + 0.1 * r);
  cairo_curve_to(cr, cx - 0.3 * r, cy + 0.1 * r + open * 1.4, cx + 0.3 * r,
                 cy + 0.1 * r + open * 1.4, cx + 0.42 * r, cy + 0.1 * r);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy + 0.1 * r + open * 0.85, 0.14 * r, M_PI, 2 * M_PI);
  cairo_set_source_rgb(cr, 0.95, 0.4, 0.45);
  cairo_fill(cr);
}

// Two tears on each cheek that run down in turn.
void tears(cairo_t* cr, double cx, double cy, double r, int frame) {
  for (double side : {-1.0, 1.0}) {
    for (int drop = 0; drop < 2; ++drop) {
      const double t = std::fmod(frame / 10.0 + drop * 0.5 + (side > 0 ? 0.25 : 0), 1.0);
      const double x = cx + side * (0.36 * r + t * 0.5 * r);
      const double y = cy - 0.02 * r + t * t * 0.9 * r;
      const double s = 0.07 * r * (1 + t);
      cairo_move_to(cr, x, y - 2 * s);
      cairo_curve_to(cr, x + s, y - s, x + 1.2 * s, y + s, x, y + s);
      cairo_curve_to(cr, x - 1.2 * s, y + s, x - s, y - s, x, y - 2 * s);
      cairo_set_source_rgba(cr, 0.7, 0.9, 1, 0.9 * (1 - t * 0.5));
      cairo_fill(cr);
    }
  }
}

// Sad brows, closed eyes, a trembling mouth and tears.
void cryingFeatures(cairo_t* cr, double cx, double cy, double r, int frame) {
  for (double side : {-1.0, 1.0}) {
    cairo_move_to(cr, cx + side * 0.48 * r, cy - 0.34 * r);
    cairo_line_to(cr, cx + side * 0.18 * r, cy - 0.44 * r);
    cairo_stroke(cr);
    cairo_arc(cr, cx + side * 0.32 * r, cy - 0.16 * r, 0.12 * r, 0.2, M_PI - 0.2);
    cairo_stroke(cr);
  }
  const double wobble = 0.03 * r * std::sin(frame * M_PI / 2.5);
  cairo_move_to(cr, cx - 0.26 * r, cy + 0.42 * r);
  cairo_curve_to(cr, cx - 0.1 * r, cy + 0.22 * r + wobble, cx + 0.1 * r, cy + 0.22 * r - wobble,
                 cx + 0.26 * r, cy + 0.42 * r);
  cairo_stroke(cr);
  tears(cr, cx, cy, r, frame);
}

// A round face made of a ball; a happy one laughs, the other cries.
void face(cairo_t* cr, double cx, double cy, double r, bool happy, int frame) {
  faceBall(cr, cx, cy, r, happy);
  setColour(cr, rgb(0x1A1020));
  cairo_set_line_width(cr, std::max(1.6, r * 0.09));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  if (happy) {
    laughingFeatures(cr, cx, cy, r, frame);
  } else {
    cryingFeatures(cr, cx, cy, r, frame);
  }
}

// The panels' pictures that hold words, in one language; for any but English only those whose
// words it translates.
void makePanelWords(Pack& pack, const Language& language) {
  const Lettering letters(language);
  const LoadedPicture mode("graphics/high_mode.tga"), row("graphics/buttons/sound_opt.tga");
  const LoadedPicture fullScreen("graphics/buttons/fullscreen.tga");
  const HeadingTexts heading = headingTexts(letters);
  if (heading.own)
    pack.picture("panels", language, mode, drawPatterns(mode, 3, 1, [&](cairo_t* cr, int m) {
                   modeHeading(cr, letters, heading, m);
                 }));
  const Label music = label(letters, "Options.Music", "Music", 108,
                            "Label of the music volume row, before its bar");
  const Label effects = label(letters, "Options.Effects", "Effects", 108,
                              "Label of the sound effects' volume row, before its bar");
  if (music.own || effects.own)
    pack.picture("panels", language, row, drawPatterns(row, 2, 1, [&](cairo_t* cr, int p) {
                   soundRow(cr, letters, p == 1 ? music : effects, p);
                 }));
  const Label full = label(letters, "Options.FullScreen", "Full screen", 210,
                           "Label beside the full-screen check box; it takes effect at the "
                           "next start");
  if (full.own)
    pack.picture("panels", language, fullScreen,
                 drawPatterns(fullScreen, 2, 1, [&](cairo_t* cr, int on) {
                   fullScreenSwitch(cr, letters, full, on);
                 }));
}

}  // namespace

void makePanels(Pack& pack, const Language& language) {
  makePanelWords(pack, language);
  if (!language.isEnglish()) return;
  const LoadedPicture title("graphics/element_headtext_gamezone.tga");
  const LoadedPicture bar("graphics/buttons/sound_opt_g.tga"), box("graphics/inform.tga");
  const LoadedPicture laugh("graphics/lau.tga"), cry("graphics/cry.tga");
  pack.picture("panels", title,
               drawPatterns(title, 1, 1, [](cairo_t* cr, int) { titlePlate(cr); }));
  pack.picture("panels", bar, drawPatterns(bar, 2, 1, volumeBar));
  pack.picture("panels", box, drawPatterns(box, 1, 1, [](cairo_t* cr, int) { dialogBox(cr); }));
  pack.picture("panels", laugh, drawPatterns(laugh, 2, 2, [](cairo_t* cr, int i) {
                 face(cr, 30, 29, 25, true, i);
               }));
  pack.picture("panels", cry, drawPatterns(cry, 10, 2, [](cairo_t* cr, int i) {
                 face(cr, 42, 40, 34, false, i);
               }));
}

}  // namespace assetgen
