// Config.bin: byte layout, round trip, short files, and values a damaged file may hold.
#include <gtest/gtest.h>

#include "shell/config_file.h"

namespace marblix {
namespace {

ConfigContents Sample() {
  ConfigContents c;
  for (int m = 0; m < 3; ++m) {
    for (int r = 0; r < 10; ++r) {
      auto& e = c.Tables[m][r];
      e.NameLength = 3;
      e.Name = {'A', char('a' + m), char('0' + r)};
      e.Score = static_cast<uint16_t>(1000 * m + r + 0x100);
    }
  }
  c.MusicVolume = 40;
  c.SoundVolume = -2;  // stored as it is; sanitising is the reader's business
  c.SavedGameFlag = 1;
  c.Game.Mode = 2;
  c.Game.Score = 0x01020304;
  c.Game.NextCount = 3;
  c.Game.Preview = {{{0x10, 4}, {0x00010000, 21}, {0x7F, 10}, {0x9200007F, 20}}};
  c.Game.Cells[8][0] = {0x01000040, 17};
  c.Game.Cells[0][8] = {0x2, 1};
  c.Game.Cells[3][5] = {0, 9};  // an emptied cell keeps its Look
  return c;
}

uint32_t U32At(const std::vector<uint8_t>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t{b[at + 3]} << 24;
}

TEST(ConfigFile, LayoutIsLittleEndianAtTheFixedOffsets) {
  const auto bytes = EncodeConfig(Sample());
  ASSERT_EQ(bytes.size(), 1450u);
  // Table 1, row 2 starts at 200 + 40: length, 17 name bytes, 16-bit score.
  EXPECT_EQ(bytes[240], 3);
  EXPECT_EQ(bytes[241], 'A');
  EXPECT_EQ(bytes[242], 'b');
  EXPECT_EQ(bytes[243], '2');
  EXPECT_EQ(bytes[258] | bytes[259] << 8, 1000 + 2 + 0x100);
  EXPECT_EQ(U32At(bytes, 600), 40u);
  EXPECT_EQ(U32At(bytes, 604), 0xFFFFFFFEu);
  EXPECT_EQ(bytes[608], 1);
  EXPECT_EQ(bytes[609], 2);
  EXPECT_EQ(U32At(bytes, 610), 0x01020304u);
  EXPECT_EQ(U32At(bytes, 614), 3u);
  EXPECT_EQ(U32At(bytes, 618 + 8), 0x00010000u);  // preview 1 mask
  EXPECT_EQ(U32At(bytes, 618 + 12), 21u);         // preview 1 look
  // Cell slots run x-major over 10 x 10: (x, y) at 650 + 8 * (10x + y).
  EXPECT_EQ(U32At(bytes, 650 + 8 * 80), 0x01000040u);
  EXPECT_EQ(U32At(bytes, 650 + 8 * 80 + 4), 17u);
  EXPECT_EQ(U32At(bytes, 650 + 8 * 8), 0x2u);
  // The tenth row and column are zeros.
  for (int y = 0; y < 10; ++y) EXPECT_EQ(U32At(bytes, 650 + 8 * (90 + y)), 0u);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(U32At(bytes, 650 + 8 * (10 * x + 9)), 0u);
}

TEST(ConfigFile, RoundTripRestoresEveryField) {
  const ConfigContents original = Sample();
  ConfigContents read;
  DecodeConfig(EncodeConfig(original), read);
  EXPECT_EQ(EncodeConfig(read), EncodeConfig(original));
  EXPECT_EQ(read.Game.Cells[3][5].Look, 9u);
}

TEST(ConfigFile, WithoutSavedGameTheGameBytesAreWrittenButIgnoredOnRead) {
  ConfigContents c = Sample();
  c.SavedGameFlag = 0;
  const auto bytes = EncodeConfig(c);
  EXPECT_EQ(bytes.size(), 1450u);
  EXPECT_EQ(bytes[609], 2);
  ConfigContents read;
  DecodeConfig(bytes, read);
  EXPECT_EQ(read.SavedGameFlag, 0);
  EXPECT_EQ(read.Game.Score, 0);
}

TEST(ConfigFile, ShortFileKeepsWhatItDoesNotCover) {
  const auto bytes = EncodeConfig(Sample());
  ConfigContents read;
  read.MusicVolume = 50;
  read.SoundVolume = 75;
  read.SavedGameFlag = 1;
  // Ends in the middle of the music volume: table read, volumes kept, no saved game.
  DecodeConfig(std::span(bytes).first(602), read);
  EXPECT_EQ(read.Tables[2][9].Score, 2000 + 9 + 0x100);
  EXPECT_EQ(read.MusicVolume, 50);
  EXPECT_EQ(read.SoundVolume, 75);
  EXPECT_EQ(read.SavedGameFlag, 0);
  // Ends inside row 3 of table 0: rows 0..2 read, the rest untouched.
  ConfigContents partial;
  DecodeConfig(std::span(bytes).first(65), partial);
  EXPECT_EQ(partial.Tables[0][2].Score, 0x100 + 2);
  EXPECT_EQ(partial.Tables[0][3].Score, 0);
}

TEST(ConfigFile, SanitizingClampsNameLengthsAndVolumes) {
  ConfigContents c;
  c.Tables[1][4].NameLength = 200;
  c.MusicVolume = 1000;
  c.SoundVolume = -5;
  SanitizeSettings(c);
  EXPECT_EQ(c.Tables[1][4].NameLength, 17);
  EXPECT_EQ(c.MusicVolume, 100);
  EXPECT_EQ(c.SoundVolume, 0);
}

TEST(ConfigFile, OnlyAGameThisProgramCouldHaveSavedIsSound) {
  const SavedGameRecord good = Sample().Game;
  EXPECT_TRUE(SavedGameIsSound(good));
  auto damaged = [&](auto change) {
    SavedGameRecord g = good;
    change(g);
    return !SavedGameIsSound(g);
  };
  EXPECT_TRUE(damaged([](SavedGameRecord& g) { g.Mode = 3; }));
  EXPECT_TRUE(damaged([](SavedGameRecord& g) { g.Score = 0; }));
  EXPECT_TRUE(damaged([](SavedGameRecord& g) { g.NextCount = 5; }));
  EXPECT_TRUE(damaged([](SavedGameRecord& g) { g.NextCount = 0; }));
  EXPECT_TRUE(damaged([](SavedGameRecord& g) { g.Cells[2][2] = {0x1, 22}; }));         // Look 22
  EXPECT_TRUE(damaged([](SavedGameRecord& g) { g.Cells[2][2] = {0x80000001, 0}; }));   // stray bit
  EXPECT_TRUE(damaged([](SavedGameRecord& g) { g.Cells[2][2] = {0x00020000, 21}; }));  // exploding
  EXPECT_TRUE(damaged([](SavedGameRecord& g) { g.Preview[3] = {0, 0}; }));             // empty
  EXPECT_FALSE(damaged([](SavedGameRecord& g) { g.Cells[2][2] = {0, 0xFFFFFFFF}; }));  // empty cell
}

}  // namespace
}  // namespace marblix
