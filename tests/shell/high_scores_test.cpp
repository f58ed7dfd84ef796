// The high-score tables: placement from the bottom up, names, clearing and oversized scores.
#include <gtest/gtest.h>

#include "shell/high_scores.h"
#include "shell/recording_ports.h"

namespace marblix {
namespace {

class HighScores : public ::testing::Test {
 protected:
  void SetUp() override {
    for (uint8_t m = 0; m < 3; ++m) ResetScoreTable(values, m);
    values.GameMode = ModeNormal;
  }
  const HighScoreEntry& Row(int r) { return values.HighScoreTable[values.GameMode][r]; }
  TShellValues values;
};

TEST_F(HighScores, DefaultRows) {
  EXPECT_EQ(EntryName(Row(0)), "Harko");
  EXPECT_EQ(Row(0).Score, 1000);
  EXPECT_EQ(EntryName(Row(8)), "Marisande");
  EXPECT_EQ(EntryName(Row(9)), "Pello");
  EXPECT_EQ(Row(9).Score, 100);
}

TEST_F(HighScores, EqualScoreGoesBelowTheOlderEntryAndRowNineDropsOut) {
  values.Score = 700;  // row 3's score
  EXPECT_EQ(PlaceFinalScore(values), DialogOpen | EnterNameDialog | HighScoresScreen);
  EXPECT_EQ(values.ScreenState, 0x10004020u);
  EXPECT_EQ(values.NewEntryRow, 4);
  EXPECT_EQ(Row(4).Score, 700);
  EXPECT_EQ(EntryName(Row(4)), "Tovin");  // the name is not changed until it is stored
  EXPECT_EQ(EntryName(Row(5)), "Tovin");
  EXPECT_EQ(Row(5).Score, 600);
  EXPECT_EQ(EntryName(Row(9)), "Marisande");
  values.PlayerName = "Quentin";
  StoreEntryName(values);
  EXPECT_EQ(EntryName(Row(4)), "Quentin");
}

TEST_F(HighScores, ZeroNeverEntersAndBeatingOnlyRowNineReplacesIt) {
  values.Score = 0;
  EXPECT_EQ(PlaceFinalScore(values), 0x10008020u);
  EXPECT_EQ(Row(9).Score, 100);
  values.Score = 100;
  EXPECT_EQ(PlaceFinalScore(values), 0x10008020u);
  values.Score = 101;
  EXPECT_EQ(PlaceFinalScore(values), 0x10004020u);
  EXPECT_EQ(values.NewEntryRow, 9);
  EXPECT_EQ(Row(9).Score, 101);
  EXPECT_EQ(Row(8).Score, 200);
}

TEST_F(HighScores, ScoresAbove65535AreStoredAs65535AndStillEnter) {
  values.Score = 70000;
  EXPECT_EQ(PlaceFinalScore(values), 0x10004020u);
  EXPECT_EQ(values.NewEntryRow, 0);
  EXPECT_EQ(Row(0).Score, 65535);
  // A second such game ranks below the first (equal stored scores keep the older above).
  values.Score = 65535;
  PlaceFinalScore(values);
  EXPECT_EQ(values.NewEntryRow, 1);
}

TEST_F(HighScores, NamesAreStoredAsTheirFirstSixteenCharacters) {
  values.Score = 5000;
  PlaceFinalScore(values);
  values.PlayerName = "ABCDEFGHIJKLMNOPQ";  // 17 characters
  StoreEntryName(values);
  EXPECT_EQ(Row(0).NameLength, 16);
  EXPECT_EQ(EntryName(Row(0)), "ABCDEFGHIJKLMNOP");
  values.PlayerName = "";
  StoreEntryName(values);
  EXPECT_EQ(EntryName(Row(0)), "");
}

// A name goes into its row's bytes and comes back as it was typed; rows of older files (names in
// Windows-1252) show as they always did.
TEST_F(HighScores, NamesKeepTheirLettersInTheRowsBytes) {
  const struct {
    std::string Typed;   // UTF-8
    std::string Stored;  // the row's bytes
    std::string Shown;
  } cases[] = {
      {"Zo\u00EB \u20AC", "Zo\xEB \x80", "Zo\u00EB \u20AC"},  // Windows-1252, a byte each
      {"\u0416\u043E\u0440\u0430", "\u0416\u043E\u0440\u0430", "\u0416\u043E\u0440\u0430"},
      {"\u03A3\u03BF\u03C6\u03AF\u00E9", "\u03A3\u03BF\u03C6\u03AF\u00E9",
       "\u03A3\u03BF\u03C6\u03AF\u00E9"},
      {"\u0141ukasz", "\u0141ukasz", "\u0141ukasz"},  // Latin Extended-A: UTF-8
      // Windows-1252 bytes that would read as UTF-8 ("\xC3\xA9" is "é") are kept in UTF-8.
      {"\u00C3\u00A9", "\u00C3\u00A9", "\u00C3\u00A9"},
      // Cut to 16 bytes between letters.
      {"\u0416\u0416\u0416\u0416\u0416\u0416\u0416\u0416\u0416",
       "\u0416\u0416\u0416\u0416\u0416\u0416\u0416\u0416",
       "\u0416\u0416\u0416\u0416\u0416\u0416\u0416\u0416"},
      {"ABCDEFGHIJKLMNO\u0416", "ABCDEFGHIJKLMNO", "ABCDEFGHIJKLMNO"},
  };
  values.Score = 5000;
  PlaceFinalScore(values);
  for (const auto& c : cases) {
    values.PlayerName = c.Typed;
    StoreEntryName(values);
    EXPECT_EQ(std::string(Row(0).Name.data(), Row(0).NameLength), c.Stored) << c.Typed;
    EXPECT_EQ(EntryName(Row(0)), c.Shown) << c.Typed;
  }
  // A row of an older file, in Windows-1252.
  HighScoreEntry old;
  const std::string bytes = "Jos\xE9 M\xFCller";
  old.NameLength = static_cast<uint8_t>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), old.Name.begin());
  EXPECT_EQ(EntryName(old), "Jos\u00E9 M\u00FCller");
}

TEST_F(HighScores, ClearingOneTableLeavesTheOthers) {
  values.Score = 5000;
  for (uint8_t m = 0; m < 3; ++m) {
    values.GameMode = m;
    PlaceFinalScore(values);
  }
  ResetScoreTable(values, 1);
  EXPECT_EQ(values.HighScoreTable[0][0].Score, 5000);
  EXPECT_EQ(values.HighScoreTable[1][0].Score, 1000);
  EXPECT_EQ(values.HighScoreTable[2][0].Score, 5000);
}

TEST_F(HighScores, DamagedModeAndRowStayInsideTheTables) {
  values.GameMode = 200;
  values.Score = 50000;
  PlaceFinalScore(values);
  EXPECT_EQ(values.HighScoreTable[2][0].Score, 50000);
  values.NewEntryRow = 77;
  values.PlayerName = "Z";
  StoreEntryName(values);
  EXPECT_EQ(EntryName(values.HighScoreTable[2][9]), "Z");
  ResetScoreTable(values, 9);
  EXPECT_EQ(values.HighScoreTable[2][0].Score, 1000);
  HighScoreEntry longName;
  longName.NameLength = 250;
  EXPECT_EQ(EntryName(longName).size(), 17u);
}

}  // namespace
}  // namespace marblix
