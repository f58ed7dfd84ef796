// The 5 x 7 pixel font of the few words drawn without the game's font: "NO IMAGE" on the
// placeholder picture and "Initializing..." in the window before the render device exists.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace marblix {

inline constexpr int PixelGlyphWidth = 5;
inline constexpr int PixelGlyphHeight = 7;
inline constexpr int PixelGlyphAdvance = 6;  // the glyph and one blank column

// One byte per row, top first; bit 4 is the leftmost pixel.
struct TPixelGlyph {
  char Letter;
  std::array<uint8_t, PixelGlyphHeight> Rows;
};

// The letters those words need; any other character is a blank.
inline constexpr std::array<TPixelGlyph, 15> PixelGlyphs{{
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
    {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}},
    {'N', {0x11, 0x19, 0x15, 0x13, 0x11, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'a', {0x00, 0x00, 0x0E, 0x01, 0x0F, 0x11, 0x0F}},
    {'g', {0x00, 0x0F, 0x11, 0x11, 0x0F, 0x01, 0x0E}},
    {'i', {0x04, 0x00, 0x0C, 0x04, 0x04, 0x04, 0x0E}},
    {'l', {0x0C, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'n', {0x00, 0x00, 0x16, 0x19, 0x11, 0x11, 0x11}},
    {'t', {0x08, 0x08, 0x1C, 0x08, 0x08, 0x09, 0x06}},
    {'z', {0x00, 0x00, 0x1F, 0x02, 0x04, 0x08, 0x1F}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
}};

// Calls fill(x, y, size) for the size x size block of every set pixel of the text, drawn with
// its first glyph's top-left corner at (left, top) and each font pixel `scale` pixels wide.
template <typename Fill>
void DrawPixelText(std::string_view text, int left, int top, int scale, Fill fill) {
  for (size_t i = 0; i < text.size(); ++i) {
    const int x = left + static_cast<int>(i) * PixelGlyphAdvance * scale;
    for (const TPixelGlyph& glyph : PixelGlyphs) {
      if (glyph.Letter != text[i]) continue;
      for (int row = 0; row < PixelGlyphHeight; ++row)
        for (int column = 0; column < PixelGlyphWidth; ++column)
          if (glyph.Rows[row] & (0x10 >> column))
            fill(x + column * scale, top + row * scale, scale);
    }
  }
}

}  // namespace marblix
