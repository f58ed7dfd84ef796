// The bitmap font: DejaVu Sans Bold rendered white with a dark rim into a 16 x 16 sheet of cells,
// one per byte of the Windows Western European code page, and its advance table.
#include "assetgen/font.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "assetgen/art.h"
#include "assetgen/lettering.h"

namespace assetgen {

namespace {

constexpr double kFontSize = 17;
constexpr double kBaseline = 18;
constexpr double kPenX = 1.5;

// Bytes 0x80..0x9F of the code page; 0 marks the unused ones.
constexpr std::uint32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void setupFont(cairo_t* cr) {
  useFont(cr, Face::SansBold, kFontSize);
}

}  // namespace

std::uint32_t codePageCharacter(int byte) {
  if (byte < 32 || byte == 127) return 0;
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return std::uint32_t(byte);  // the rest matches Latin-1
}

std::string toUtf8(std::uint32_t c) {
  std::string out;
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
  return out;
}

std::vector<std::uint32_t> codePoints(const std::string& utf8) {
  std::vector<std::uint32_t> out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || i + std::size_t(length) > utf8.size()) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    std::uint32_t c = length == 1 ? lead : lead & (0x7F >> length);
    bool whole = true;
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + std::size_t(k)]);
      whole = whole && (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    out.push_back(whole ? c : 0xFFFD);
    i += whole ? std::size_t(length) : 1;
  }
  return out;
}

std::vector<std::uint32_t> extendedCharacters() {
  std::vector<std::uint32_t> out;
  auto add = [&](std::uint32_t from, std::uint32_t to) {
    for (std::uint32_t c = from; c <= to; ++c) {
      bool inCodePage = c < 0x100;
      for (int b = 0x80; b < 0xA0 && !inCodePage; ++b) inCodePage = codePageCharacter(b) == c;
      if (!inCodePage && hasCharacter(Face::SansBold, c)) out.push_back(c);
    }
  };
  add(0x0100, 0x017F);  // Latin Extended-A: Polish, Turkish, Czech, Hungarian, ...
  add(0x0218, 0x021B);  // Romanian comma letters
  add(0x02BB, 0x02BC);  // the apostrophe letters of Ukrainian and others
  add(0x037E, 0x037E);  // Greek question mark
  add(0x0384, 0x03CE);  // Greek, with its accented letters
  add(0x0400, 0x045F);  // Cyrillic: Russian, Ukrainian, Belarusian, Bulgarian, Serbian, ...
  add(0x0490, 0x04FF);  // Cyrillic letters of Ukrainian, Kazakh, Tatar, Uzbek, ...
  add(0x1E9E, 0x1E9E);  // capital sharp s
  add(0x2010, 0x2015);  // hyphens and dashes
  add(0x2116, 0x2116);  // numero sign
  add(0x2212, 0x2212);  // minus
  return out;
}

bool ownGlyph(std::uint32_t c) {
  return (c >= 0x1100 && c <= 0x11FF) ||  // Hangul Jamo
         (c >= 0x2E80 && c <= 0x9FFF) ||  // CJK radicals, punctuation, kana, Han
         (c >= 0xAC00 && c <= 0xD7AF) ||  // Hangul syllables
         (c >= 0xF900 && c <= 0xFAFF) ||  // compatibility Han
         (c >= 0xFE30 && c <= 0xFE4F) ||  // vertical forms
         (c >= 0xFF00 && c <= 0xFFEF) ||  // full-width and half-width forms
         c >= 0x20000;
}

std::array<std::uint8_t, 256> glyphAdvances() {
  Canvas canvas(8, 8);
  setupFont(canvas.cr());
  std::array<std::uint8_t, 256> widths{};
  for (int b = 0; b < 256; ++b) {
    const std::uint32_t c = codePageCharacter(b == 0xA0 ? 0x20 : b);
    if (c == 0) continue;
    // One pixel more than the face's advance leaves room for the dark rim between letters.
    const double advance = textWidth(canvas.cr(), toUtf8(c));
    widths[std::size_t(b)] =
        std::uint8_t(std::min<double>(kGlyphCellWidth, std::lround(advance) + 1));
  }
  return widths;
}

namespace {

constexpr int kCellsPerRow = 32;
const TextStyle kGlyphStyle{Face::SansBold, kFontSize};

// A glyph white with a dark rim, its baseline at the same height in every cell of every sheet.
void glyphCell(cairo_t* cr, const Lettering& letters, std::uint32_t c) {
  if (c == 0x20 || c == 0xA0 || c == 0x3000) return;
  letters.at(cr, kGlyphStyle, toUtf8(c), kPenX, kBaseline);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 2.2);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
  cairo_stroke_preserve(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill(cr);
}

int advanceOf(const Lettering& letters, std::uint32_t c) {
  Canvas canvas(8, 8);
  const double advance = letters.width(canvas.cr(), kGlyphStyle, toUtf8(c == 0xA0 ? 0x20 : c));
  // One pixel more than the face's advance leaves room for the dark rim between Latin letters;
  // full-width East Asian letters have that room inside their own advance.
  return int(std::min<double>(kGlyphCellWidth, std::lround(advance) + (ownGlyph(c) ? 0 : 1)));
}

std::string hex(std::uint32_t c) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", c);
  return text;
}

std::string glyphLine(std::uint32_t c, int sheet, int cell, int advance) {
  return "glyph " + hex(c) + " " + std::to_string(sheet) + " " + std::to_string(cell) + " " +
         std::to_string(advance) + "\n";
}

// One sheet of glyphs, each drawn by the lettering given with it, and the map lines naming them.
struct Sheet {
  std::vector<std::pair<std::uint32_t, const Lettering*>> glyphs;

  bool has(std::uint32_t c) const {
    for (const auto& g : glyphs)
      if (g.first == c) return true;
    return false;
  }
  void add(std::uint32_t c, const Lettering& letters) {
    if (!has(c)) glyphs.emplace_back(c, &letters);
  }
  // Writes the sheet and returns its map lines, the sheet being `index` in its map.
  std::string write(Pack& pack, const std::string& path, const std::string& group,
                    int index) const {
    const std::string file = path.substr(path.rfind('/') + 1);
    std::string lines = "sheet " + file + " " + std::to_string(kGlyphCellWidth) + " " +
                        std::to_string(kGlyphCellHeight) + " " + std::to_string(kCellsPerRow) +
                        "\n";
    const Picture picture =
        drawPatterns(kGlyphCellWidth, kGlyphCellHeight, int(glyphs.size()), kCellsPerRow,
                     [&](cairo_t* cr, int n) {
                       glyphCell(cr, *glyphs[std::size_t(n)].second, glyphs[std::size_t(n)].first);
                     });
    pack.picture(group, path, picture, kGlyphCellWidth, kGlyphCellHeight);
    for (std::size_t n = 0; n < glyphs.size(); ++n)
      lines +=
          glyphLine(glyphs[n].first, index, int(n), advanceOf(*glyphs[n].second, glyphs[n].first));
    return lines;
  }
};

}  // namespace

void makeFontMap(Pack& pack, const Language& english, const std::vector<Language>& languages) {
  std::string map =
      "; Marblix font map: which cell of which sheet draws each code point, and how far the pen\n"
      "; moves after it. Sheet 0 is the code page's font.bmp; a language's own map adds its "
      "letters.\n";
  map += "sheet font.bmp " + std::to_string(kGlyphCellWidth) + " " +
         std::to_string(kGlyphCellHeight) + " 16\n";
  const auto widths = glyphAdvances();
  for (int b = 0x20; b < 256; ++b) {
    const std::uint32_t c = codePageCharacter(b);
    if (c != 0 && widths[std::size_t(b)] > 0) map += glyphLine(c, 0, b, widths[std::size_t(b)]);
  }
  // Beside the code page: every letter a typed name may need, then the East Asian letters of
  // every language's own name, each in its own language's face.
  const Lettering latin(english);
  std::vector<Lettering> faces;
  faces.reserve(languages.size());
  Sheet sheet;
  for (std::uint32_t c : extendedCharacters()) sheet.add(c, latin);
  for (const Language& language : languages) {
    faces.emplace_back(language);
    for (std::uint32_t c : codePoints(languageName(language)))
      if (ownGlyph(c)) sheet.add(c, faces.back());
  }
  map += sheet.write(pack, "graphics/font/font_ext.tga", "font", 1);
  pack.text("graphics/font/font.map", map);
}

void makeLanguageFont(Pack& pack, const Language& language, const std::string& texts) {
  const Lettering letters(language);
  Sheet sheet;
  for (std::uint32_t c : codePoints(texts))
    if (ownGlyph(c)) sheet.add(c, letters);
  if (sheet.glyphs.empty()) return;  // the root's map has every letter the language needs
  std::sort(sheet.glyphs.begin(), sheet.glyphs.end());
  const std::string folder = language.folder() + "graphics/font/";
  std::string map = "; Marblix font map: the letters of " + language.code() +
                    " in its own face, before the root's map.\n";
  map +=
      sheet.write(pack, folder + "font_" + language.code() + ".tga", "lang_" + language.code(), 0);
  pack.text(folder + "font.map", map);
}

void makeFont(Pack& pack) {
  const auto widths = glyphAdvances();
  std::vector<std::uint8_t> metrics(2 + widths.size());
  metrics[0] = std::uint8_t(kGlyphCellWidth);
  metrics[1] = std::uint8_t(kGlyphCellHeight);
  for (std::size_t b = 0; b < widths.size(); ++b) metrics[2 + b] = widths[b];
  pack.bytes("graphics/font/font.rls", metrics);

  const Picture sheet =
      drawPatterns(kGlyphCellWidth, kGlyphCellHeight, 256, 16, [](cairo_t* cr, int b) {
        const std::uint32_t c = codePageCharacter(b);
        if (c == 0 || c == 0x20 || c == 0xA0) return;
        setupFont(cr);
        cairo_move_to(cr, kPenX, kBaseline);
        cairo_text_path(cr, toUtf8(c).c_str());
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(cr, 2.2);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
        cairo_stroke_preserve(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill(cr);
      });
  pack.picture("font", "graphics/font/font.bmp", sheet, kGlyphCellWidth, kGlyphCellHeight);
}

}  // namespace assetgen
