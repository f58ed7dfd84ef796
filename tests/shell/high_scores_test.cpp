// The high-score tables: placement from the bottom up, names, clearing and oversized scores.
#include <gtest/gtest.h>

#include "shell/high_scores.h"
#include "shell/recording_ports.h"

namespace marblix {
namespace {

class HighScores : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetShellValues();
    for (uint8_t m = 0; m < 3; ++m) ResetScoreTable(m);
    GameMode = ModeNormal;
  }
  const HighScoreEntry& Row(int r) { return HighScoreTable[GameMode][r]; }
};

TEST_F(HighScores, DefaultRows) {
  EXPECT_EQ(EntryName(Row(0)), "Harko");
  EXPECT_EQ(Row(0).Score, 1000);
  EXPECT_EQ(EntryName(Row(8)), "Marisande");
  EXPECT_EQ(EntryName(Row(9)), "Pello");
  EXPECT_EQ(Row(9).Score, 100);
}

TEST_F(HighScores, EqualScoreGoesBelowTheOlderEntryAndRowNineDropsOut) {
  Score = 700;  // row 3's score
  EXPECT_EQ(PlaceFinalScore(), DialogOpen | EnterNameDialog | HighScoresScreen);
  EXPECT_EQ(ScreenState, 0x10004020u);
  EXPECT_EQ(NewEntryRow, 4);
  EXPECT_EQ(Row(4).Score, 700);
  EXPECT_EQ(EntryName(Row(4)), "Tovin");  // the name is not changed until it is stored
  EXPECT_EQ(EntryName(Row(5)), "Tovin");
  EXPECT_EQ(Row(5).Score, 600);
  EXPECT_EQ(EntryName(Row(9)), "Marisande");
  PlayerName = "Quentin";
  StoreEntryName();
  EXPECT_EQ(EntryName(Row(4)), "Quentin");
}

TEST_F(HighScores, ZeroNeverEntersAndBeatingOnlyRowNineReplacesIt) {
  Score = 0;
  EXPECT_EQ(PlaceFinalScore(), 0x10008020u);
  EXPECT_EQ(Row(9).Score, 100);
  Score = 100;
  EXPECT_EQ(PlaceFinalScore(), 0x10008020u);
  Score = 101;
  EXPECT_EQ(PlaceFinalScore(), 0x10004020u);
  EXPECT_EQ(NewEntryRow, 9);
  EXPECT_EQ(Row(9).Score, 101);
  EXPECT_EQ(Row(8).Score, 200);
}

TEST_F(HighScores, ScoresAbove65535AreStoredAs65535AndStillEnter) {
  Score = 70000;
  EXPECT_EQ(PlaceFinalScore(), 0x10004020u);
  EXPECT_EQ(NewEntryRow, 0);
  EXPECT_EQ(Row(0).Score, 65535);
  // A second such game ranks below the first (equal stored scores keep the older above).
  Score = 65535;
  PlaceFinalScore();
  EXPECT_EQ(NewEntryRow, 1);
}

TEST_F(HighScores, NamesAreStoredAsTheirFirstSixteenCharacters) {
  Score = 5000;
  PlaceFinalScore();
  PlayerName = "ABCDEFGHIJKLMNOPQ";  // 17 characters
  StoreEntryName();
  EXPECT_EQ(Row(0).NameLength, 16);
  EXPECT_EQ(EntryName(Row(0)), "ABCDEFGHIJKLMNOP");
  PlayerName = "";
  StoreEntryName();
  EXPECT_EQ(EntryName(Row(0)), "");
}

TEST_F(HighScores, ClearingOneTableLeavesTheOthers) {
  Score = 5000;
  for (uint8_t m = 0; m < 3; ++m) {
    GameMode = m;
    PlaceFinalScore();
  }
  ResetScoreTable(1);
  EXPECT_EQ(HighScoreTable[0][0].Score, 5000);
  EXPECT_EQ(HighScoreTable[1][0].Score, 1000);
  EXPECT_EQ(HighScoreTable[2][0].Score, 5000);
}

TEST_F(HighScores, DamagedModeAndRowStayInsideTheTables) {
  GameMode = 200;
  Score = 50000;
  PlaceFinalScore();
  EXPECT_EQ(HighScoreTable[2][0].Score, 50000);
  NewEntryRow = 77;
  PlayerName = "Z";
  StoreEntryName();
  EXPECT_EQ(EntryName(HighScoreTable[2][9]), "Z");
  ResetScoreTable(9);
  EXPECT_EQ(HighScoreTable[2][0].Score, 1000);
  HighScoreEntry longName;
  longName.NameLength = 250;
  EXPECT_EQ(EntryName(longName).size(), 17u);
}

}  // namespace
}  // namespace marblix
