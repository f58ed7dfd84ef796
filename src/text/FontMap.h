// The glyph map of a font ("font.map"): the sheets of glyph cells, and for each code point its
// sheet, cell and advance.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace marblix {

// "sheet <file> <cell width> <cell height> <cells per row>": a picture of cells laid out left to
// right, then down; the file is relative to the map's folder.
struct TFontSheetSpec {
  std::string File;
  int CellWidth = 0;
  int CellHeight = 0;
  int CellsPerRow = 0;
};

// "glyph <code point in hex> <sheet index> <cell index> <advance in pixels>".
struct TFontMapGlyph {
  char32_t CodePoint = 0;
  int Sheet = 0;
  int Cell = 0;
  int Advance = 0;
  int Line = 0;  // where the map names it, for messages
};

struct TFontMap {
  std::vector<TFontSheetSpec> Sheets;
  std::vector<TFontMapGlyph> Glyphs;
};

// Reads a map's lines (";" starts a comment). A line that is not a whole sheet or glyph line, or a
// glyph of a sheet the map does not have, is reported with its number (from 1) and skipped.
TFontMap ParseFontMap(const std::vector<std::string>& lines,
                      const std::function<void(int line, const std::string& reason)>& skipped);

}  // namespace marblix
