// The font metrics, the string table and the sound list of the generated pack: every key and
// name is there, every dialog fits its box in the pack's own font, every listed sound decodes.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <cmath>
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
#include "text/qz_strings.h"

namespace {

const std::filesystem::path kData = MARBLIX_DATA_DIR;

std::vector<unsigned char> metrics() {
  std::ifstream file(kData / "graphics/font/font.rls", std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

// Width of a text drawn scaled, as the font draws it (each advance rounded half to even).
int scaledWidth(const std::string& text, int percent) {
  static const auto m = metrics();
  int w = 0;
  for (unsigned char c : text) w += int(std::nearbyint(m[2 + c] / 100.0 * percent));
  return w;
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
  // Every glyph cell of a visible character has ink; space has none.
  auto inked = [&](int b) {
    for (int y = 0; y < m[1]; ++y)
      for (int x = 0; x < m[0]; ++x)
        if (sheet.Pixel((b % 16) * m[0] + x, (b / 16) * m[1] + y) >> 24) return true;
    return false;
  };
  for (int b : {int('A'), int('g'), int('0'), int('9'), 0x80, 0xC4, 0xDF, 0xFF})
    EXPECT_TRUE(inked(b)) << b;
  EXPECT_FALSE(inked(' '));
}

TEST(PackFont, CodePageMapsTheWindowsWesternBytes) {
  EXPECT_EQ(assetgen::codePageCharacter('A'), 0x41u);
  EXPECT_EQ(assetgen::codePageCharacter(0x80), 0x20ACu);  // euro sign
  EXPECT_EQ(assetgen::codePageCharacter(0x81), 0u);       // unused byte
  EXPECT_EQ(assetgen::codePageCharacter(0x9F), 0x178u);
  EXPECT_EQ(assetgen::codePageCharacter(0xE9), 0xE9u);
  EXPECT_EQ(assetgen::codePageCharacter(0x1F), 0u);
  EXPECT_EQ(assetgen::toUtf8(0x20AC), "\xE2\x82\xAC");
}

TEST(PackStrings, EveryKeyHasItsTextAndEveryDialogFitsItsBox) {
  marblix::TQzStrings strings;
  ASSERT_TRUE(strings.LoadStrings((kData / "strings.txt").string()));
  for (const std::string* text : {&strings.Help, &strings.Options, &strings.HighScores,
                                  &strings.Kids, &strings.Normal, &strings.Proff})
    EXPECT_FALSE(text->empty());
  std::ifstream raw(kData / "strings.txt", std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(raw), {}};
  EXPECT_NE(text.find("$MainCaption\r\nMarblix v1.00\r\n"), std::string::npos);

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
    SCOPED_TRACE(d.name);
    EXPECT_FALSE(d.caption.empty());
    EXPECT_FALSE(d.lines.empty());
    EXPECT_LE(int(d.lines.size()), d.maxLines);
    // The text field of the box runs from x 332 to 731 (box at 310, 443 wide); pictures take
    // the left of it in the name and low-score dialogs.
    const int left = d.centre == 530 ? 332 : (d.centre == 550 ? 425 : 505);
    const int halfRoom = std::min(d.centre - left, 731 - d.centre);
    EXPECT_LE(scaledWidth(d.caption, 70) / 2, halfRoom) << d.caption;
    // The final score and the place at their widest.
    for (const std::string& line : d.lines) {
      const std::string filled = marblix::FormatText(line, {"65535", "10"});
      EXPECT_LE(scaledWidth(filled, 70) / 2, halfRoom) << filled;
    }
  }
  // The titles fit their 260-pixel plate, the mode names the tab under the board.
  // A key written twice would hide the second text from translators: the first one counts.
  std::istringstream lines(text);
  std::set<std::string> keys;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || (line[0] != '$' && line[0] != '@')) continue;
    EXPECT_TRUE(keys.insert(line).second) << line;
  }
  // Titles, modes, caption, undo, page number, invitation and no-line; the daily's name; the
  // statistics page's title, four heads, nine rows and three lines below; eight dialogs and the
  // exit question's two other texts.
  EXPECT_EQ(keys.size(), 11u + 1u + (1u + 4u + 9u + 3u) + 8u * 2u + 2u);
  for (const std::string* title : {&strings.Help, &strings.Options, &strings.HighScores})
    EXPECT_LE(scaledWidth(*title, 100), 240);
  const std::string daily = marblix::FormatText(strings.Daily, {"2026-12-09"});
  for (const std::string* mode : std::initializer_list<const std::string*>{
           &strings.Kids, &strings.Normal, &strings.Proff, &daily})
    EXPECT_LE(scaledWidth(*mode, 75), 150) << *mode;
  // The statistics page at 75 per cent: labels left of the first column, heads in their 74-pixel
  // columns, the lines below inside the panel.
  EXPECT_LE(scaledWidth(strings.Statistics, 100), 240);
  ASSERT_EQ(strings.StatisticsRows.size(), 9u);
  for (const std::string& row : strings.StatisticsRows) {
    EXPECT_FALSE(row.empty());
    EXPECT_LE(scaledWidth(row, 75), 160) << row;
  }
  ASSERT_EQ(strings.StatisticsHeads.size(), 4u);
  for (const std::string& head : strings.StatisticsHeads) EXPECT_LE(scaledWidth(head, 75), 70);
  for (const std::string& line :
       {marblix::FormatText(strings.BestToday, {"65535"}), strings.NoBestToday,
        marblix::FormatText(strings.Streak, {"365"})})
    EXPECT_LE(scaledWidth(line, 75), 440) << line;
  // The undo mark in the score box: 60 per cent, inside its 136-pixel width.
  EXPECT_FALSE(strings.Undo.empty());
  EXPECT_LE(scaledWidth(strings.Undo, 60), 136);
  // The invitation on the empty board fits its band.
  EXPECT_FALSE(strings.PlayAgain.empty());
  EXPECT_LE(scaledWidth(strings.PlayAgain, 85), 420);
  EXPECT_FALSE(strings.NoLine.empty());
  EXPECT_LE(scaledWidth(strings.NoLine, 85), 420);
  // The page number carries both numbers.
  EXPECT_EQ(marblix::FormatText(strings.HelpPage, {"2", "6"}), "2 / 6");
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
