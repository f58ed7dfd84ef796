// The bitmap font: DejaVu Sans Bold rendered white with a dark rim into a 16 x 16 sheet of cells,
// one per byte of the Windows Western European code page, and its advance table.
#include "assetgen/font.h"

#include <cmath>
#include <vector>

#include "assetgen/art.h"

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
  } else {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
  return out;
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
