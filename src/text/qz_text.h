// TQzFont: the bitmap font, one glyph pattern per character code with its advance from the metrics
// file.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace marblix {

class TAGFImage;
class TPowerGraph;

using TLogSink = std::function<void(const std::string&)>;

inline constexpr int FontMetricsSize = 258;
inline constexpr int GlyphEffect = 0x102;  // blendAlpha with blendDiffuseAlpha
inline constexpr int LineSpacing = 15;

class TQzFont {
 public:
  explicit TQzFont(TPowerGraph* device);
  ~TQzFont();
  TQzFont(const TQzFont&) = delete;
  TQzFont& operator=(const TQzFont&) = delete;

  // Reads the cell size and the 256 advances. A missing or short file is logged and leaves the font
  // without metrics: it then loads no glyphs and draws nothing.
  bool LoadMetrics(const std::string& path, const TLogSink& log = {});
  // Loads the glyph sheet in cells of the metrics' size; needs the metrics.
  bool LoadGlyphs(const std::string& path, const TLogSink& log = {});

  void DrawLeft(const std::string& text, int x, int y, uint32_t colour);
  void DrawNumberRight(int32_t number, int x, int y, uint32_t colour);
  void DrawCentered(const std::string& text, int x, int y, uint32_t colour);
  void DrawCenteredScaled(const std::string& text, int x, int y, uint16_t percent, uint32_t colour);
  // The text scaled, starting at x.
  void DrawLeftScaled(const std::string& text, int x, int y, uint16_t percent, uint32_t colour);
  // The text with "I" (caret shown) or " " appended, centred as one.
  void DrawCenteredScaledCaret(const std::string& text, int x, int y, uint16_t percent,
                               uint32_t colour, bool caret);
  // Line i at (x, y + 15 i), each as DrawCenteredScaled.
  void DrawLinesCentered(const std::vector<std::string>& lines, int x, int y, uint8_t percent,
                         uint32_t colour);

  // Sum of the natural advances of the text.
  int TextWidth(const std::string& text) const;
  // Sum of the scaled advances of the text.
  int ScaledTextWidth(const std::string& text, uint16_t percent) const;
  // (width / 100) * percent, rounded to the nearest integer, halves to even.
  static int ScaledAdvance(uint8_t width, uint16_t percent);
  // percent * 2.56, rounded the same way: the glyph scale in 1/256.
  static int ScaleOf(uint16_t percent);

  std::array<uint8_t, 256> GlyphWidths{};
  uint8_t GlyphCellWidth = 0;
  uint8_t GlyphCellHeight = 0;
  std::unique_ptr<TAGFImage> GlyphImage;
  // The metrics file was read whole.
  bool MetricsLoaded = false;

 private:
  void DrawGlyphsFrom(const std::string& text, int pen, int y, uint32_t colour);

  TPowerGraph* Device;
};

}  // namespace marblix
