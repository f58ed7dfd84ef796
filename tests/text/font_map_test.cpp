// The font's glyph maps: code points found over several sheets, a language's map over the root's,
// bad lines and sheets logged and left out, and the box (as wide as "0", reported once) for a code
// point no sheet has; UTF-8 and Windows-1252 texts through a font without a map.
#include <gtest/gtest.h>

#include <algorithm>

#include "graphics/GraphicsFixture.h"
#include "support/DrawnQuads.h"
#include "support/TempDir.h"
#include "text/qz_text.h"

namespace marblix {
namespace {

using testing::DrawnQuads;
using testing::TDrawnQuad;

class FontMapTest : public testing::RecordingDeviceTest {
 protected:
  void SetUp() override {
    RecordingDeviceTest::SetUp();
    Open();
    testing::Gradient(64, 32).SaveToFile(Dir.File("root.bmp"));  // 8 cells of 16 x 16
    testing::Gradient(64, 32).SaveToFile(Dir.File("cjk.bmp"));   // 2 cells of 32 x 32
    Dir.Write("root.map",
              "; the root's glyphs\r\n"
              "sheet root.bmp 16 16 4\r\n"
              "glyph 30 0 0 10\r\n"    // 0
              "glyph 41 0 1 12\r\n"    // A
              "glyph 416 0 2 14\r\n"   // Zhe
              "glyph 3A3 0 5 11\r\n"   // Sigma
              "glyph 44 9 0 5\r\n"     // no sheet 9
              "glyph 42 0 8 5\r\n"     // cell 8 lies outside
              "kerning 41 42 1\r\n"    // no such line
              "glyph 4E2D 0 zz 5\r\n"  // not a number
              "sheet gone.bmp 16 16 4\r\n"
              "glyph 43 1 0 9\r\n");  // C, on a missing sheet
    Dir.Write("lang.map",
              "sheet cjk.bmp 32 32 2\n"
              "glyph 65E5 0 1 30\n"  // the sun
              "glyph 41 0 0 20\n");  // A, over the root's
    Font = std::make_unique<TQzFont>(Graph.get());
    const TLogSink sink = [this](const std::string& line) { Log.push_back(line); };
    ASSERT_TRUE(Font->LoadMap(Dir.File("root.map"), sink));
    ASSERT_TRUE(Font->LoadMap(Dir.File("lang.map"), sink));
    ASSERT_TRUE(Graph->BeginFrame());
  }
  std::vector<TDrawnQuad> Quads() {
    Graph->EndFrame();
    return DrawnQuads(*Recording);
  }

  testing::TTempDir Dir;
  std::unique_ptr<TQzFont> Font;
  std::vector<std::string> Log;
};

TEST_F(FontMapTest, EachCodePointFromItsSheetTheLanguagesFirstAndBoxesForTheRest) {
  const auto root = Image(64, 32, 16, 16, 64, 32);
  const auto cjk = Image(64, 32, 32, 32, 64, 32);
  const struct {
    int Left, Width;
    const TAGFImage* Sheet;  // none: the box, a whole texture of its own
    int Pattern;
  } expected[] = {
      {100, 32, cjk.get(), 0},  // A: the language's
      {120, 16, root.get(), 0}, {130, 16, root.get(), 2}, {144, 32, cjk.get(), 1},
      {174, 16, root.get(), 5}, {185, 16, nullptr, 0},  // U+4E2D: named nowhere
      {195, 16, nullptr, 0},                            // C: its sheet is missing
  };
  const std::string text = "A0\u0416\u65E5\u03A3\u4E2DC";
  EXPECT_EQ(Font->TextWidth(text), 20 + 10 + 14 + 30 + 11 + 10 + 10);
  Font->DrawLeft(text, 100, 50, 0xFFFFFFFF);
  Font->DrawLeft(text, 100, 80, 0xFFFFFFFF);
  const auto quads = Quads();
  ASSERT_EQ(quads.size(), 2 * std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(quads[i].Left(), expected[i].Left);
    EXPECT_EQ(quads[i].Width(), expected[i].Width);
    EXPECT_EQ(quads[i].Top(), 50);
    if (expected[i].Sheet) {
      EXPECT_EQ(quads[i].Pattern(*expected[i].Sheet), expected[i].Pattern);
      EXPECT_LT(quads[i].TopRight.u - quads[i].TopLeft.u, 1.0f);
    } else {
      EXPECT_FLOAT_EQ(quads[i].TopRight.u - quads[i].TopLeft.u, 1.0f);
    }
  }
  // Bad lines name their line; each missing code point is told once, however often it is drawn.
  const std::vector<std::string> lines = {
      "Font map \"" + Dir.File("root.map") + "\", line 9: unknown line \"kerning\", line skipped",
      "Font map \"" + Dir.File("root.map") +
          "\", line 10: sheet, cell and advance must be whole numbers",
      "Font map \"" + Dir.File("root.map") + "\", line 7: the map has no sheet 9, line skipped",
      "Font sheet \"" + Dir.File("gone.bmp") + "\" missing: its glyphs are drawn as boxes",
      "Font map \"" + Dir.File("root.map") + "\", line 8: cell 8 lies outside its sheet",
      "Font has no glyph for U+4E2D: drawn as a box",
      "Font has no glyph for U+0043: drawn as a box",
  };
  ASSERT_EQ(Log.size(), lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(Log[i].rfind(lines[i], 0), 0u) << Log[i];
}

TEST_F(FontMapTest, WithoutAMapTextsInEitherEncodingDrawTheirWindows1252Patterns) {
  std::string metrics(258, '\x08');
  metrics[0] = metrics[1] = 16;
  TQzFont old(Graph.get());
  ASSERT_TRUE(old.LoadMetrics(Dir.Write("font.rls", metrics)));
  testing::Gradient(256, 256).SaveToFile(Dir.File("font.bmp"));
  ASSERT_TRUE(old.LoadGlyphs(Dir.File("font.bmp")));
  old.DrawLeft("caf\xC3\xA9 \xE2\x82\xAC", 0, 0, 0xFFFFFFFF);  // UTF-8: cafe, e acute, euro
  old.DrawLeft("caf\xE9", 0, 30, 0xFFFFFFFF);                  // Windows-1252
  old.DrawLeft("\xD0\x96", 0, 60, 0xFFFFFFFF);                 // Zhe: no such byte, a box
  const auto quads = Quads();
  std::vector<int> patterns;
  for (std::size_t i = 0; i + 1 < quads.size(); ++i)
    patterns.push_back(quads[i].Pattern(*old.GlyphImage));
  EXPECT_EQ(patterns, (std::vector<int>{'c', 'a', 'f', 0xE9, ' ', 0x80, 'c', 'a', 'f', 0xE9}));
  EXPECT_FLOAT_EQ(quads.back().TopRight.u - quads.back().TopLeft.u, 1.0f);
}

}  // namespace
}  // namespace marblix
