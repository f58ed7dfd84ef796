// The instruction pages: moving, lines and scoring, special balls, bombs, modes and scores, keys
// with undo and the hint; pictures made from the game's own balls and tiles.
#include <cmath>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "assetgen/art.h"
#include "assetgen/ballart.h"
#include "assetgen/theme.h"
#include "assets/texture_table.h"

namespace assetgen {

namespace {

using namespace theme;

// The page is drawn after the title plate and the buttons, so its top and bottom stay clear.
constexpr double kTop = 54, kBottom = 404, kLeft = 8, kWidth = 451;
// The lowest a line of text may reach on the page.
constexpr double kTextBottom = kBottom - 8;

// One page being drawn in one language. A language whose texts run long draws the page again
// with its letters a little smaller (`scale`); English is always drawn at its own size.
struct Page {
  cairo_t* cr;
  const Lettering& letters;
  std::string name;   // the page's part of its texts' keys: "Help.<name>.<text>"
  std::string where;  // the page as translators see it: "Instructions page 2"
  double scale = 1;
  bool fits = true;  // every text stayed in its room

  const Language& language() const { return letters.language(); }
  std::string key(const std::string& text) const { return "Help." + name + "." + text; }
};

void pageFrame(Page& page, const std::string& heading) {
  cairo_t* cr = page.cr;
  panel(cr, kLeft, kTop, kWidth, kBottom - kTop, 18, rgb(0x141B3E, 0.96));
  const TextStyle style{Face::SansBold, 21};
  const std::string key = page.key("Title");
  Canvas measure(8, 8);
  const std::string title =
      page.language().text(key, heading, roomLine(style, 420, page.where + ": its heading"));
  goldText(cr, page.letters, title, 233.5, kTop + 24,
           page.letters.fitted(measure.cr(), style, key, title, 420, 0.75));
}

// What a paragraph's translators are told about its room.
std::string paragraphRoom(const Page& page, const TextStyle& style, const std::string& english,
                          double width) {
  Canvas measure(8, 8);
  const std::size_t lines = page.letters.wrap(measure.cr(), style, english, width).size();
  return page.where + "\nlines of at most " + std::to_string(int(width)) + " px in " +
         std::to_string(int(style.size)) + " px " + (style.face == Face::Sans ? "" : "bold ") +
         "letters; the English takes " + std::to_string(lines) + (lines == 1 ? " line" : " lines") +
         ". A page whose texts run long gets slightly smaller letters.";
}

// Word-wrapped text from (x, y) within `width`, its lines above `limit`; returns the y after the
// last line.
double paragraph(Page& page, const std::string& name, const std::string& english, double x,
                 double y, double width, double size = 13, Face face = Face::Sans,
                 const Colour& colour = kText, double limit = kTextBottom) {
  cairo_t* cr = page.cr;
  const TextStyle style{face, size * page.scale};
  const std::string text =
      page.language().isEnglish()
          ? page.language().text(page.key(name), english,
                                 paragraphRoom(page, {face, size}, english, width))
          : page.language().text(page.key(name), english, {});
  page.letters.drawable(cr, style, page.key(name), text);
  for (const std::string& line : page.letters.wrap(cr, style, text, width)) {
    page.letters.at(cr, style, line, x, y);
    setColour(cr, colour);
    cairo_fill(cr);
    y += style.size * 1.38;
  }
  if (y - style.size * 1.08 > limit) page.fits = false;
  return y;
}

void ball(cairo_t* cr, double x, double y, int file, double r = 15) {
  paintBall(cr, x, y, r, lookOfFile(file), {});
}

void tileAt(cairo_t* cr, double x, double y, double size, int kind) {
  roundedRect(cr, x, y, size - 2, size - 2, 5);
  cairo_set_source_rgba(cr, 0.12, 0.16, 0.32, 1);
  cairo_fill_preserve(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.12);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  if (kind == 1) {
    roundedRect(cr, x + 1, y + 1, size - 4, size - 4, 5);
    cairo_set_source_rgba(cr, 0.3, 0.95, 0.85, 0.25);
    cairo_fill(cr);
    cairo_arc(cr, x + size / 2 - 1, y + size / 2 - 1, 3.5, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0.75, 1, 0.95, 0.9);
    cairo_fill(cr);
  }
}

void pageMoving(Page& page) {
  cairo_t* cr = page.cr;
  pageFrame(page, "Moving the balls");
  // A small board: a ball, its path round an obstacle, and the ghost at the target.
  const double ox = 60, oy = 98, s = 38;
  const int path[][2] = {{1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}, {4, 2}, {5, 2}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 8; ++x) {
      bool onPath = false;
      for (auto& p : path) onPath |= p[0] == x && p[1] == y;
      tileAt(cr, ox + x * s, oy + y * s, s, onPath ? 1 : 0);
    }
  ball(cr, ox + 18, oy + 18, 3, 14);
  ball(cr, ox + 2 * s + 18, oy + s + 18, 1, 14);
  ball(cr, ox + 4 * s + 18, oy + s + 18, 5, 14);
  ball(cr, ox + 6 * s + 18, oy + 2 * s + 18, 2, 14);
  cairo_push_group(cr);
  ball(cr, ox + 5 * s + 18, oy + 2 * s + 18, 3, 14);
  cairo_pop_group_to_source(cr);
  cairo_paint_with_alpha(cr, 0.35);
  double y = 230;
  y = paragraph(
      page, "Move",
      "Press on a ball and drag it to an empty cell, or click the ball and then the cell. "
      "It rolls there along free cells, up, down, left and right, never diagonally.",
      28, y, 411);
  y = paragraph(page, "Path",
                "Glowing cells show the way; a red cross means no way through. A right click lets "
                "go of the selected ball.",
                28, y + 6, 411);
  paragraph(page, "Drop",
            "After every move that makes no line, new balls drop onto the board. The tray under "
            "the board shows which ones come next.",
            28, y + 6, 411);
}

void pageLines(Page& page) {
  cairo_t* cr = page.cr;
  pageFrame(page, "Lines and points");
  for (int k = 0; k < 5; ++k) ball(cr, 60 + k * 36, 122, 4);
  for (int k = 0; k < 5; ++k) ball(cr, 320 + k * 22, 96 + k * 14, 6, 10);
  goldText(cr, "+50", 256, 122, 17);
  double y = 176;
  y = paragraph(
      page, "Lines",
      "Five or more balls of one colour in a row, a column or a diagonal vanish and score. "
      "Lining up balls wins you another move with no new balls.",
      28, y, 411);
  y = paragraph(page, "Points",
                "5 balls score 50, 6 score 70, 7 score 90: each extra ball adds 20.", 28, y + 6,
                411, 13, Face::SansBold, kGold);
  y = paragraph(
      page, "Chain",
      "Chain bonus: make lines in moves one after another. The second line in a row earns "
      "its points once more as a bonus, the third twice more, and so on. A move without a "
      "line ends the chain.",
      28, y + 6, 411);
  paragraph(page, "End",
            "The game ends when new balls are due and fewer than 3 cells are free in Kids, 4 "
            "in Normal, 5 in Professional.",
            28, y + 6, 411);
}

void pageSpecials(Page& page) {
  cairo_t* cr = page.cr;
  pageFrame(page, "Special balls");
  struct Row {
    int file;
    const char* name;
    const char* text;
  };
  const Row rows[] = {
      {9, "TwoColour", "Two-colour ball: belongs to lines of either of its two colours."},
      {11, "Joker", "Joker: fits into a line of any colour."},
      {19, "Multiplier",
       "Multiplier joker: a joker that multiplies the points of its line by 3, 6 or 9."},
  };
  double y = 112;
  for (const Row& r : rows) {
    ball(cr, 52, y + 4, r.file, 16);
    if (r.file == 19) {
      ball(cr, 88, y + 4, 20, 16);
      ball(cr, 124, y + 4, 21, 16);
    }
    // Each row has its own band of the page: its text stays above the next row.
    paragraph(page, r.name, r.text, r.file == 19 ? 152 : 82, y, r.file == 19 ? 285 : 355, 13,
              Face::Sans, kText, y + 52);
    y += 62;
  }
  paragraph(page, "Marks", "Every colour has its own mark as well as its hue:", 28, 300, 411, 13,
            Face::Sans, kText, 326);
  for (int c = 1; c <= 7; ++c) ball(cr, 72 + (c - 1) * 54, 345, c, 15);
}

void pageBombs(Page& page) {
  cairo_t* cr = page.cr;
  pageFrame(page, "Bombs");
  ball(cr, 52, 120, 12, 16);
  double y = paragraph(page, "ColourBomb",
                       "Colour bomb: move it next to other balls and it paints all of them in its "
                       "colour. Lines the paint makes vanish and score.",
                       82, 110, 355);
  // The bomb with balls flying off.
  ball(cr, 52, std::max(y, 170.0) + 22, 22, 15);
  y = paragraph(page, "Bomb",
                "Bomb: move it next to other balls and it throws all of them off the board, "
                "setting off any bomb beside it. Thrown balls score nothing, but clear the way.",
                82, std::max(y, 170.0) + 12, 355, 13, Face::Sans, kText, 242);
  // The burst below keeps clear of the text's last line (the English has room to spare).
  y = std::max(y + (page.language().isEnglish() ? 0 : 18), 250.0);
  for (int k = 0; k < 3; ++k) {
    for (int j = 0; j < 3; ++j) {
      const double x = 170 + k * 40, yy = y + 10 + j * 40;
      tileAt(cr, x - 19, yy - 19, 40, 0);
      if (k == 1 && j == 1)
        ball(cr, x, yy, 22, 13);
      else if ((k + j) % 2)
        ball(cr, x + (k - 1) * 6, yy + (j - 1) * 6 - 4, 1 + (k + 2 * j) % 7, 12);
    }
  }
  // Arrows outward.
  setColour(cr, kGold);
  cairo_set_line_width(cr, 2);
  for (int a = 0; a < 8; ++a) {
    const double ang = a * M_PI / 4, cx = 210, cy = y + 50;
    cairo_move_to(cr, cx + 66 * std::cos(ang), cy + 66 * std::sin(ang));
    cairo_line_to(cr, cx + 80 * std::cos(ang), cy + 80 * std::sin(ang));
  }
  cairo_stroke(cr);
}

// A gold label in a pill at the left margin, its text's baseline at y.
void pill(Page& page, const std::string& name, const std::string& english, double y) {
  cairo_t* cr = page.cr;
  roundedRect(cr, 28, y - 13, 128, 19, 6);
  setColour(cr, rgb(0x2A3470));
  cairo_fill(cr);
  const TextStyle style{Face::SansBold, 12};
  const std::string key = page.key(name);
  const std::string label = page.language().text(
      key, english,
      roomLine(style, 120, page.where + ": a key, a mouse action or a mode, in a pill"));
  Canvas measure(8, 8);
  page.letters.centred(cr, page.letters.fitted(measure.cr(), style, key, label, 120, 0.75), label,
                       92, y - 3.5);
  setColour(cr, kGold);
  cairo_fill(cr);
}

// A row of key labels: the key in a gold pill, what it does beside it on one line.
struct KeyRow {
  const char* name;
  const char* key;
  const char* what;
};

void keyRows(Page& page, const KeyRow* rows, size_t count, double y, double pitch) {
  Canvas measure(8, 8);
  for (size_t n = 0; n < count; ++n) {
    const std::string name = rows[n].name;
    pill(page, name + ".Key", rows[n].key, y);
    if (page.language().isEnglish()) {
      page.language().text(page.key(name + ".Does"), rows[n].what,
                           roomLine({Face::Sans, 13}, 270, page.where + ": what the key does"));
      paragraph(page, name + ".Does", rows[n].what, 166, y, 270);
    } else {
      const std::string key = page.key(name + ".Does");
      const std::string does = page.language().text(key, rows[n].what, {});
      const TextStyle what{Face::Sans, 13 * page.scale};
      page.letters.at(page.cr, page.letters.fitted(measure.cr(), what, key, does, 270), does, 166,
                      y);
      setColour(page.cr, kText);
      cairo_fill(page.cr);
    }
    y += pitch;
  }
  if (y - pitch + 5 > kTextBottom) page.fits = false;
}

void pageModes(Page& page) {
  cairo_t* cr = page.cr;
  pageFrame(page, "Modes and scores");
  // What each mode starts with, drops and needs: the rules' own numbers, under two-line headings.
  struct Heading {
    const char* name;
    const char* english;
  };
  const Heading headings[3] = {{"Start", "Balls\nto start"},
                               {"Drop", "New balls\neach turn"},
                               {"Need", "Free cells\nneeded"}};
  struct ModeRow {
    const char* name;
    const char* mode;
    const char* numbers[3];
  };
  const ModeRow modes[] = {{"KidsName", "Kids", {"3", "2", "3"}},
                           {"NormalName", "Normal", {"6", "3", "4"}},
                           {"ProfessionalName", "Professional", {"9", "4", "5"}}};
  const double columns[3] = {220, 305, 390};
  double y = 104;
  const TextStyle headingStyle{Face::SansBold, 11};
  Canvas measure(8, 8);
  std::string keys[3], lines[3][2];
  for (int c = 0; c < 3; ++c) {
    keys[c] = page.key(headings[c].name);
    const std::string text = page.language().text(
        keys[c], headings[c].english,
        page.where +
            ": a heading of the modes' table, over a column of numbers\ntwo lines of "
            "at most 80 px in 11 px bold letters (about 10 Latin letters each)");
    const std::size_t end = text.find('\n');
    lines[c][0] = text.substr(0, end);
    lines[c][1] = end == std::string::npos ? std::string() : text.substr(end + 1);
  }
  for (int line = 0; line < 2; ++line) {
    for (int c = 0; c < 3; ++c) {
      const std::string& part = lines[c][line];
      page.letters.centred(cr, page.letters.fitted(measure.cr(), headingStyle, keys[c], part, 80),
                           part, columns[c], y + line * 13);
    }
  }
  setColour(cr, kGold);
  cairo_fill(cr);
  y += 2 * 13 + 16;
  for (const ModeRow& row : modes) {
    pill(page, row.name, row.mode, y);
    useFont(cr, Face::SansBold, 13);
    for (int c = 0; c < 3; ++c) centredTextPath(cr, row.numbers[c], columns[c], y - 3.5);
    setColour(cr, kText);
    cairo_fill(cr);
    y += 25;
  }
  y = paragraph(page, "Drops",
                "New balls come after every move that makes no line, fewer of them on a crowded "
                "board. The game ends when new balls are due and fewer cells are free than the "
                "mode needs.",
                28, y + 4, 411);
  y = paragraph(page, "Kinds",
                "Kids has many two-colour balls and no bombs, Normal every kind of special ball, "
                "Professional all seven colours.",
                28, y + 6, 411);
  paragraph(page, "Tables",
            "Each mode keeps a table of its ten best scores: beat one and type your name. A game "
            "that has scored is kept when you leave and offered again at the next start.",
            28, y + 6, 411);
}

void pageKeys(Page& page) {
  pageFrame(page, "Keys, undo and hint");
  double y = 110;
  y = paragraph(page, "Undo",
                "Undo: Ctrl+Z, Backspace or a click on \"Undo\" above the score takes your last "
                "move back with its points. The same move then brings the same balls.",
                28, y, 411);
  y = paragraph(page, "Hint",
                "Hint: H marks a move that makes a line, or tells you that no single move makes "
                "one.",
                28, y + 4, 411);
  const KeyRow keys[] = {{"Arrows", "Arrow keys", "move the cursor on the board"},
                         {"Space", "Space, Enter", "pick up the ball there, or move it there"},
                         {"Escape", "Escape", "let go of the ball; on a panel, go back"},
                         {"Tab", "Tab, Shift+Tab", "go from button to button; Enter presses"},
                         {"F2", "F2", "new game"},
                         {"YN", "Y, N", "answer the question shown"},
                         {"AltEnter", "Alt+Enter", "full screen or window, from the next start"}};
  keyRows(page, keys, std::size(keys), y + 18, 23);
}

}  // namespace

void makeHelpPages(Pack& pack, const Language& language) {
  void (*pages[])(Page&) = {pageMoving, pageLines, pageSpecials, pageBombs, pageModes, pageKeys};
  const char* names[] = {"Moving", "Lines", "Specials", "Bombs", "Modes", "Keys"};
  static_assert(std::size(pages) == marblix::HelpPageCount);
  const Lettering letters(language);
  for (int n = 0; n < marblix::HelpPageCount; ++n) {
    const LoadedPicture loaded("graphics/help" + std::to_string(n) + ".tga");
    const std::string where = "Instructions page " + std::to_string(n + 1);
    // A language whose texts run long gets its page again with smaller letters.
    for (double scale = 1;; scale -= 0.04) {
      Page page{nullptr, letters, names[n], where, scale};
      const Picture picture = drawPatterns(loaded, 1, 1, [&](cairo_t* cr, int) {
        page.cr = cr;
        pages[n](page);
      });
      const bool last = language.isEnglish() || scale < 0.8;
      if (!page.fits && !last) continue;
      if (!page.fits)
        language.misfit({"Help." + std::string(names[n]), where,
                         "does not fit: its texts run past the page even with smaller letters"});
      pack.picture("help", language, loaded, picture);
      break;
    }
  }
}

}  // namespace assetgen
