// The font and its maps, the string tables and the sound list of the generated pack: every key
// and name is there in every language, every text fits its box in the pack's own font and has
// its glyphs, the pseudo-language shows the checks catch overflow, every listed sound decodes.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "assetgen/font.h"
#include "graphics/TGAReader.h"
#include "sound/SoundNames.h"
#include "support/TempDir.h"
#include "text/qz_strings.h"

namespace {

namespace fs = std::filesystem;
const fs::path kData = MARBLIX_DATA_DIR;

std::vector<unsigned char> metrics() {
  std::ifstream file(kData / "graphics/font/font.rls", std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

std::string contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The languages of the pack: the root's English ("") and every folder LINGUAS names.
std::vector<std::string> languages() {
  std::vector<std::string> codes = {""};
  std::ifstream linguas(fs::path(MARBLIX_PO_DIR) / "LINGUAS");
  for (std::string code; std::getline(linguas, code);)
    if (!code.empty() && code[0] != '#') codes.push_back(code);
  return codes;
}

fs::path folderOf(const std::string& code) {
  return code.empty() ? kData : kData / "lang" / code;
}

// The glyphs a language draws, as the game reads them: the root's font.map, then the
// language's own, whose code points come first.
class Letters {
 public:
  struct Sheet {
    fs::path file;
    int cellWidth, cellHeight, perRow;
  };
  struct Glyph {
    std::size_t sheet;
    int cell;
    int advance;
  };

  explicit Letters(const std::string& code) {
    read(kData / "graphics/font/font.map");
    const fs::path own = folderOf(code) / "graphics/font/font.map";
    if (!code.empty() && fs::exists(own)) read(own);
  }

  const Glyph* find(std::uint32_t c) const {
    const auto it = glyphs_.find(c);
    return it == glyphs_.end() ? nullptr : &it->second;
  }
  const std::vector<Sheet>& sheets() const { return sheets_; }
  const std::map<std::uint32_t, Glyph>& glyphs() const { return glyphs_; }

  // Width of a text drawn scaled, as the font draws it (each advance rounded half to even).
  int width(const std::string& text, int percent) const {
    int w = 0;
    for (std::uint32_t c : assetgen::codePoints(text)) {
      const Glyph* g = find(c);
      w += int(std::nearbyint((g ? g->advance : 24) / 100.0 * percent));
    }
    return w;
  }

 private:
  void read(const fs::path& map) {
    std::ifstream in(map);
    ASSERT_TRUE(in) << map;
    const std::size_t first = sheets_.size();
    for (std::string line; std::getline(in, line);) {
      std::istringstream words(line);
      std::string kind;
      words >> kind;
      if (kind == "sheet") {
        Sheet sheet{};
        std::string file;
        words >> file >> sheet.cellWidth >> sheet.cellHeight >> sheet.perRow;
        sheet.file = map.parent_path() / file;
        sheets_.push_back(sheet);
      } else if (kind == "glyph") {
        std::string hex;
        Glyph glyph{};
        words >> hex >> glyph.sheet >> glyph.cell >> glyph.advance;
        glyph.sheet += first;
        glyphs_[std::uint32_t(std::stoul(hex, nullptr, 16))] = glyph;
      }
      ASSERT_TRUE(kind.empty() || kind[0] == ';' || !words.fail()) << map << ": " << line;
    }
  }

  std::vector<Sheet> sheets_;
  std::map<std::uint32_t, Glyph> glyphs_;
};

// Whether a glyph's cell holds any ink.
bool inked(const marblix::TBitmapEx& sheet, const Letters::Sheet& s, int cell) {
  const int left = (cell % s.perRow) * s.cellWidth, top = (cell / s.perRow) * s.cellHeight;
  for (int y = 0; y < s.cellHeight; ++y)
    for (int x = 0; x < s.cellWidth; ++x)
      if (sheet.Pixel(left + x, top + y) >> 24) return true;
  return false;
}

TEST(PackFont, MetricsDescribeTheGlyphSheet) {
  const auto m = metrics();
  ASSERT_EQ(m.size(), 258u);
  marblix::TBitmapEx sheet;
  sheet.LoadFromFile((kData / "graphics/font/font.bmp").string());
  EXPECT_EQ(sheet.Width(), m[0] * 16);
  EXPECT_EQ(sheet.Height(), m[1] * 16);
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    const bool printable = assetgen::codePageCharacter(b) != 0;
    EXPECT_EQ(m[2 + b] > 0, printable);
    EXPECT_LE(m[2 + b], m[0]);
  }
  EXPECT_EQ(m[2 + ' '], m[2 + 0xA0]);
}

TEST(PackFont, CodePageMapsTheWindowsWesternBytes) {
  EXPECT_EQ(assetgen::codePageCharacter('A'), 0x41u);
  EXPECT_EQ(assetgen::codePageCharacter(0x80), 0x20ACu);  // euro sign
  EXPECT_EQ(assetgen::codePageCharacter(0x81), 0u);       // unused byte
  EXPECT_EQ(assetgen::codePageCharacter(0x9F), 0x178u);
  EXPECT_EQ(assetgen::codePageCharacter(0xE9), 0xE9u);
  EXPECT_EQ(assetgen::codePageCharacter(0x1F), 0u);
  EXPECT_EQ(assetgen::toUtf8(0x20AC), "\xE2\x82\xAC");
  EXPECT_EQ(assetgen::codePoints("A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\xB2\xFF"),
            (std::vector<std::uint32_t>{'A', 0xE9, 0x20AC, 0x1F3B2, 0xFFFD}));
}

// Every map of the pack: its sheets are pictures the game reads, at most 1024 x 1024 and cut
// into whole cells; every glyph lies in its sheet, advances no more than its cell, and has ink
// unless it is a space; the root's map draws the code page as font.rls and font.bmp do, and
// every letter a typed name may need.
TEST(PackFont, EveryMapNamesWholeCellsWithInk) {
  const auto m = metrics();
  for (const std::string& code : languages()) {
    SCOPED_TRACE(code);
    const Letters letters(code);
    std::vector<marblix::TBitmapEx> pictures(letters.sheets().size());
    for (std::size_t n = 0; n < pictures.size(); ++n) {
      const Letters::Sheet& s = letters.sheets()[n];
      pictures[n].LoadFromFile(s.file.string());
      EXPECT_LE(pictures[n].Width(), 1024) << s.file;
      EXPECT_LE(pictures[n].Height(), 1024) << s.file;
      EXPECT_EQ(pictures[n].Width(), s.perRow * s.cellWidth) << s.file;
      EXPECT_EQ(pictures[n].Height() % s.cellHeight, 0) << s.file;
    }
    for (const auto& [c, g] : letters.glyphs()) {
      const Letters::Sheet& s = letters.sheets()[g.sheet];
      const int cells = s.perRow * (pictures[g.sheet].Height() / s.cellHeight);
      ASSERT_LT(g.cell, cells) << std::hex << c;
      EXPECT_LE(g.advance, s.cellWidth) << std::hex << c;
      const bool blank = c == 0x20 || c == 0xA0 || c == 0x3000;
      EXPECT_EQ(inked(pictures[g.sheet], s, g.cell), !blank) << std::hex << c;
    }
  }
  const Letters root("");
  for (int b = 0x20; b < 256; ++b) {
    const std::uint32_t c = assetgen::codePageCharacter(b);
    if (c == 0) continue;
    const Letters::Glyph* g = root.find(c);
    ASSERT_NE(g, nullptr) << std::hex << c;
    EXPECT_EQ(g->advance, m[2 + b]) << std::hex << c;
    EXPECT_EQ(root.sheets()[g->sheet].file.filename(), "font.bmp");
    EXPECT_EQ(g->cell, b);
  }
  // Polish, Turkish, Greek (final sigma, accents), Russian, Ukrainian, Romanian.
  for (std::uint32_t c : {0x141u, 0x131u, 0x11Fu, 0x3C2u, 0x3AEu, 0x44Bu, 0x491u, 0x457u, 0x219u})
    EXPECT_NE(root.find(c), nullptr) << std::hex << c;
}

// A strings.txt's keys: every "$key" and "@key" line, in lower case as the reader compares them.
std::set<std::string> keysOf(const std::string& text) {
  std::set<std::string> keys;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || (line[0] != '$' && line[0] != '@')) continue;
    std::transform(line.begin(), line.end(), line.begin(), ::tolower);
    EXPECT_TRUE(keys.insert(line).second) << "written twice: " << line;
  }
  return keys;
}

// The value of a "$key" line, for the keys the string table does not hold itself.
std::string valueOf(const std::string& text, const std::string& key) {
  const std::string line = "$" + key + "\r\n";
  const auto at = text.find(line);
  if (at == std::string::npos) return {};
  const auto start = at + line.size();
  return text.substr(start, text.find("\r\n", start) - start);
}

// The texts of a strings.txt that do not fit their room on the screen, or that need a glyph the
// font lacks, in the pack's own font: one line each.
std::vector<std::string> misfits(const fs::path& file, const Letters& letters) {
  marblix::TQzStrings strings;
  if (!strings.LoadStrings(file.string())) return {"cannot read " + file.string()};
  const std::string raw = contents(file);
  std::vector<std::string> found;
  auto check = [&](const std::string& what, const std::string& text, int percent, int room) {
    if (text.empty()) found.push_back(what + " is empty");
    const int width = letters.width(text, percent);
    if (width > room)
      found.push_back(what + " \"" + text + "\" is " + std::to_string(width) + " px at " +
                      std::to_string(percent) + " %, room " + std::to_string(room));
    for (std::uint32_t c : assetgen::codePoints(text))
      if (!letters.find(c)) found.push_back(what + " needs a glyph for U+" + std::to_string(c));
  };
  // The titles fit their 260-pixel plate, the mode names the tab under the board, the undo mark
  // the score box at 60 per cent, the Language row's label and names the options panel.
  check("Help", strings.Help, 100, 240);
  check("Options", strings.Options, 100, 240);
  check("HighScores", strings.HighScores, 100, 240);
  check("Kids", strings.Kids, 75, 150);
  check("Normal", strings.Normal, 75, 150);
  check("Proff", strings.Proff, 75, 150);
  check("Undo", strings.Undo, 60, 136);
  // The invitation on the empty board and the hint's answer fit their band.
  check("Daily", marblix::FormatText(strings.Daily, {"2026-12-09"}), 75, 150);
  // The statistics page at 75 per cent: labels left of the first column, heads in their 74-pixel
  // columns, the lines below inside the panel.
  check("Statistics", strings.Statistics, 100, 240);
  if (strings.StatisticsRows.size() != 9 || strings.StatisticsHeads.size() != 4)
    found.push_back("the statistics page lacks rows or heads");
  for (const std::string& row : strings.StatisticsRows) check("Stats row", row, 75, 160);
  for (const std::string& head : strings.StatisticsHeads) check("Stats head", head, 75, 70);
  check("BestToday", marblix::FormatText(strings.BestToday, {"65535"}), 75, 440);
  check("NoBestToday", strings.NoBestToday, 75, 440);
  check("Streak", marblix::FormatText(strings.Streak, {"365"}), 75, 440);
  check("PlayAgain", strings.PlayAgain, 85, 420);
  check("NoLine", strings.NoLine, 85, 420);
  check("ChainBonus", marblix::FormatText(strings.ChainBonus, {"6480"}), 100, 300);
  // The instructions' page number, right of the Back button, carries both numbers.
  const std::string pageNumber = marblix::FormatText(strings.HelpPage, {"2", "6"});
  check("HelpPage", pageNumber, 70, 100);
  if (pageNumber.find('2') == std::string::npos || pageNumber.find('6') == std::string::npos)
    found.push_back("HelpPage \"" + strings.HelpPage + "\" loses a number");
  check("Language", valueOf(raw, "Language"), 100, 120);
  check("LanguageName", valueOf(raw, "LanguageName"), 100, 200);
  struct Dialog {
    const char* name;
    const std::string& caption;
    const std::vector<std::string>& lines;
    int centre;    // x of the caption and lines
    int maxLines;  // the name dialog shows the name below its text
  };
  // The daily result as wide as its numbers make it: the date, then points, lines, best, days.
  const std::string dailyCaption = marblix::FormatText(strings.DailyResult_Caption, {"2026-12-09"});
  std::vector<std::string> dailyLines;
  for (const std::string& line : strings.DailyResult_Text)
    dailyLines.push_back(marblix::FormatText(line, {"65535", "999", "65535", "365"}));
  const Dialog dialogs[] = {
      {"DailyResult", dailyCaption, dailyLines, 530, 5},
      {"Exit", strings.Exit_Caption, strings.Exit_Text, 530, 5},
      {"ExitUnscored", strings.Exit_Caption, strings.ExitUnscored_Text, 530, 5},
      {"ExitNoGame", strings.Exit_Caption, strings.ExitNoGame_Text, 530, 5},
      {"New", strings.New_Caption, strings.New_Text, 530, 5},
      {"Old", strings.Old_Caption, strings.Old_Text, 530, 5},
      {"Clear", strings.Clear_Caption, strings.Clear_Text, 530, 5},
      {"FullScreen", strings.FullScreen_Caption, strings.FullScreen_Text, 530, 5},
      {"EnterName", strings.EnterName_Caption, strings.EnterName_Text, 550, 2},
      {"LowScore", strings.LowScore_Caption, strings.LowScore_Text, 600, 5},
  };
  for (const Dialog& d : dialogs) {
    // The text field of the box runs from x 332 to 731 (box at 310, 443 wide); pictures take
    // the left of it in the name and low-score dialogs.
    const int left = d.centre == 530 ? 332 : (d.centre == 550 ? 425 : 505);
    const int room = 2 * std::min(d.centre - left, 731 - d.centre);
    check(std::string(d.name) + "_Caption", d.caption, 70, room);
    if (d.lines.empty() || int(d.lines.size()) > d.maxLines)
      found.push_back(std::string(d.name) + "_Text has " + std::to_string(d.lines.size()) +
                      " lines");
    // The final score and the place at their widest.
    for (const std::string& line : d.lines)
      check(std::string(d.name) + "_Text", marblix::FormatText(line, {"65535", "10"}), 70, room);
  }
  return found;
}

TEST(PackStrings, EveryLanguageHasEveryKeyAndEveryTextFitsItsBox) {
  const std::string root = contents(kData / "strings.txt");
  EXPECT_NE(root.find("$MainCaption\r\nMarblix v1.00\r\n"), std::string::npos);
  // Titles, modes, caption, undo, page number, invitation, no-line and chain bonus; the daily's
  // name; the statistics page's title, four heads, nine rows and three lines below; eight dialogs
  // and the exit question's two other texts; the language row's label and name.
  EXPECT_EQ(keysOf(root).size(), 12u + 1u + (1u + 4u + 9u + 3u) + 8u * 2u + 2u + 2u);
  EXPECT_EQ(languages().size(), 16u);
  for (const std::string& code : languages()) {
    SCOPED_TRACE(code);
    const fs::path file = folderOf(code) / "strings.txt";
    EXPECT_EQ(keysOf(contents(file)), keysOf(root));
    for (const std::string& misfit : misfits(file, Letters(code))) ADD_FAILURE() << misfit;
  }
}

// The options panel lists every language in its own name, whatever language it shows.
TEST(PackStrings, EveryLanguageNameHasItsGlyphsInTheRootFont) {
  const Letters root("");
  std::set<std::string> names;
  for (const std::string& code : languages()) {
    const std::string name = valueOf(contents(folderOf(code) / "strings.txt"), "LanguageName");
    EXPECT_TRUE(names.insert(name).second) << code << " has the name of another: " << name;
    for (std::uint32_t c : assetgen::codePoints(name))
      EXPECT_NE(root.find(c), nullptr) << code << ": " << name << " U+" << std::hex << c;
  }
}

// The pseudo-language, about 40 % longer than English, overflows boxes that English fits: the
// checks above and the generator's own must say so.
TEST(PackStrings, PseudoLanguageOverflowsAndTheChecksSayWhere) {
  marblix::testing::TTempDir dir;
  const fs::path output = dir.Path / "output.txt";
  const std::string command = std::string("\"") + MARBLIX_ASSETGEN + "\" --pseudo \"" +
                              dir.Path.string() + "\" > \"" + output.string() + "\" 2>&1";
  EXPECT_NE(std::system(command.c_str()), 0);
  const std::string said = contents(output);
  EXPECT_NE(said.find("en_XA: Button.Professional does not fit"), std::string::npos) << said;
  EXPECT_NE(said.find("en_XA: Button.Previous does not fit"), std::string::npos) << said;

  const std::vector<std::string> found = misfits(dir.Path / "lang/en_XA/strings.txt", Letters(""));
  auto named = [&found](const std::string& start) {
    return std::any_of(found.begin(), found.end(),
                       [&start](const std::string& f) { return f.starts_with(start); });
  };
  EXPECT_TRUE(named("Proff \"")) << ::testing::PrintToString(found);
  EXPECT_TRUE(named("LowScore_Text \"")) << ::testing::PrintToString(found);
}

struct SoundLine {
  std::string name, path;
};

std::vector<SoundLine> soundList() {
  std::ifstream file(kData / "sounds.txt", std::ios::binary);
  std::vector<SoundLine> lines;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto tab1 = line.find('\t'), tab2 = line.find('\t', tab1 + 1);
    EXPECT_NE(tab2, std::string::npos) << line;
    if (tab2 == std::string::npos) continue;
    std::size_t used = 0;
    std::stod(line.substr(tab2 + 1), &used);  // the number must read as a decimal
    EXPECT_EQ(used, line.size() - tab2 - 1) << line;
    lines.push_back({line.substr(0, tab1), line.substr(tab1 + 1, tab2 - tab1 - 1)});
  }
  return lines;
}

// Decodes an Ogg Vorbis file to mono floats (channels averaged); empty when it does not decode.
std::vector<float> decode(const std::filesystem::path& file, double* seconds = nullptr) {
  OggVorbis_File vf;
  if (ov_fopen(file.string().c_str(), &vf) != 0) return {};
  const int channels = ov_info(&vf, -1)->channels;
  if (seconds) *seconds = ov_time_total(&vf, -1);
  std::vector<float> out;
  for (;;) {
    float** pcm = nullptr;
    int section = 0;
    const long n = ov_read_float(&vf, &pcm, 4096, &section);
    if (n <= 0) break;
    for (long i = 0; i < n; ++i) {
      float v = 0;
      for (int c = 0; c < channels; ++c) v += pcm[c][i];
      out.push_back(v / float(channels));
    }
  }
  ov_clear(&vf);
  return out;
}

TEST(PackSounds, ListNamesEverySlotAndEveryFileDecodes) {
  const auto lines = soundList();
  std::set<std::string> names;
  for (const auto& l : lines) EXPECT_TRUE(names.insert(l.name).second) << "named twice: " << l.name;
  for (std::string_view slot : marblix::NamedSoundNames)
    EXPECT_TRUE(names.count(std::string(slot))) << slot;
  // Entry 23 of the bomb is a fixed file of its own.
  for (int n = 1; n <= marblix::BallSoundLooks; ++n)
    for (const marblix::TLookSoundTable& table : marblix::LookSoundTables)
      for (char letter : table.Letters)
        EXPECT_TRUE(names.count(std::string("_") + letter + std::to_string(n))) << letter << n;

  std::set<std::string> files;
  for (const auto& l : lines) {
    EXPECT_TRUE(l.path.starts_with("./sounds/")) << l.path;
    files.insert(l.path.substr(2));
  }
  for (const marblix::TFixedSound& fixed : marblix::FixedBombSounds)
    files.insert(std::string(fixed.File).substr(2));
  for (const auto& f : files) {
    SCOPED_TRACE(f);
    const auto samples = decode(kData / f);
    ASSERT_FALSE(samples.empty());
    float peak = 0;
    for (float v : samples) peak = std::max(peak, std::abs(v));
    EXPECT_GT(peak, 0.05f);                 // audible
    EXPECT_LE(peak, 1.02f);                 // not clipped
    EXPECT_LT(samples.size(), 44100u * 3);  // short
  }
}

TEST(PackSounds, EffectsStartAndEndInSilenceAndLoopsJoinUp) {
  for (const auto& l : soundList()) {
    const auto s = decode(kData / l.path.substr(2));
    ASSERT_GT(s.size(), 100u);
    if (l.name == "s_ballmove") {
      EXPECT_LT(std::abs(s.front() - s.back()), 0.1f) << l.path;
      continue;
    }
    SCOPED_TRACE(l.path);
    EXPECT_LT(std::abs(s.front()), 0.02f);
    EXPECT_LT(std::abs(s.back()), 0.02f);
  }
  const auto fuse = decode(kData / "sounds/a_bomb.ogg");
  ASSERT_FALSE(fuse.empty());
  EXPECT_LT(std::abs(fuse.front() - fuse.back()), 0.15f);
}

TEST(PackSounds, ThemeIsOneToTwoMinutesAndLoopsWithoutAJump) {
  double seconds = 0;
  const auto music = decode(kData / "music/theme.ogg", &seconds);
  ASSERT_FALSE(music.empty());
  EXPECT_GE(seconds, 60.0);
  EXPECT_LE(seconds, 120.0);
  // The end runs into the start: the step across the seam is no larger than steps inside.
  float largestStep = 0;
  for (std::size_t i = 1; i < music.size(); ++i)
    largestStep = std::max(largestStep, std::abs(music[i] - music[i - 1]));
  EXPECT_LE(std::abs(music.front() - music.back()), largestStep);
  EXPECT_LT(std::abs(music.front() - music.back()), 0.1f);
}

}  // namespace
