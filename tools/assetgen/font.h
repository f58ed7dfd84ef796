// The bitmap font: glyph metrics and sheet for the Western European single-byte code page.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace assetgen {

inline constexpr int kGlyphCellWidth = 24;
inline constexpr int kGlyphCellHeight = 24;

// The Unicode character of a byte of the code page (0 where the byte has no character).
std::uint32_t codePageCharacter(int byte);
// Advances in pixels of the 256 byte values, as written to font.rls.
std::array<std::uint8_t, 256> glyphAdvances();
// Text of the code page to UTF-8, for drawing with cairo.
std::string toUtf8(std::uint32_t character);

}  // namespace assetgen
