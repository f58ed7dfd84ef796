// The bitmap font: the glyph maps and their sheets, the metrics and sheet of a pack without a map,
// the box of a missing glyph, natural and scaled drawing with halves-to-even rounding.
#include "text/qz_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>

#include "graphics/AGFUnit.h"
#include "graphics/PowerD3D.h"
#include "graphics/TGAReader.h"
#include "platform/system/text_encoding.h"
#include "text/TextLines.h"

namespace marblix {

namespace {
constexpr int GlyphTextureSize = 256;
constexpr int GlyphTextureFormat = 21;  // 32-bit with alpha
constexpr int LargestTexture = 1024;

// Rounds to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double value) {
  return static_cast<int>(std::nearbyint(value));
}

// A texture side for cells of `cell` pixels cut from a picture `picture` pixels across.
int TextureSide(int cell, int picture) {
  return NextPowerOfTwo(std::max(cell, std::min(picture, LargestTexture)));
}

std::string CodePointName(char32_t codePoint) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(codePoint));
  return name;
}

}  // namespace

TQzFont::TQzFont(TPowerGraph* device) : Device(device) {}

TQzFont::~TQzFont() {
  if (GlyphImage) GlyphImage->ReleaseTextures();
}

bool TQzFont::LoadMetrics(const std::string& path, const TLogSink& log) {
  if (log) Log = log;
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
  if (log) Log = log;
  if (Device == nullptr || !Device->Initialized()) return false;
  if (!MetricsLoaded || GlyphCellWidth == 0 || GlyphCellHeight == 0) {
    if (log) log("Font glyphs \"" + path + "\" not loaded: the font has no metrics");
    return false;
  }
  TBitmapEx picture;
  picture.LoadFromFile(path);  // a missing file gives the NO IMAGE picture; damage throws
  picture.SetPixelFormat(TPixelFormat::pf32bit);
  GlyphImage = std::make_unique<TAGFImage>();
  const bool loaded = GlyphImage->LoadPatternsFromBitmap(
                          Device->D3DDevice8(), picture, GlyphCellWidth, GlyphCellHeight,
                          GlyphTextureSize, GlyphTextureSize, GlyphTextureFormat) == 0;
  if (loaded && !BoxImage) {
    const int columns = picture.Width() / GlyphCellWidth;
    const int zero = '0';
    MakeBox(
        GlyphCellWidth, GlyphCellHeight,
        InkOf(picture, (zero % std::max(columns, 1)) * GlyphCellWidth,
              (zero / std::max(columns, 1)) * GlyphCellHeight, GlyphCellWidth, GlyphCellHeight));
  }
  return loaded;
}

bool TQzFont::LoadSheet(const std::string& path, const TFontSheetSpec& spec, TBitmap& picture) {
  const auto note = [this](const std::string& line) {
    if (Log) Log(line);
  };
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    note("Font sheet \"" + path + "\" missing: its glyphs are drawn as boxes");
    return false;
  }
  try {
    TBitmapEx read;
    read.LoadFromFile(path);
    read.SetPixelFormat(TPixelFormat::pf32bit);
    picture = read;
  } catch (const std::exception& unreadable) {
    note("Font sheet \"" + path + "\" unreadable (" + unreadable.what() +
         "): its glyphs are drawn as boxes");
    return false;
  }
  if (picture.Width() < spec.CellWidth || picture.Height() < spec.CellHeight) {
    note("Font sheet \"" + path + "\" is smaller than one cell: its glyphs are drawn as boxes");
    return false;
  }
  return true;
}

bool TQzFont::LoadMap(const std::string& path, const TLogSink& log) {
  if (log) Log = log;
  if (Device == nullptr || !Device->Initialized()) return false;
  const std::optional<std::vector<std::string>> lines = ReadTextLines(path);
  if (!lines) return false;
  const TFontMap map = ParseFontMap(*lines, [this, &path](int line, const std::string& reason) {
    if (Log)
      Log("Font map \"" + path + "\", line " + std::to_string(line) + ": " + reason +
          ", line skipped");
  });
  const std::string folder = path.substr(0, path.find_last_of("/\\") + 1);
  const auto zero = std::find_if(map.Glyphs.begin(), map.Glyphs.end(),
                                 [](const TFontMapGlyph& glyph) { return glyph.CodePoint == '0'; });

  // Where each of the map's sheets went, and how many cells its picture holds across and down.
  struct TPlaced {
    int Index = -1;
    int Columns = 0;
    int Rows = 0;
  };
  std::vector<TPlaced> placed(map.Sheets.size());
  for (std::size_t s = 0; s < map.Sheets.size(); ++s) {
    const TFontSheetSpec& spec = map.Sheets[s];
    TBitmap picture;
    if (!LoadSheet(folder + spec.File, spec, picture)) continue;
    auto image = std::make_unique<TAGFImage>();
    if (image->LoadPatternsFromBitmap(Device->D3DDevice8(), picture, spec.CellWidth,
                                      spec.CellHeight, TextureSide(spec.CellWidth, picture.Width()),
                                      TextureSide(spec.CellHeight, picture.Height()),
                                      GlyphTextureFormat) != 0) {
      if (Log) Log("Font sheet \"" + folder + spec.File + "\" cannot be made into textures");
      continue;
    }
    placed[s] = {static_cast<int>(Sheets.size()), picture.Width() / spec.CellWidth,
                 picture.Height() / spec.CellHeight};
    if (zero != map.Glyphs.end() && zero->Sheet == static_cast<int>(s)) {
      const int column = zero->Cell % spec.CellsPerRow, row = zero->Cell / spec.CellsPerRow;
      MakeBox(spec.CellWidth, spec.CellHeight,
              InkOf(picture, column * spec.CellWidth, row * spec.CellHeight, spec.CellWidth,
                    spec.CellHeight));
    } else if (!BoxImage) {
      MakeBox(spec.CellWidth, spec.CellHeight, {});
    }
    Sheets.push_back(std::move(image));
  }

  for (const TFontMapGlyph& glyph : map.Glyphs) {
    const TPlaced& sheet = placed[static_cast<std::size_t>(glyph.Sheet)];
    if (sheet.Index < 0) continue;
    const int perRow = map.Sheets[static_cast<std::size_t>(glyph.Sheet)].CellsPerRow;
    const int column = glyph.Cell % perRow, row = glyph.Cell / perRow;
    if (column >= sheet.Columns || row >= sheet.Rows) {
      if (Log) {
        Log("Font map \"" + path + "\", line " + std::to_string(glyph.Line) + ": cell " +
            std::to_string(glyph.Cell) + " lies outside its sheet, line skipped");
      }
      continue;
    }
    Mapped[glyph.CodePoint] = {sheet.Index, row * sheet.Columns + column, glyph.Advance};
  }
  return true;
}

void TQzFont::Clear() {
  Mapped.clear();
  Sheets.clear();
  BoxImage.reset();
  GlyphImage.reset();
  GlyphWidths = {};
  GlyphCellWidth = GlyphCellHeight = 0;
  MetricsLoaded = false;
}

bool TQzFont::HasGlyphs() const {
  return !Mapped.empty() || MetricsLoaded;
}

TQzFont::TBox TQzFont::InkOf(const TBitmap& picture, int left, int top, int width, int height) {
  TBox ink{width, height, 0, 0};
  for (int y = top; y < std::min(top + height, picture.Height()); ++y) {
    for (int x = left; x < std::min(left + width, picture.Width()); ++x) {
      if ((picture.Pixel(x, y) >> 24) < 0x40) continue;
      ink.Left = std::min(ink.Left, x - left), ink.Right = std::max(ink.Right, x - left + 1);
      ink.Top = std::min(ink.Top, y - top), ink.Bottom = std::max(ink.Bottom, y - top + 1);
    }
  }
  return ink;
}

// A hollow rectangle, white with a dark rim like the glyphs, where "0" has its ink (or, without a
// "0", over the middle of the cell).
void TQzFont::MakeBox(int cellWidth, int cellHeight, const TBox& inkOfZero) {
  TBox box = inkOfZero;
  if (box.Right - box.Left < 5 || box.Bottom - box.Top < 5) {
    box = {1, cellHeight / 4, std::max(cellWidth / 2, 6), std::max(cellHeight * 3 / 4, 6)};
  }
  TBitmap picture;
  picture.SetPixelFormat(TPixelFormat::pf32bit);
  picture.SetSize(cellWidth, cellHeight);
  for (int y = 0; y < cellHeight; ++y) {
    for (int x = 0; x < cellWidth; ++x) {
      const int inside =
          std::min({x - box.Left, box.Right - 1 - x, y - box.Top, box.Bottom - 1 - y});
      uint32_t argb = 0;                                  // clear outside and in the middle
      if (inside == 0 || inside == 3) argb = 0x8C000000;  // the rim
      if (inside == 1 || inside == 2) argb = 0xFFFFFFFF;
      picture.SetPixel(x, y, argb);
    }
  }
  BoxImage = std::make_unique<TAGFImage>();
  if (BoxImage->LoadPatternsFromBitmap(Device->D3DDevice8(), picture, cellWidth, cellHeight,
                                       NextPowerOfTwo(cellWidth), NextPowerOfTwo(cellHeight),
                                       GlyphTextureFormat) != 0) {
    BoxImage.reset();
  }
}

bool TQzFont::FindGlyph(char32_t codePoint, TGlyph& glyph) const {
  if (const auto mapped = Mapped.find(codePoint); mapped != Mapped.end()) {
    const TMappedGlyph& found = mapped->second;
    glyph = {Sheets[static_cast<std::size_t>(found.Sheet)].get(), found.Pattern, found.Advance};
    return true;
  }
  if (!MetricsLoaded) return false;
  const int byte = Windows1252Byte(codePoint);
  if (byte < 0) return false;
  glyph = {GlyphImage.get(), byte, GlyphWidths[static_cast<std::size_t>(byte)]};
  return true;
}

int TQzFont::AdvanceOf(char32_t codePoint) const {
  TGlyph glyph;
  if (FindGlyph(codePoint, glyph)) return glyph.Advance;
  if (codePoint < 0x20 || !HasGlyphs()) return 0;
  return BoxAdvance();
}

int TQzFont::BoxAdvance() const {
  TGlyph zero;
  if (FindGlyph('0', zero) && zero.Advance > 0) return zero.Advance;
  return std::max<int>(GlyphCellWidth, 16) / 2;
}

TQzFont::TGlyph TQzFont::GlyphToDraw(char32_t codePoint) {
  TGlyph glyph;
  if (FindGlyph(codePoint, glyph)) return glyph;
  if (codePoint < 0x20 || !HasGlyphs()) return {};
  if (ReportedMissing.insert(codePoint).second && Log) {
    Log("Font has no glyph for " + CodePointName(codePoint) + ": drawn as a box");
  }
  return {BoxImage.get(), 0, AdvanceOf(codePoint)};
}

int TQzFont::TextWidth(const std::string& text) const {
  int width = 0;
  for (const char32_t c : CodePointsOf(text)) width += AdvanceOf(c);
  return width;
}

int TQzFont::ScaledAdvance(int width, uint16_t percent) {
  return RoundHalfEven(width / 100.0 * percent);
}

int TQzFont::ScaleOf(uint16_t percent) {
  return RoundHalfEven(percent * 2.56);
}

int TQzFont::ScaledTextWidth(const std::string& text, uint16_t percent) const {
  int width = 0;
  for (const char32_t c : CodePointsOf(text)) width += ScaledAdvance(AdvanceOf(c), percent);
  return width;
}

void TQzFont::DrawGlyphsFrom(const std::string& text, int pen, int y, uint32_t colour) {
  if (Device == nullptr) return;
  for (const char32_t c : CodePointsOf(text)) {
    const TGlyph glyph = GlyphToDraw(c);
    if (glyph.Image != nullptr)
      Device->DrawImageColor(glyph.Image, pen, y, colour, glyph.Pattern, GlyphEffect);
    pen += glyph.Advance;
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
  if (Device == nullptr) return;
  const int scale = ScaleOf(percent);
  int pen = x;
  for (const char32_t c : CodePointsOf(text)) {
    const TGlyph glyph = GlyphToDraw(c);
    if (glyph.Image != nullptr)
      Device->DrawImageScaled(glyph.Image, pen, y, scale, colour, glyph.Pattern, GlyphEffect);
    pen += ScaledAdvance(glyph.Advance, percent);
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
