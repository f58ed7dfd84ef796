// Composes the title, game, dialog, options, high-score and instructions screens from the pack.
#include "assetgen/preview.h"

#include <cmath>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "assetgen/ballart.h"
#include "assetgen/font.h"
#include "assets/texture_table.h"
#include "text/qz_strings.h"

namespace assetgen {

namespace {

// One screen being composed: the pictures of a language where it has its own, the root's
// otherwise, and text in the glyphs of the font maps, as the game draws them.
class Screen {
 public:
  explicit Screen(const Pack& pack, const std::string& language = {})
      : pack_(pack),
        folder_(language.empty() ? std::string() : "lang/" + language + "/"),
        canvas_(800, 600) {
    cairo_set_source_rgb(cr(), 0, 0, 0);
    cairo_paint(cr());
    readMap("graphics/font/font.map");
    if (!folder_.empty()) readMap(folder_ + "graphics/font/font.map");
  }
  cairo_t* cr() const { return canvas_.cr(); }

  void draw(const std::string& name, int pattern, double x, double y, double clipRight = 800) {
    const SheetEntry& e = entry(name);
    const int cols = std::max(1, e.picture.width / e.patternWidth);
    const int count = cols * std::max(1, e.picture.height / e.patternHeight);
    pattern = std::clamp(pattern, 0, count - 1);
    cairo_surface_t* surface = surfaceFor(e);
    cairo_save(cr());
    cairo_rectangle(cr(), x, y, std::min<double>(e.patternWidth, clipRight - x), e.patternHeight);
    cairo_clip(cr());
    const int column = pattern % cols, row = pattern / cols;
    cairo_set_source_surface(cr(), surface, x - column * e.patternWidth, y - row * e.patternHeight);
    cairo_paint(cr());
    cairo_restore(cr());
  }
  void quarters(const std::string& name) {
    for (int p = 0; p < 4; ++p) {
      const int column = p % 2, row = p / 2;
      draw(name, p, column * 400, row * 300);
    }
  }
  void centredAt(const std::string& name, int pattern, double cx, double cy) {
    const SheetEntry& e = entry(name);
    const int halfWidth = e.patternWidth / 2, halfHeight = e.patternHeight / 2;  // whole pixels
    draw(name, pattern, cx - halfWidth, cy - halfHeight);
  }

  // Text in the pack's font: glyph cells tinted by `argb` (0xAARRGGBB here), scaled by percent.
  double textWidth(const std::string& text, int percent) const {
    double w = 0;
    for (std::uint32_t c : codePoints(text)) w += std::nearbyint(advance(c) / 100.0 * percent);
    return w;
  }
  void text(const std::string& s, double x, double y, int percent, std::uint32_t argb,
            bool centred) {
    const double scale = std::nearbyint(percent * 2.56) / 256.0;
    double pen = centred ? x - std::floor(textWidth(s, percent) / 2) : x;
    for (std::uint32_t c : codePoints(s)) {
      const auto found = glyphs_.find(c);
      if (found != glyphs_.end()) glyph(found->second, pen, y, scale, argb);
      pen += percent == 100 ? advance(c) : std::nearbyint(advance(c) / 100.0 * percent);
    }
  }
  void write(const std::filesystem::path& file) const { canvas_.writePng(file.string()); }

 private:
  struct Glyph {
    const SheetEntry* sheet;
    int cellWidth, cellHeight, perRow, cell, advance;
  };

  const SheetEntry& entry(const std::string& name) const {
    const SheetEntry* own = folder_.empty() ? nullptr : pack_.lookup(folder_ + name);
    return own ? *own : pack_.find(name);
  }
  int advance(std::uint32_t c) const {
    const auto found = glyphs_.find(c);
    return found == glyphs_.end() ? kGlyphCellWidth : found->second.advance;
  }
  // A map's sheets and glyphs; a later map's glyphs take the place of the earlier ones.
  void readMap(const std::string& map) {
    std::ifstream in(pack_.dataDir() / map);
    if (!in) return;
    const std::string folder = map.substr(0, map.rfind('/') + 1);
    std::vector<Glyph> sheets;
    for (std::string line; std::getline(in, line);) {
      std::istringstream words(line);
      std::string kind, name;
      words >> kind;
      if (kind == "sheet") {
        Glyph sheet{};
        words >> name >> sheet.cellWidth >> sheet.cellHeight >> sheet.perRow;
        sheet.sheet = &pack_.find(folder + name);
        sheets.push_back(sheet);
      } else if (kind == "glyph") {
        std::string hex;
        std::size_t index = 0;
        Glyph glyph{};
        words >> hex >> index >> glyph.cell >> glyph.advance;
        if (words.fail() || index >= sheets.size()) continue;
        const int cell = glyph.cell, advance = glyph.advance;
        glyph = sheets[index];
        glyph.cell = cell;
        glyph.advance = advance;
        glyphs_[std::uint32_t(std::stoul(hex, nullptr, 16))] = glyph;
      }
    }
  }
  void glyph(const Glyph& g, double pen, double y, double scale, std::uint32_t argb) {
    cairo_surface_t* glyphs = surfaceFor(*g.sheet);
    cairo_save(cr());
    cairo_translate(cr(), pen, y);
    cairo_scale(cr(), scale, scale);
    cairo_rectangle(cr(), 0, 0, g.cellWidth, g.cellHeight);
    cairo_clip(cr());
    // Tint: paint the colour through the glyph's alpha, then keep the glyph's dark rim.
    cairo_push_group(cr());
    const int glyphX = -(g.cell % g.perRow) * g.cellWidth;
    const int glyphY = -(g.cell / g.perRow) * g.cellHeight;
    cairo_set_source_surface(cr(), glyphs, glyphX, glyphY);
    cairo_paint(cr());
    cairo_set_operator(cr(), CAIRO_OPERATOR_MULTIPLY);
    cairo_set_source_rgba(cr(), ((argb >> 16) & 255) / 255.0, ((argb >> 8) & 255) / 255.0,
                          (argb & 255) / 255.0, 1);
    cairo_paint(cr());
    cairo_pop_group_to_source(cr());
    cairo_mask_surface(cr(), glyphs, glyphX, glyphY);
    cairo_restore(cr());
  }
  cairo_surface_t* surfaceFor(const SheetEntry& e) {
    auto it = surfaces_.find(&e);
    if (it == surfaces_.end()) it = surfaces_.emplace(&e, surfaceOf(e.picture)).first;
    return it->second.get();
  }

  const Pack& pack_;
  std::string folder_;
  std::map<const SheetEntry*, std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>>
      surfaces_;
  Canvas canvas_;
  std::map<std::uint32_t, Glyph> glyphs_;
};

void commonLayer(Screen& s) {
  s.quarters("graphics/ingame.tga");
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r) s.draw("graphics/field.tga", 3, 298 + 52 * c, 26 + 52 * r);
  struct B {
    const char* file;
    int x, y, state;
  };
  const B buttons[] = {
      {"new game", 80, 167, 0},     {"kids", 87, 208, 0},    {"normal", 87, 244, 2},
      {"professional", 87, 280, 1}, {"options", 73, 383, 0}, {"instructions", 73, 429, 0},
      {"high scores", 73, 475, 0},  {"exit", 73, 521, 0},    {"daily", 302, 537, 0}};
  for (const B& b : buttons)
    s.draw(std::string("graphics/buttons/") + b.file + ".tga", b.state, b.x, b.y);
  s.draw("graphics/logo_small.tga", 37, 80, 40);
}

void panelTitle(Screen& s, const std::string& title) {
  s.draw("graphics/element_headtext_gamezone.tga", 0, 400, 23);
  s.text(title, 532, 27, 100, 0xff888888, true);
  s.text(title, 530, 25, 100, 0xffffffff, true);
}

std::string ballFile(int n) {
  return n == 22 ? "graphics/balls/bomb_0.tga" : "graphics/balls/" + std::to_string(n) + "_0.tga";
}

void ballAt(Screen& s, const Pack& pack, int n, int x, int y, int pattern = 0) {
  const SheetEntry& e = pack.find(ballFile(n));
  const int cx = 303 + 52 * x + e.patternWidth / 2, cy = 31 + 52 * y + e.patternHeight / 2;
  s.centredAt(ballFile(n), pattern, cx, cy);
}

void dialog(Screen& s, const std::string& caption, const std::vector<std::string>& lines,
            double x) {
  s.draw("graphics/inform.tga", 0, 310, 130);
  s.text(caption, x, 200, 70, 0xffff0000, true);
  for (std::size_t i = 0; i < lines.size(); ++i)
    s.text(lines[i], x, 230 + 15 * double(i), 70, 0xffffff00, true);
  s.draw("graphics/buttons/yes.tga", 1, 410, 320);
  s.draw("graphics/buttons/no.tga", 0, 540, 320);
}

void title(const Pack& pack, const std::filesystem::path& folder) {
  Screen s(pack);
  s.quarters("graphics/background.jpg");
  s.quarters("graphics/loading_element.tga");
  s.draw("graphics/logo/vexmo.tga", 0, 270, 120);
  s.draw("graphics/logo/zantic.tga", 0, 270, 120);
  s.draw("graphics/logo/i.tga", 3, 300, -30);
  s.draw("graphics/logo/ball.tga", 3, 300, -30);
  s.draw("graphics/logo/blik_zantic.tga", 12, 281, 233);
  s.draw("graphics/statusline.tga", 0, 286, 330, 286 + 228 * 0.6);
  s.write(folder / "screen_title.png");
}

void game(const Pack& pack, const std::filesystem::path& folder) {
  Screen s(pack);
  commonLayer(s);
  // A game in progress: every kind of ball, a selection, a path and the preview.
  const int board[9][9] = {{1, 0, 0, 2, 0, 0, 3, 0, 4},     {0, 5, 0, 0, 6, 0, 0, 7, 0},
                           {8, 0, 9, 0, 0, 10, 0, 0, 11},   {0, 12, 0, 13, 0, 0, 14, 0, 0},
                           {15, 0, 0, 16, 0, 17, 0, 18, 0}, {0, 19, 0, 0, 20, 0, 21, 0, 22},
                           {1, 1, 1, 1, 0, 0, 0, 0, 0},     {0, 0, 0, 0, 0, 2, 3, 4, 5},
                           {6, 7, 0, 0, 0, 0, 0, 0, 0}};
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) {
      const bool path = y == 6 && x >= 4 && x <= 7;
      const bool blocked = y == 8 && x == 8;
      s.draw("graphics/field.tga", blocked ? 2 : (path ? 1 : 0), 298 + 52 * x, 26 + 52 * y);
      if (board[y][x] && !(y == 7 && x == 8)) ballAt(s, pack, board[y][x], x, y);
    }
  s.centredAt("graphics/balls/5_1.tga", 2, 323 + 52 * 8, 51 + 52 * 7);
  s.centredAt("graphics/balls/4_4.tga", 20, 323 + 52 * 3, 52 + 52 * 7);
  s.text("12345", 142, 340, 100, 0xffff0000, true);
  s.text("Normal", 530, 502, 75, 0xffffffff, true);
  for (int m = 0; m < 4; ++m) {
    const int n = m == 3 ? 22 : m * 3 + 1;
    s.centredAt(ballFile(n), 0, 540 + 52 * m, 552);
  }
  s.write(folder / "screen_game.png");

  Screen d(pack);
  commonLayer(d);
  dialog(d, "Switch the display?",
         {"The new display setting", "is used at the next start.", "Quit Marblix now?"}, 530);
  d.write(folder / "screen_dialog.png");
  Screen n(pack);
  commonLayer(n);
  n.draw("graphics/high_mode.tga", 1, 345, 70);
  dialog(n, "A new high score!", {"Type your name:"}, 550);
  n.draw("graphics/lau.tga", 0, 360, 200);
  n.text("PlayerI", 550, 265, 85, 0xffffffff, true);
  n.write(folder / "screen_name.png");
  Screen l(pack);
  commonLayer(l);
  dialog(l, "Game over", {"No place in the best", "ten this time.", "Play again?"}, 600);
  l.draw("graphics/cry.tga", 3, 360, 200);
  l.write(folder / "screen_lowscore.png");
}

void panels(const Pack& pack, const std::filesystem::path& folder) {
  Screen o(pack);
  commonLayer(o);
  panelTitle(o, "Options");
  o.draw("graphics/buttons/sound_opt.tga", 1, 330, 160);
  o.draw("graphics/buttons/sound_opt.tga", 0, 330, 260);
  o.draw("graphics/buttons/sound_opt_g.tga", 1, 490, 172, 490 + 194 * 0.7);
  o.draw("graphics/buttons/sound_opt_g.tga", 1, 490, 272, 490 + 194 * 0.3);
  o.draw("graphics/buttons/fullscreen.tga", 1, 410, 360);
  o.draw("graphics/buttons/back.tga", 0, 460, 445);
  for (int y : {170, 270}) {
    o.draw("graphics/buttons/down.tga", 0, 468, y);
    o.draw("graphics/buttons/up.tga", 0, 688, y);
  }
  o.write(folder / "screen_options.png");

  Screen h(pack);
  commonLayer(h);
  panelTitle(h, "High scores");
  h.draw("graphics/high_mode.tga", 2, 345, 70);
  h.draw("graphics/buttons/high_mode_l.tga", 0, 340, 130);
  h.draw("graphics/buttons/high_mode_r.tga", 0, 690, 130);
  for (int r = 0; r < 10; ++r) {
    h.text("Player " + std::to_string(r + 1), 360, 170 + 25 * r, 100, 0xffffffff, false);
    const std::string score = std::to_string(10000 - r * 937);
    h.text(score, 700 - h.textWidth(score, 100), 170 + 25 * r, 100, 0xffffffff, false);
  }
  h.draw("graphics/buttons/back.tga", 0, 385, 445);
  h.draw("graphics/buttons/clear.tga", 0, 535, 445);
  h.write(folder / "screen_highscores.png");

  for (int page = 0; page < marblix::HelpPageCount; ++page) {
    Screen i(pack);
    commonLayer(i);
    panelTitle(i, "Instructions");
    i.draw("graphics/help" + std::to_string(page) + ".tga", 0, 303, 31);
    i.draw("graphics/buttons/back.tga", 0, 460, 445);
    if (page > 0) i.draw("graphics/buttons/prev.tga", 0, 310, 455);
    if (page < marblix::HelpPageCount - 1) i.draw("graphics/buttons/next.tga", 0, 650, 455);
    const std::string number =
        std::to_string(page + 1) + " / " + std::to_string(marblix::HelpPageCount);
    i.text(number, 748 - i.textWidth(number, 70), 412, 70, 0xffaaaaaa, false);
    i.write(folder / ("screen_help" + std::to_string(page) + ".png"));
  }
}

// The statistics page as the game draws it, its texts in the font at 75 %: heads over four
// columns, labels left of them, the day's best and the streak below; a daily game in the tab.
void statistics(const Pack& pack, const std::string& code, const marblix::TQzStrings& strings,
                const std::filesystem::path& folder) {
  constexpr int kColumnX[4] = {507, 581, 655, 729};
  constexpr std::uint32_t kYellow = 0xffffff00, kGrey = 0xffaaaaaa, kWhite = 0xffffffff;
  Screen s(pack, code);
  commonLayer(s);
  s.text(marblix::FormatText(strings.Daily, {"2026-12-09"}), 530, 502, 75, kWhite, true);
  panelTitle(s, strings.Statistics);
  for (std::size_t way = 0; way < strings.StatisticsHeads.size() && way < 4; ++way)
    s.text(strings.StatisticsHeads[way], kColumnX[way], 88, 75, kYellow, true);
  for (std::size_t row = 0; row < strings.StatisticsRows.size(); ++row) {
    const double y = 114 + 25 * double(row);
    s.text(strings.StatisticsRows[row], 310, y, 75, kGrey, false);
    for (int x : kColumnX) s.text(std::to_string(1234 + 111 * row), x, y, 75, kWhite, true);
  }
  s.text(marblix::FormatText(strings.BestToday, {"65535"}), 532, 352, 75, kYellow, true);
  s.text(marblix::FormatText(strings.Streak, {"365"}), 532, 377, 75, kYellow, true);
  s.text(strings.NoBestToday, 532, 402, 75, kYellow, true);
  s.draw("graphics/buttons/back.tga", 0, 460, 445);
  s.write(folder / ("screen_" + code + "_statistics.png"));
}

// The screens of one language, with the texts of its strings.txt: the game under the exit
// question, the options panel, the first instructions page
// and the statistics page.
void languageScreens(const Pack& pack, const std::string& code,
                     const std::filesystem::path& folder) {
  marblix::TQzStrings strings;
  strings.LoadStrings((pack.dataDir() / "lang" / code / "strings.txt").string());
  Screen d(pack, code);
  commonLayer(d);
  d.text("12345", 142, 340, 100, 0xffff0000, true);
  d.text(strings.Normal, 530, 502, 75, 0xffffffff, true);
  dialog(d, strings.Exit_Caption, strings.Exit_Text, 530);
  d.write(folder / ("screen_" + code + "_exit.png"));

  Screen o(pack, code);
  commonLayer(o);
  panelTitle(o, strings.Options);
  o.draw("graphics/buttons/sound_opt.tga", 1, 330, 160);
  o.draw("graphics/buttons/sound_opt.tga", 0, 330, 260);
  o.draw("graphics/buttons/sound_opt_g.tga", 1, 490, 172, 490 + 194 * 0.7);
  o.draw("graphics/buttons/sound_opt_g.tga", 1, 490, 272, 490 + 194 * 0.3);
  o.draw("graphics/buttons/fullscreen.tga", 1, 410, 360);
  o.draw("graphics/buttons/back.tga", 0, 460, 445);
  o.write(folder / ("screen_" + code + "_options.png"));

  Screen h(pack, code);
  commonLayer(h);
  panelTitle(h, strings.Help);
  h.draw("graphics/help0.tga", 0, 303, 31);
  h.draw("graphics/buttons/back.tga", 0, 460, 445);
  h.draw("graphics/buttons/next.tga", 0, 650, 455);
  h.write(folder / ("screen_" + code + "_help0.png"));

  statistics(pack, code, strings, folder);
}

}  // namespace

std::vector<std::function<void()>> previewWriters(const Pack& pack,
                                                  const std::filesystem::path& folder,
                                                  const std::vector<std::string>& languages) {
  std::vector<std::function<void()>> writers = {[&pack, folder] { title(pack, folder); },
                                                [&pack, folder] { game(pack, folder); },
                                                [&pack, folder] { panels(pack, folder); }};
  for (const std::string& code : languages)
    writers.emplace_back([&pack, folder, code] { languageScreens(pack, code, folder); });
  return writers;
}

}  // namespace assetgen
