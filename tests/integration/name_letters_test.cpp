// Every letter the name question takes has its glyph in the pack's root glyph map, which every
// language reads: a name shows in every language, never as boxes.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>

#include "shell/high_scores.h"
#include "text/FontMap.h"
#include "text/TextLines.h"

namespace marblix {
namespace {

TEST(NameLetters, EveryLetterANameTakesIsInTheRootGlyphMap) {
  const std::filesystem::path map =
      std::filesystem::path(MARBLIX_DATA_DIR) / "graphics/font/font.map";
  const auto lines = ReadTextLines(map.string());
  if (!lines) GTEST_SKIP() << "no glyph map in the pack";
  std::set<char32_t> named;
  for (const TFontMapGlyph& glyph : ParseFontMap(*lines, {}).Glyphs) named.insert(glyph.CodePoint);
  std::string lacking;
  for (char32_t c = 0; c < 0x3000; ++c) {
    if (!IsNameCharacter(c) || named.contains(c)) continue;
    char name[16];
    std::snprintf(name, sizeof name, " U+%04X", static_cast<unsigned>(c));
    lacking += name;
  }
  EXPECT_EQ(lacking, "") << "letters a name takes that the root map lacks";
}

}  // namespace
}  // namespace marblix
