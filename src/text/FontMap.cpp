// Reading a glyph map line by line: sheet and glyph lines, numbers checked, bad lines reported.
#include "text/FontMap.h"

#include <charconv>
#include <optional>
#include <sstream>

#include "text/TextLines.h"

namespace marblix {
namespace {

// Sheets and cells larger than a texture the game makes are refused.
constexpr int LargestCell = 1024;

std::optional<int> Number(const std::string& word, int base, int least, int most) {
  int value = 0;
  const char* end = word.data() + word.size();
  const auto [stop, error] = std::from_chars(word.data(), end, value, base);
  if (error != std::errc() || stop != end || value < least || value > most) return std::nullopt;
  return value;
}

std::vector<std::string> Words(std::string_view line) {
  std::istringstream in{std::string(line)};
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// The file name may hold spaces: it is everything between the keyword and the last three numbers.
std::optional<TFontSheetSpec> SheetLine(std::string_view line, const std::vector<std::string>& w,
                                        std::string& reason) {
  if (w.size() < 5) {
    reason = "a sheet needs a file, a cell width and height and the cells per row";
    return std::nullopt;
  }
  const std::size_t n = w.size();
  const auto width = Number(w[n - 3], 10, 1, LargestCell);
  const auto height = Number(w[n - 2], 10, 1, LargestCell);
  const auto perRow = Number(w[n - 1], 10, 1, LargestCell);
  if (!width || !height || !perRow) {
    reason = "cell sizes and cells per row must be whole numbers from 1 to 1024";
    return std::nullopt;
  }
  std::string_view file = TrimBlanks(line).substr(w[0].size());
  for (int k = 0; k < 3; ++k) file = TrimBlanks(file.substr(0, file.rfind(w[n - 1 - k])));
  return TFontSheetSpec{std::string(file), *width, *height, *perRow};
}

std::optional<TFontMapGlyph> GlyphLine(const std::vector<std::string>& w, std::string& reason) {
  if (w.size() != 5) {
    reason = "a glyph needs a code point, a sheet, a cell and an advance";
    return std::nullopt;
  }
  const auto code = Number(w[1], 16, 0, 0x10FFFF);
  const auto sheet = Number(w[2], 10, 0, 255);
  const auto cell = Number(w[3], 10, 0, LargestCell * LargestCell);
  const auto advance = Number(w[4], 10, 0, LargestCell);
  if (!code || (*code >= 0xD800 && *code <= 0xDFFF)) {
    reason = "\"" + w[1] + "\" is no code point";
    return std::nullopt;
  }
  if (!sheet || !cell || !advance) {
    reason = "sheet, cell and advance must be whole numbers";
    return std::nullopt;
  }
  return TFontMapGlyph{static_cast<char32_t>(*code), *sheet, *cell, *advance, 0};
}

}  // namespace

TFontMap ParseFontMap(const std::vector<std::string>& lines,
                      const std::function<void(int line, const std::string& reason)>& skipped) {
  TFontMap map;
  std::vector<TFontMapGlyph> glyphs;
  for (std::size_t index = 0; index < lines.size(); ++index) {
    std::string_view line = lines[index];
    if (index == 0 && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);  // a byte-order mark
    line = TrimBlanks(line);
    if (line.empty() || line.front() == ';') continue;
    const int number = static_cast<int>(index) + 1;
    const std::vector<std::string> words = Words(line);
    std::string reason = "unknown line \"" + words.front() + "\"";
    if (words.front() == "sheet") {
      if (const auto sheet = SheetLine(line, words, reason)) {
        map.Sheets.push_back(*sheet);
        continue;
      }
    } else if (words.front() == "glyph") {
      if (auto glyph = GlyphLine(words, reason)) {
        glyph->Line = number;
        glyphs.push_back(*glyph);
        continue;
      }
    }
    if (skipped) skipped(number, reason);
  }
  for (const TFontMapGlyph& glyph : glyphs) {
    if (glyph.Sheet < static_cast<int>(map.Sheets.size())) {
      map.Glyphs.push_back(glyph);
    } else if (skipped) {
      skipped(glyph.Line, "the map has no sheet " + std::to_string(glyph.Sheet));
    }
  }
  return map;
}

}  // namespace marblix
