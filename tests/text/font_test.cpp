// The bitmap font: metrics loading and its failures, glyph placement, scaled rounding, caret and
// line spacing.
#include <gtest/gtest.h>

#include "graphics/GraphicsFixture.h"
#include "support/DrawnQuads.h"
#include "support/TempDir.h"
#include "text/qz_text.h"

namespace marblix {
namespace {

using testing::DrawnQuads;
using testing::TDrawnQuad;

constexpr int Cell = 16;

// Metrics of a 16 x 16 font: 'A' 15, 'B' 5, 'C' 7, digits 8, '-' 6, 'I' 3, ' ' 6, the rest 10.
std::string Metrics(size_t extra = 0) {
  std::string bytes(258 + extra, '\x0A');
  bytes[0] = Cell;
  bytes[1] = Cell;
  const auto width = [&bytes](char c, int w) { bytes[2 + static_cast<uint8_t>(c)] = char(w); };
  width('A', 15);
  width('B', 5);
  width('C', 7);
  for (char d = '0'; d <= '9'; ++d) width(d, 8);
  width('-', 6);
  width('I', 3);
  width(' ', 6);
  return bytes;
}

class FontTest : public testing::RecordingDeviceTest {
 protected:
  void SetUp() override {
    RecordingDeviceTest::SetUp();
    Open();
    Font = std::make_unique<TQzFont>(Graph.get());
    ASSERT_TRUE(Font->LoadMetrics(Dir.Write("font.rls", Metrics(5))));
    Font->GlyphImage = Image(256, 256, Cell, Cell, 256, 256);
    ASSERT_TRUE(Graph->BeginFrame());
    Recording->Clear();
  }
  // The quads drawn since the frame began.
  std::vector<TDrawnQuad> Quads() {
    Graph->EndFrame();
    return DrawnQuads(*Recording);
  }
  std::vector<int> Lefts(const std::vector<TDrawnQuad>& quads) const {
    std::vector<int> lefts;
    lefts.reserve(quads.size());
    for (const TDrawnQuad& quad : quads) lefts.push_back(quad.Left());
    return lefts;
  }

  testing::TTempDir Dir;
  std::unique_ptr<TQzFont> Font;
};

TEST_F(FontTest, NaturalSizeGlyphsFollowTheirAdvancesInTheirPatternsAndColour) {
  Font->DrawLeft("AB", 10, 20, 0x80123456);
  const auto quads = Quads();
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_EQ(Lefts(quads), (std::vector<int>{10, 25}));
  for (const TDrawnQuad& quad : quads) {
    EXPECT_EQ(quad.Top(), 20);
    EXPECT_EQ(quad.Width(), Cell);
    EXPECT_EQ(quad.Colour(), 0x80123456u);
    EXPECT_TRUE(quad.AlphaBlended() && quad.DiffuseAlpha()) << "effect 0x102";
  }
  EXPECT_EQ(quads[0].Pattern(*Font->GlyphImage), 'A');
  EXPECT_EQ(quads[1].Pattern(*Font->GlyphImage), 'B');
}

TEST_F(FontTest, NumbersEndAtXAndCentredTextsStartAtHalfTheirWidthLeft) {
  Font->DrawNumberRight(0, 100, 0, 0xFFFFFFFF);
  Font->DrawNumberRight(-5, 200, 0, 0xFFFFFFFF);
  Font->DrawCentered("C", 100, 0, 0xFFFFFFFF);   // width 7: starts at 97
  Font->DrawCentered("AB", 300, 0, 0xFFFFFFFF);  // width 20: starts at 290
  Font->DrawCentered("", 400, 0, 0xFFFFFFFF);
  Font->DrawLeft("", 400, 0, 0xFFFFFFFF);
  const auto quads = Quads();
  EXPECT_EQ(Lefts(quads), (std::vector<int>{92, 186, 192, 97, 290, 305}));
  EXPECT_EQ(quads[1].Pattern(*Font->GlyphImage), '-');
}

TEST_F(FontTest, ScaledAdvancesRoundHalvesToEvenAndTheScaleIsPercentTimes256) {
  EXPECT_EQ(TQzFont::ScaledAdvance(15, 70), 10);  // 10.5
  EXPECT_EQ(TQzFont::ScaledAdvance(5, 70), 4);    // 3.5
  EXPECT_EQ(TQzFont::ScaledAdvance(3, 70), 2);    // 2.1
  EXPECT_EQ(TQzFont::ScaleOf(70), 179);
  EXPECT_EQ(TQzFont::ScaleOf(75), 192);
  EXPECT_EQ(TQzFont::ScaleOf(100), 256);

  Font->DrawCenteredScaled("ABA", 400, 50, 70, 0xFFFFFFFF);  // 10 + 4 + 10 = 24: starts at 388
  const auto quads = Quads();
  EXPECT_EQ(Lefts(quads), (std::vector<int>{388, 398, 402}));
  EXPECT_EQ(quads[0].Width(), Cell * 179 / 256);
  EXPECT_EQ(quads[0].Top(), 50);
}

TEST_F(FontTest, AHundredPercentPlacesGlyphsExactlyAsNaturalSize) {
  Font->DrawCentered("ABC1", 333, 7, 0xFFFFFFFF);
  Font->DrawCenteredScaled("ABC1", 333, 7, 100, 0xFFFFFFFF);
  const auto quads = Quads();
  ASSERT_EQ(quads.size(), 8u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(quads[i].Left(), quads[i + 4].Left());
    EXPECT_EQ(quads[i + 4].Width(), Cell);
  }
}

TEST_F(FontTest, TheCaretIsCentredWithTheTextSoTheTextShiftsWhenItBlinks) {
  Font->DrawCenteredScaledCaret("A", 400, 0, 70, 0xFFFFFFFF, true);   // 10 + 2 = 12: at 394
  Font->DrawCenteredScaledCaret("A", 400, 0, 70, 0xFFFFFFFF, false);  // 10 + 4 = 14: at 393
  const auto quads = Quads();
  ASSERT_EQ(quads.size(), 4u);
  EXPECT_EQ(Lefts(quads), (std::vector<int>{394, 404, 393, 403}));
  EXPECT_EQ(quads[1].Pattern(*Font->GlyphImage), 'I');
  EXPECT_EQ(quads[3].Pattern(*Font->GlyphImage), ' ');
}

TEST_F(FontTest, LinesAreFifteenPixelsApartWhateverTheSize) {
  Font->DrawLinesCentered({"A", "B", "C"}, 400, 230, 70, 0xFFFFFFFF);
  Font->DrawLinesCentered({}, 400, 230, 70, 0xFFFFFFFF);
  const auto quads = Quads();
  ASSERT_EQ(quads.size(), 3u);
  EXPECT_EQ(quads[0].Top(), 230);
  EXPECT_EQ(quads[1].Top(), 245);
  EXPECT_EQ(quads[2].Top(), 260);
}

TEST_F(FontTest, ShortOrMissingMetricsAreLoggedAndTheFontDrawsNothing) {
  const std::string glyphs = Dir.File("font.bmp");
  testing::Gradient(256, 256).SaveToFile(glyphs);
  std::vector<std::string> log;
  const TLogSink sink = [&log](const std::string& line) { log.push_back(line); };

  TQzFont shortFont(Graph.get());
  EXPECT_FALSE(shortFont.LoadMetrics(Dir.Write("short.rls", Metrics().substr(0, 257)), sink));
  EXPECT_FALSE(shortFont.LoadGlyphs(glyphs, sink));
  TQzFont missing(Graph.get());
  EXPECT_FALSE(missing.LoadMetrics(Dir.File("absent.rls"), sink));
  ASSERT_EQ(log.size(), 3u);
  EXPECT_NE(log[0].find("short.rls"), std::string::npos);
  EXPECT_NE(log[2].find("absent.rls"), std::string::npos);

  shortFont.DrawCentered("ABC", 100, 100, 0xFFFFFFFF);
  shortFont.DrawCenteredScaled("ABC", 100, 100, 70, 0xFFFFFFFF);
  EXPECT_TRUE(Quads().empty());
}

TEST_F(FontTest, GlyphsLoadFromTheSheetInCellsOfTheMetricsSize) {
  const std::string glyphs = Dir.File("font.bmp");
  testing::Gradient(256, 256).SaveToFile(glyphs);
  TQzFont font(Graph.get());
  ASSERT_TRUE(font.LoadMetrics(Dir.Write("font2.rls", Metrics())));
  ASSERT_TRUE(font.LoadGlyphs(glyphs));
  EXPECT_EQ(font.GlyphImage->PatternWidth, Cell);
  EXPECT_EQ(font.GlyphImage->PatternCount, 256);
  EXPECT_EQ(font.GlyphImage->TextureWidth, 256);
  EXPECT_EQ(font.GlyphImage->Format, D3DFMT_A8R8G8B8);
  EXPECT_EQ(font.GlyphWidths['A'], 15);

  Graph->ReleaseDevice();
  TQzFont closed(Graph.get());
  EXPECT_FALSE(closed.LoadMetrics(Dir.File("font2.rls"))) << "only while the device is open";
  EXPECT_EQ(closed.GlyphCellWidth, 0);
}

}  // namespace
}  // namespace marblix
