// The bitmap font: metrics and glyph loading, natural and scaled drawing with halves-to-even
// rounding.
#include "text/qz_text.h"

#include <cmath>
#include <fstream>
#include <iterator>

#include "graphics/AGFUnit.h"
#include "graphics/PowerD3D.h"

namespace marblix {

namespace {
constexpr int GlyphTextureSize = 256;
constexpr int GlyphTextureFormat = 21;  // 32-bit with alpha

// Rounds to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double value) {
  return static_cast<int>(std::nearbyint(value));
}
}  // namespace

TQzFont::TQzFont(TPowerGraph* device) : Device(device) {}

TQzFont::~TQzFont() {
  if (GlyphImage) GlyphImage->ReleaseTextures();
}

bool TQzFont::LoadMetrics(const std::string& path, const TLogSink& log) {
  if (Device == nullptr || !Device->Initialized()) return false;
  std::ifstream file(path, std::ios::binary);
  std::array<char, FontMetricsSize> bytes{};
  file.read(bytes.data(), FontMetricsSize);
  if (!file || file.gcount() != FontMetricsSize) {
    if (log) {
      log("Font metrics \"" + path + "\" missing or shorter than 258 bytes: no text is drawn");
    }
    return false;
  }
  GlyphCellWidth = static_cast<uint8_t>(bytes[0]);
  GlyphCellHeight = static_cast<uint8_t>(bytes[1]);
  for (size_t code = 0; code < GlyphWidths.size(); ++code) {
    GlyphWidths[code] = static_cast<uint8_t>(bytes[code + 2]);
  }
  MetricsLoaded = true;
  return true;
}

bool TQzFont::LoadGlyphs(const std::string& path, const TLogSink& log) {
  if (Device == nullptr || !Device->Initialized()) return false;
  if (!MetricsLoaded || GlyphCellWidth == 0 || GlyphCellHeight == 0) {
    if (log) log("Font glyphs \"" + path + "\" not loaded: the font has no metrics");
    return false;
  }
  GlyphImage = std::make_unique<TAGFImage>();
  return GlyphImage->LoadPatterns(Device->D3DDevice8(), path, GlyphCellWidth, GlyphCellHeight,
                                  GlyphTextureSize, GlyphTextureSize, GlyphTextureFormat) == 0;
}

int TQzFont::TextWidth(const std::string& text) const {
  int width = 0;
  for (const char c : text) width += GlyphWidths[static_cast<uint8_t>(c)];
  return width;
}

int TQzFont::ScaledAdvance(uint8_t width, uint16_t percent) {
  return RoundHalfEven(width / 100.0 * percent);
}

int TQzFont::ScaleOf(uint16_t percent) {
  return RoundHalfEven(percent * 2.56);
}

int TQzFont::ScaledTextWidth(const std::string& text, uint16_t percent) const {
  int width = 0;
  for (const char c : text) width += ScaledAdvance(GlyphWidths[static_cast<uint8_t>(c)], percent);
  return width;
}

void TQzFont::DrawGlyphsFrom(const std::string& text, int pen, int y, uint32_t colour) {
  if (Device == nullptr || !GlyphImage) return;
  for (const char c : text) {
    const uint8_t code = static_cast<uint8_t>(c);
    Device->DrawImageColor(GlyphImage.get(), pen, y, colour, code, GlyphEffect);
    pen += GlyphWidths[code];
  }
}

void TQzFont::DrawLeft(const std::string& text, int x, int y, uint32_t colour) {
  DrawGlyphsFrom(text, x, y, colour);
}

void TQzFont::DrawNumberRight(int32_t number, int x, int y, uint32_t colour) {
  const std::string text = std::to_string(number);
  DrawGlyphsFrom(text, x - TextWidth(text), y, colour);
}

void TQzFont::DrawCentered(const std::string& text, int x, int y, uint32_t colour) {
  DrawGlyphsFrom(text, x - TextWidth(text) / 2, y, colour);
}

void TQzFont::DrawCenteredScaled(const std::string& text, int x, int y, uint16_t percent,
                                 uint32_t colour) {
  DrawLeftScaled(text, x - ScaledTextWidth(text, percent) / 2, y, percent, colour);
}

void TQzFont::DrawLeftScaled(const std::string& text, int x, int y, uint16_t percent,
                             uint32_t colour) {
  if (Device == nullptr || !GlyphImage) return;
  const int scale = ScaleOf(percent);
  int pen = x;
  for (const char c : text) {
    const uint8_t code = static_cast<uint8_t>(c);
    Device->DrawImageScaled(GlyphImage.get(), pen, y, scale, colour, code, GlyphEffect);
    pen += ScaledAdvance(GlyphWidths[code], percent);
  }
}

void TQzFont::DrawCenteredScaledCaret(const std::string& text, int x, int y, uint16_t percent,
                                      uint32_t colour, bool caret) {
  DrawCenteredScaled(text + (caret ? "I" : " "), x, y, percent, colour);
}

void TQzFont::DrawLinesCentered(const std::vector<std::string>& lines, int x, int y,
                                uint8_t percent, uint32_t colour) {
  for (size_t line = 0; line < lines.size(); ++line) {
    DrawCenteredScaled(lines[line], x, y + LineSpacing * static_cast<int>(line), percent, colour);
  }
}

}  // namespace marblix
