// The soak bot's checks catch what they are there for, and a session replays from its seed.
#include <gtest/gtest.h>

#include <cstdlib>

#include "board/BoardDoubles.h"
#include "integration/soak/soak_bot.h"
#include "integration/soak/soak_checks.h"
#include "shell/high_scores.h"
#include "support/Environment.h"

namespace marblix::soak {
namespace {

TEST(SoakChecks, ScreenWordsOfTheScreenTableOnly) {
  for (uint32_t word :
       {LogoScreen, LoadingScreen, MenuScreen, GameScreen, OptionsScreen, HighScoresScreen,
        InstructionsScreen, StatisticsScreen, 0x10000408u, 0x10004020u, 0x10008020u, 0x10001080u,
        DialogOpen | FullScreenDialog | OptionsScreen, DialogOpen | ExitDialog | MenuScreen}) {
    EXPECT_TRUE(IsAllowedScreenWord(word)) << std::hex << word;
  }
  for (uint32_t word :
       {0u, 3u, 0x100u, GameScreen | MenuScreen, ExitDialog | GameScreen, DialogOpen | GameScreen,
        DialogOpen | ExitDialog | NewGameDialog | 8u, DialogOpen | ExitDialog | LogoScreen,
        DialogOpen | 0x2000u | GameScreen, 0x20000000u | ExitDialog | GameScreen}) {
    EXPECT_FALSE(IsAllowedScreenWord(word)) << std::hex << word;
  }
}

class SoakBoardCheck : public ::testing::Test {
 protected:
  TShellValues values;
  testing::RecordingServices services{values};
  TGameField board{TBoardServices{services, services, services, services, services}, values};
};

TEST_F(SoakBoardCheck, EveryKindPassesAndAnythingElseIsCaught) {
  for (int kind = 0; kind < BallKindCount; ++kind)
    board.FCells(kind % 9, kind / 9) = BallKinds[kind];
  EXPECT_EQ(BoardFault(board), "");
  board.FCells(3, 3) = {MaskBombExploding, BombLook};
  EXPECT_NE(BoardFault(board), "");
  board.FCells(3, 3) = {BallKinds[2].Mask, BallKinds[3].Look};  // right mask, wrong look
  EXPECT_NE(BoardFault(board), "");
  board.FCells(3, 3) = {0, 99};  // an empty cell keeps any look
  EXPECT_EQ(BoardFault(board), "");
  board.FPreview[1] = {0x3, 0};
  EXPECT_NE(BoardFault(board), "");
}

TEST(SoakChecks, TablesOutOfOrderAreCaught) {
  TShellValues values;
  for (uint8_t mode = 0; mode < HighScoreModes; ++mode) ResetScoreTable(values, mode);
  EXPECT_EQ(TablesFault(values.HighScoreTable), "");
  HighScoreTables tables = values.HighScoreTable;
  tables[2][5].Score = 601;
  EXPECT_NE(TablesFault(tables), "");
  tables = values.HighScoreTable;
  tables[0][9].NameLength = 18;
  EXPECT_NE(TablesFault(tables), "");
}

TEST(SoakChecks, ThePlacingOracleAgreesWithTheGame) {
  TShellValues values;
  for (int32_t score : {0, 100, 101, 550, 1000, 1001, 70000}) {
    for (uint8_t mode = 0; mode < HighScoreModes; ++mode) ResetScoreTable(values, mode);
    values.HighScoreTable[1][4].Score = 600;  // a tie with the row above
    const HighScoreTables before = values.HighScoreTable;
    values.GameMode = ModeNormal;
    values.Score = score;
    PlaceFinalScore(values);
    int row = -1;
    const HighScoreTables expected = ExpectedAfterPlacing(before, ModeNormal, score, row);
    EXPECT_EQ(row == HighScoreRows,
              values.ScreenState == (DialogOpen | LowScoreDialog | HighScoresScreen))
        << score;
    if (row < HighScoreRows) {
      EXPECT_EQ(values.NewEntryRow, row) << score;
    }
    for (int r = 0; r < HighScoreRows; ++r) {
      EXPECT_EQ(values.HighScoreTable[1][r].Score, expected[1][r].Score) << score << " row " << r;
      EXPECT_EQ(EntryName(values.HighScoreTable[1][r]), EntryName(expected[1][r])) << score;
    }
  }
}

TEST(SoakChecks, TheScoreFallsOnlyAtANewGameOrTheEndOfAGame) {
  TShellValues values;
  ScoreWatch watch;
  std::string fault;
  values.Score = 40;
  values.ScreenState = GameScreen;
  values.GameUnderWay = true;
  EXPECT_EQ(watch.AfterFrame(values, GameScreen, false, fault), ScoreWatch::Change::Rose);
  EXPECT_EQ(fault, "");
  values.Score = 30;  // a frame takes points away
  watch.AfterFrame(values, GameScreen, false, fault);
  EXPECT_NE(fault, "");

  fault.clear();
  watch.Restart(30);
  values.Score = 45;  // a click scores
  watch.AfterEvent(values, false, false, fault);
  EXPECT_NE(fault, "");

  fault.clear();
  watch.Restart(45);
  values.Score = 0;  // a new game under way already is no fresh game
  watch.AfterEvent(values, false, false, fault);
  EXPECT_NE(fault, "");
  fault.clear();
  watch.Restart(45);
  values.GameUnderWay = false;
  EXPECT_EQ(watch.AfterEvent(values, false, false, fault), ScoreWatch::Change::NewGame);
  EXPECT_EQ(fault, "");

  watch.Restart(45);
  values.ScreenState = DialogOpen | EnterNameDialog | HighScoresScreen;
  EXPECT_EQ(watch.AfterFrame(values, GameScreen, false, fault), ScoreWatch::Change::GameOver);
  EXPECT_EQ(fault, "");
  watch.Restart(45);
  values.ScreenState = HighScoresScreen;  // back to 0 without the end of the game
  watch.AfterFrame(values, GameScreen, false, fault);
  EXPECT_NE(fault, "");
}

TEST(SoakChecks, TheScoreFallsBackToEachMovesStartOnlyWhenThatMoveIsTakenBack) {
  TShellValues values;
  values.ScreenState = GameScreen;
  values.GameUnderWay = true;
  ScoreWatch watch;
  std::string fault;
  watch.MoveStarted(10);
  watch.MoveStarted(30);
  watch.Restart(80);
  values.Score = 30;  // the last move taken back
  EXPECT_EQ(watch.AfterEvent(values, false, true, fault), ScoreWatch::Change::TakenBack);
  values.Score = 10;  // and the one before it
  EXPECT_EQ(watch.AfterFrame(values, GameScreen, true, fault), ScoreWatch::Change::TakenBack);
  EXPECT_EQ(fault, "");
  watch.MoveStarted(10);
  watch.Restart(80);
  values.Score = 0;  // below the move's start
  watch.AfterEvent(values, false, true, fault);
  EXPECT_NE(fault, "");
  fault.clear();
  watch.MoveStarted(30);
  watch.Restart(80);
  values.Score = 30;  // nothing was taken back
  watch.AfterFrame(values, GameScreen, false, fault);
  EXPECT_NE(fault, "");
}

TEST(SoakChecks, ConfigDifferencesAreNamed) {
  ConfigContents a;
  a.SavedGameFlag = 1;
  a.Game.Score = 10;
  ConfigContents b = a;
  EXPECT_EQ(ConfigDifference(a, b), "");
  b.Game.Cells[4][4] = BallKinds[3];
  EXPECT_NE(ConfigDifference(a, b), "");
  a.SavedGameFlag = b.SavedGameFlag = 0;  // without a saved game the board does not count
  EXPECT_EQ(ConfigDifference(a, b), "");
  b.Tables[2][0].Score = 1;
  EXPECT_NE(ConfigDifference(a, b), "");
}

// The same seed plays the same games: a failure's seed replays it.
TEST(SoakSession, TheSameSeedPlaysTheSameGames) {
  if (!std::filesystem::exists(std::filesystem::path(MARBLIX_DATA_DIR) / "strings.txt"))
    GTEST_SKIP() << "no asset pack";
  testing::SetEnvironment("XDG_CONFIG_HOME",
                          std::filesystem::temp_directory_path().string().c_str(), false);
  SoakOptions options;
  options.DataDir = MARBLIX_DATA_DIR;
  SoakFigures first, second;
  EXPECT_FALSE(PlaySession(options, 0x5eed, 2, first).has_value());
  EXPECT_FALSE(PlaySession(options, 0x5eed, 2, second).has_value());
  EXPECT_EQ(first.Games, 2);
  EXPECT_EQ(first.Frames, second.Frames);
  EXPECT_EQ(first.Events, second.Events);
  EXPECT_EQ(first.Moves, second.Moves);
  EXPECT_EQ(first.BestScore, second.BestScore);
  EXPECT_GT(first.Moves, 10);
}

}  // namespace
}  // namespace marblix::soak
