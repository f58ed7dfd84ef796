// The generator's own parts (straight alpha, loops, loudness, failures) and the pack as a whole:
// a second run writes the same bytes as the pack in the build's data folder (whatever a game
// left beside it), and a file that cannot be written is named in the error.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "assetgen/canvas.h"
#include "assetgen/font.h"
#include "assetgen/language.h"
#include "assetgen/lettering.h"
#include "assetgen/pack.h"
#include "assetgen/synth.h"
#include "support/DataPack.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace assetgen;

TEST(Canvas, PicturesHaveStraightAlpha) {
  Canvas canvas(2, 1);
  cairo_set_source_rgba(canvas.cr(), 1.0, 0.5, 0.0, 0.5);
  cairo_rectangle(canvas.cr(), 0, 0, 1, 1);
  cairo_fill(canvas.cr());
  const Picture p = canvas.picture();
  // Blue, green, red, alpha: full red and half green at half coverage, nothing in pixel 2.
  EXPECT_EQ(p.bgra[0], 0);
  EXPECT_NEAR(p.bgra[1], 128, 2);
  EXPECT_EQ(p.bgra[2], 255);
  EXPECT_NEAR(p.bgra[3], 128, 1);
  EXPECT_EQ(p.bgra[7], 0);
}

TEST(Canvas, PatternsAreLaidOutLeftToRightThenDown) {
  const Picture p = drawPatterns(2, 2, 3, 2, [](cairo_t* cr, int i) {
    cairo_set_source_rgba(cr, 1, 1, 1, (i + 1) / 4.0);
    cairo_paint(cr);  // clipped to the pattern
  });
  ASSERT_EQ(p.width, 4);
  ASSERT_EQ(p.height, 4);
  auto alpha = [&](int x, int y) { return p.bgra[static_cast<std::size_t>(y * 4 + x) * 4 + 3]; };
  EXPECT_NEAR(alpha(0, 0), 64, 1);
  EXPECT_NEAR(alpha(3, 1), 128, 1);
  EXPECT_NEAR(alpha(1, 3), 191, 1);
  EXPECT_EQ(alpha(3, 3), 0);  // no fourth pattern
}

TEST(Synth, LoopsCrossfadeTheirTailIntoTheirHead) {
  synth::Mono ramp(1000);
  for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = std::sin(0.05f * float(i));
  const std::size_t fade = std::size_t(synth::samples(0.002));
  synth::makeLoop(ramp, 0.002);
  EXPECT_EQ(ramp.size(), 1000 - fade);
  // Sample 0 now equals the old sample just past the new end, so the loop point is smooth.
  EXPECT_NEAR(ramp[0], std::sin(0.05f * float(1000 - fade)), 1e-4);
}

TEST(Synth, NormaliseReachesTheTargetWithoutClipping) {
  synth::Mono tone = synth::sine(0.5, 440, 440, 0.0, 1e9);
  synth::normalise(tone, -12);
  double sum = 0;
  for (float v : tone) sum += double(v) * v;
  EXPECT_NEAR(20 * std::log10(std::sqrt(sum / double(tone.size()))), -12, 1.0);
  synth::Mono click(100, 0.0f);
  click[50] = 0.01f;
  synth::normalise(click, 0);
  EXPECT_NEAR(click[50], std::pow(10.0, -1.0 / 20), 1e-3);  // the ceiling wins
}

TEST(Synth, VorbisOutputIsRepeatable) {
  const synth::Mono tone = synth::bell(0.3, 660, 2, 1, 0.2);
  EXPECT_EQ(synth::encodeVorbis(tone, 1, 0.4f), synth::encodeVorbis(tone, 1, 0.4f));
}

TEST(Catalogue, TakesTranslationsByContextAndLeavesFuzzyAndObsoleteOnesOut) {
  const Catalogue c = Catalogue::parse(R"(msgid ""
msgstr "Content-Type: text/plain; charset=UTF-8\n"

#. room
msgctxt "Exit_Text"
msgid ""
"Your game is kept\n"
"safe."
msgstr ""
"Dein Spiel bleibt\n"
"\"sicher\"."

#, fuzzy
msgctxt "Help"
msgid "Instructions"
msgstr "Anleitung"

msgctxt "Kids"
msgid "Kids"
msgstr ""

#~ msgctxt "Old"
#~ msgid "Old"
#~ msgstr "Alt"
)",
                                       "de.po");
  ASSERT_NE(c.find("Exit_Text"), nullptr);
  EXPECT_EQ(*c.find("Exit_Text"), "Dein Spiel bleibt\n\"sicher\".");
  EXPECT_EQ(c.find("Help"), nullptr);  // fuzzy: its translator has not checked it
  EXPECT_EQ(c.find("Kids"), nullptr);  // untranslated
  EXPECT_EQ(c.find("Old"), nullptr);   // no text of the game any more
  EXPECT_EQ(c.find(""), nullptr);      // the header
}

TEST(Catalogue, ABrokenLineIsNamedWithItsFileAndLine) {
  try {
    Catalogue::parse("msgctxt \"Help\"\nmsgid \"Help\"\nmsgstr Hilfe\n", "de.po");
    FAIL() << "a string without quotes must be refused";
  } catch (const std::exception& e) {
    EXPECT_NE(std::string(e.what()).find("de.po:3"), std::string::npos) << e.what();
  }
}

TEST(Language, PseudoTextsAreLongerAccentedAndKeepTheirPlaceholders) {
  const std::string english = "Cannot read \"{1}\": {2}; the game starts anew";
  const std::string pseudo = pseudoTranslate(english);
  EXPECT_NE(pseudo.find("{1}"), std::string::npos);
  EXPECT_NE(pseudo.find("{2}"), std::string::npos);
  EXPECT_NE(pseudo.find("\xC3\xA1"), std::string::npos);  // a with an acute accent
  // About 40 % longer in letters (accented letters take two bytes each).
  const double letters = double(codePoints(pseudo).size()) / double(english.size());
  EXPECT_GT(letters, 1.3);
  EXPECT_LT(letters, 1.6);
  EXPECT_EQ(
      pseudoTranslate("Play\nagain?"),
      "[Pl\xC3\xA1\xC3\xA1\xC3\xBD]\n[\xC3\xA1\xC3\xA1g\xC3\xA1\xC3\xA1\xC3\xAD\xC3\xAD\xC3\xB1?]");
}

TEST(Language, AKeyAskedForWithTwoEnglishTextsIsRefused) {
  TextTemplate texts;
  const Language english = Language::english(&texts);
  EXPECT_EQ(english.text("Button.Yes", "Yes", "room"), "Yes");
  EXPECT_EQ(english.text("Button.Yes", "Yes", "room"), "Yes");  // asked for again: one entry
  EXPECT_THROW(english.text("Button.Yes", "OK", "room"), std::logic_error);
  EXPECT_EQ(texts.entries().size(), 1u);
}

// A translation with a letter no font of the build draws would show a box in its picture: the
// generator names it instead.
TEST(Lettering, ALetterNoFontDrawsIsNamed) {
  const Language german = Language::translated("de", Catalogue::parse("", "de.po"));
  const Language japanese = Language::translated("ja", Catalogue::parse("", "ja.po"));
  Canvas canvas(8, 8);
  const TextStyle style{Face::SansBold, 14};
  EXPECT_TRUE(
      Lettering(german).drawable(canvas.cr(), style, "Button.Yes", "J\xC3\xA4 \xCE\xA9 \xD0\x96"));
  EXPECT_TRUE(
      Lettering(japanese).drawable(canvas.cr(), style, "Button.Yes", "\xE3\x81\xAF\xE3\x81\x84"));
  // Ethiopic: neither DejaVu nor Noto Sans CJK has it.
  EXPECT_FALSE(Lettering(german).drawable(canvas.cr(), style, "Button.No", "Nein \xE1\x88\xB0"));
  ASSERT_EQ(german.misfits().size(), 1u);
  EXPECT_EQ(german.misfits()[0].key, "Button.No");
  EXPECT_NE(german.misfits()[0].why.find("\xE1\x88\xB0"), std::string::npos);
  EXPECT_TRUE(japanese.misfits().empty());
}

TEST(Pack, FailureNamesTheFile) {
  marblix::testing::TTempDir dir;
  std::ofstream(dir.Path / "graphics") << "a file where a folder should be";
  Pack pack(dir.Path);
  try {
    pack.text("graphics/strings.txt", "x");
    FAIL() << "writing under a file must fail";
  } catch (const std::exception& e) {
    EXPECT_NE(std::string(e.what()).find("graphics/strings.txt"), std::string::npos) << e.what();
  }
}

std::string contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(Generator, SecondRunWritesTheSameBytes) {
  marblix::testing::TTempDir dir;
  const std::string command = std::string("\"") + MARBLIX_ASSETGEN + "\" \"" + dir.Path.string() +
                              "\" --po \"" + MARBLIX_PO_DIR + "\" > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  // The generator writes the pack's entries and nothing beside them, so the tests that take the
  // pack by its entries take all of it.
  std::set<fs::path> top;
  for (const auto& entry : fs::directory_iterator(dir.Path)) top.insert(entry.path().filename());
  const std::set<fs::path> entries(marblix::testing::PackEntries.begin(),
                                   marblix::testing::PackEntries.end());
  EXPECT_EQ(top, entries);

  // What a game wrote beside the pack in the build's data folder is no part of it.
  const std::vector<std::string> files = marblix::testing::PackFilesIn(MARBLIX_DATA_DIR);
  EXPECT_EQ(files, marblix::testing::PackFilesIn(dir.Path));
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    EXPECT_TRUE(contents(fs::path(MARBLIX_DATA_DIR) / file) == contents(dir.Path / file));
  }
  EXPECT_GT(files.size(), 150u + 15u * 20u);
}

TEST(Generator, RefusesToRunWithoutAFolder) {
  const std::string command = std::string("\"") + MARBLIX_ASSETGEN + "\" > /dev/null 2>&1";
  EXPECT_NE(std::system(command.c_str()), 0);
}

}  // namespace
