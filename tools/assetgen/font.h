// The bitmap font: glyph metrics and sheet for the Western European single-byte code page.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

inline constexpr int kGlyphCellWidth = 24;
inline constexpr int kGlyphCellHeight = 24;

// The Unicode character of a byte of the code page (0 where the byte has no character).
std::uint32_t codePageCharacter(int byte);
// Advances in pixels of the 256 byte values, as written to font.rls.
std::array<std::uint8_t, 256> glyphAdvances();
// Text of the code page to UTF-8, for drawing with cairo.
std::string toUtf8(std::uint32_t character);
// The code points of a UTF-8 text, in order (a broken sequence counts as U+FFFD).
std::vector<std::uint32_t> codePoints(const std::string& utf8);

// The code points the root's map draws in DejaVu beside the code page: Latin Extended-A,
// Greek, Cyrillic and the punctuation their languages use, so that every name a player types in
// those letters shows in every language.
std::vector<std::uint32_t> extendedCharacters();
// Whether a language draws `c` in its own face, in a sheet of its own: the East Asian scripts.
bool ownGlyph(std::uint32_t c);

}  // namespace assetgen
