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

void pageFrame(cairo_t* cr, const std::string& heading) {
  panel(cr, kLeft, kTop, kWidth, kBottom - kTop, 18, rgb(0x141B3E, 0.96));
  goldText(cr, heading, 233.5, kTop + 24, 21);
}

// Word-wrapped text from (x, y) within `width`; returns the y after the last line.
double paragraph(cairo_t* cr, const std::string& text, double x, double y, double width,
                 double size = 13, Face face = Face::Sans, const Colour& colour = kText) {
  useFont(cr, face, size);
  std::istringstream words(text);
  std::string word, line;
  auto flush = [&] {
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, line.c_str());
    setColour(cr, colour);
    cairo_fill(cr);
    y += size * 1.38;
    line.clear();
  };
  while (words >> word) {
    std::string tried = line.empty() ? word : line;
    if (!line.empty()) tried.append(" ").append(word);
    if (textWidth(cr, tried) > width && !line.empty()) {
      flush();
      line = word;
    } else {
      line = tried;
    }
  }
  if (!line.empty()) flush();
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

void pageMoving(cairo_t* cr) {
  pageFrame(cr, "Moving the balls");
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
      cr,
      "Press on a ball and drag it to an empty cell, or click the ball and then the cell. "
      "It rolls there along free cells, up, down, left and right, never diagonally.",
      28, y, 411);
  y = paragraph(cr,
                "Glowing cells show the way; a red cross means no way through. A right click lets "
                "go of the selected ball.",
                28, y + 6, 411);
  paragraph(cr,
            "After every move that makes no line, new balls drop onto the board. The tray under "
            "the board shows which ones come next.",
            28, y + 6, 411);
}

void pageLines(cairo_t* cr) {
  pageFrame(cr, "Lines and points");
  for (int k = 0; k < 5; ++k) ball(cr, 60 + k * 36, 122, 4);
  for (int k = 0; k < 5; ++k) ball(cr, 320 + k * 22, 96 + k * 14, 6, 10);
  goldText(cr, "+50", 256, 122, 17);
  double y = 176;
  y = paragraph(
      cr,
      "Five or more balls of one colour in a row, a column or a diagonal vanish and score. "
      "Lining up balls wins you another move with no new balls.",
      28, y, 411);
  y = paragraph(cr, "5 balls score 50, 6 score 70, 7 score 90: each extra ball adds 20.", 28, y + 6,
                411, 13, Face::SansBold, kGold);
  y = paragraph(
      cr,
      "Chain bonus: make lines in moves one after another. The second line in a row earns "
      "its points once more as a bonus, the third twice more, and so on. A move without a "
      "line ends the chain.",
      28, y + 6, 411);
  paragraph(cr,
            "The game ends when new balls are due and fewer than 3 cells are free in Kids, 4 "
            "in Normal, 5 in Professional.",
            28, y + 6, 411);
}

void pageSpecials(cairo_t* cr) {
  pageFrame(cr, "Special balls");
  struct Row {
    int file;
    const char* text;
  };
  const Row rows[] = {
      {9, "Two-colour ball: belongs to lines of either of its two colours."},
      {11, "Joker: fits into a line of any colour."},
      {19, "Multiplier joker: a joker that multiplies the points of its line by 3, 6 or 9."},
  };
  double y = 112;
  for (const Row& r : rows) {
    ball(cr, 52, y + 4, r.file, 16);
    if (r.file == 19) {
      ball(cr, 88, y + 4, 20, 16);
      ball(cr, 124, y + 4, 21, 16);
    }
    paragraph(cr, r.text, r.file == 19 ? 152 : 82, y, r.file == 19 ? 285 : 355);
    y += 62;
  }
  paragraph(cr, "Every colour has its own mark as well as its hue:", 28, 300, 411);
  for (int c = 1; c <= 7; ++c) ball(cr, 72 + (c - 1) * 54, 345, c, 15);
}

void pageBombs(cairo_t* cr) {
  pageFrame(cr, "Bombs");
  ball(cr, 52, 120, 12, 16);
  double y = paragraph(cr,
                       "Colour bomb: move it next to other balls and it paints all of them in its "
                       "colour. Lines the paint makes vanish and score.",
                       82, 110, 355);
  // The bomb with balls flying off.
  ball(cr, 52, std::max(y, 170.0) + 22, 22, 15);
  y = paragraph(cr,
                "Bomb: move it next to other balls and it throws all of them off the board, "
                "setting off any bomb beside it. Thrown balls score nothing, but clear the way.",
                82, std::max(y, 170.0) + 12, 355);
  y = std::max(y, 250.0);
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

// A row of key labels: the key in a gold pill, what it does beside it.
struct KeyRow {
  const char* key;
  const char* what;
};

// A gold label in a pill at the left margin, its text's baseline at y.
void pill(cairo_t* cr, const char* label, double y) {
  roundedRect(cr, 28, y - 13, 128, 19, 6);
  setColour(cr, rgb(0x2A3470));
  cairo_fill(cr);
  useFont(cr, Face::SansBold, 12);
  centredTextPath(cr, label, 92, y - 3.5);
  setColour(cr, kGold);
  cairo_fill(cr);
}

void keyRows(cairo_t* cr, const KeyRow* rows, size_t count, double y, double pitch) {
  for (size_t n = 0; n < count; ++n) {
    pill(cr, rows[n].key, y);
    paragraph(cr, rows[n].what, 166, y, 270);
    y += pitch;
  }
}

void pageModes(cairo_t* cr) {
  pageFrame(cr, "Modes and scores");
  // What each mode starts with, drops and needs: the rules' own numbers.
  struct ModeRow {
    const char* mode;
    const char* numbers[3];
  };
  const char* headings[2][3] = {{"Balls", "New balls", "Free cells"},
                                {"to start", "each turn", "needed"}};
  const ModeRow modes[] = {
      {"Kids", {"3", "2", "3"}}, {"Normal", {"6", "3", "4"}}, {"Professional", {"9", "4", "5"}}};
  const double columns[3] = {220, 305, 390};
  double y = 104;
  useFont(cr, Face::SansBold, 11);
  for (const auto& line : headings) {
    for (int c = 0; c < 3; ++c) centredTextPath(cr, line[c], columns[c], y);
    y += 13;
  }
  setColour(cr, kGold);
  cairo_fill(cr);
  y += 16;
  for (const ModeRow& row : modes) {
    pill(cr, row.mode, y);
    useFont(cr, Face::SansBold, 13);
    for (int c = 0; c < 3; ++c) centredTextPath(cr, row.numbers[c], columns[c], y - 3.5);
    setColour(cr, kText);
    cairo_fill(cr);
    y += 25;
  }
  y = paragraph(cr,
                "New balls come after every move that makes no line, fewer of them on a crowded "
                "board. The game ends when new balls are due and fewer cells are free than the "
                "mode needs.",
                28, y + 4, 411);
  y = paragraph(cr,
                "Kids has many two-colour balls and no bombs, Normal every kind of special ball, "
                "Professional all seven colours.",
                28, y + 6, 411);
  paragraph(cr,
            "Each mode keeps a table of its ten best scores: beat one and type your name. A game "
            "that has scored is kept when you leave and offered again at the next start.",
            28, y + 6, 411);
}

void pageKeys(cairo_t* cr) {
  pageFrame(cr, "Keys, undo and hint");
  double y = 110;
  y = paragraph(cr,
                "Undo: Ctrl+Z, Backspace or a click on \"Undo\" above the score takes your last "
                "move back with its points. The same move then brings the same balls.",
                28, y, 411);
  y = paragraph(cr,
                "Hint: H marks a move that makes a line, or tells you that no single move makes "
                "one.",
                28, y + 4, 411);
  const KeyRow keys[] = {{"Arrow keys", "move the cursor on the board"},
                         {"Space, Enter", "pick up the ball there, or move it there"},
                         {"Escape", "let go of the ball; on a panel, go back"},
                         {"Tab, Shift+Tab", "go from button to button; Enter presses"},
                         {"F2", "new game"},
                         {"Y, N", "answer the question shown"},
                         {"Alt+Enter", "full screen or window, from the next start"}};
  keyRows(cr, keys, std::size(keys), y + 18, 23);
}

}  // namespace

void makeHelpPages(Pack& pack) {
  void (*pages[])(cairo_t*) = {pageMoving, pageLines, pageSpecials, pageBombs, pageModes, pageKeys};
  static_assert(std::size(pages) == marblix::HelpPageCount);
  for (int n = 0; n < marblix::HelpPageCount; ++n) {
    const LoadedPicture page("graphics/help" + std::to_string(n) + ".tga");
    pack.picture("help", page, drawPatterns(page, 1, 1, [&](cairo_t* cr, int) { pages[n](cr); }));
  }
}

}  // namespace assetgen
