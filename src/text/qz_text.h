// TQzFont: the bitmap font. Texts are UTF-8; each code point's glyph is found through the glyph
// maps over their sheets, or, for a pack without a map, as the pattern of its Windows-1252 byte
// with the advance from the metrics file. A code point the font lacks is drawn as a box.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "text/FontMap.h"

namespace marblix {

class TAGFImage;
class TBitmap;
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

  // ---- A pack without a glyph map ----
  // Reads the cell size and the 256 advances. A missing or short file is logged and leaves the font
  // without metrics: it then loads no glyphs and draws nothing.
  bool LoadMetrics(const std::string& path, const TLogSink& log = {});
  // Loads the glyph sheet in cells of the metrics' size; needs the metrics.
  bool LoadGlyphs(const std::string& path, const TLogSink& log = {});

  // ---- Glyph maps ----
  // Reads a glyph map and the sheets it names; its glyphs take precedence over those read before.
  // Bad lines, and sheets missing or unreadable, are logged; their glyphs are left out. False when
  // the map cannot be opened.
  bool LoadMap(const std::string& path, const TLogSink& log = {});
  // Forgets every glyph and sheet, to load another language's; the code points already reported
  // missing stay reported.
  void Clear();
  // The font knows at least one glyph.
  bool HasGlyphs() const;

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
  static int ScaledAdvance(int width, uint16_t percent);
  // percent * 2.56, rounded the same way: the glyph scale in 1/256.
  static int ScaleOf(uint16_t percent);

  std::array<uint8_t, 256> GlyphWidths{};
  uint8_t GlyphCellWidth = 0;
  uint8_t GlyphCellHeight = 0;
  std::unique_ptr<TAGFImage> GlyphImage;
  // The metrics file was read whole.
  bool MetricsLoaded = false;

 private:
  // One glyph as drawn: the picture (none: an empty glyph), its pattern and its advance.
  struct TGlyph {
    const TAGFImage* Image = nullptr;
    int Pattern = 0;
    int Advance = 0;
  };
  struct TMappedGlyph {
    int Sheet = 0;
    int Pattern = 0;
    int Advance = 0;
  };
  struct TBox {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
  };

  // The glyph of a code point, or nothing when the font lacks it.
  bool FindGlyph(char32_t codePoint, TGlyph& glyph) const;
  // As FindGlyph, the lacking code points as the box (reported once each) or, for control
  // characters and a font without glyphs, as nothing.
  TGlyph GlyphToDraw(char32_t codePoint);
  int AdvanceOf(char32_t codePoint) const;
  // A box is as wide as "0".
  int BoxAdvance() const;
  void DrawGlyphsFrom(const std::string& text, int pen, int y, uint32_t colour);
  // Loads one sheet of a map into Sheets; false (logged) when it is missing or unreadable.
  bool LoadSheet(const std::string& path, const TFontSheetSpec& spec, TBitmap& picture);
  // Where a cell of the picture has ink, relative to the cell.
  static TBox InkOf(const TBitmap& picture, int left, int top, int width, int height);
  // The box in cells of the given size, as wide and tall as the ink of "0".
  void MakeBox(int cellWidth, int cellHeight, const TBox& inkOfZero);

  TPowerGraph* Device;
  std::vector<std::unique_ptr<TAGFImage>> Sheets;
  std::unordered_map<char32_t, TMappedGlyph> Mapped;
  std::unique_ptr<TAGFImage> BoxImage;
  std::set<char32_t> ReportedMissing;
  TLogSink Log;
};

}  // namespace marblix
