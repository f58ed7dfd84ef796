// Closing the program while a game is ending: the score is kept, and no game without a move is
// offered at the next start.
#include <gtest/gtest.h>

#include "integration/game_run.h"
#include "shell/config_file.h"
#include "shell/high_scores.h"

namespace marblix {
namespace {

using test_support::CellX;
using test_support::CellY;
using test_support::GameRun;
using test_support::WriteNearlyFullGame;

class ClosingAtGameOver : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test_support::DataPackExists()) GTEST_SKIP() << "no asset pack";
    test_support::LinkDataPack(dir.path());
  }

  std::unique_ptr<GameRun> StartAndLoad() {
    auto run = std::make_unique<GameRun>(audio);
    TShellValues& values = run->Values();
    run->Create();
    EXPECT_TRUE(run->RunUntil(
        [&] { return values.ScreenState != LogoScreen && values.ScreenState != LoadingScreen; }));
    return run;
  }

  // Resumes the saved game and makes the move after which the drop no longer fits.
  std::unique_ptr<GameRun> ResumeAndFillTheBoard() {
    auto run = StartAndLoad();
    TShellValues& values = run->Values();
    EXPECT_EQ(values.ScreenState, DialogOpen | OldGameDialog | GameScreen);
    run->Idle();
    run->ClickYes();
    run->Drag(CellX(5), CellY(8), CellX(6), CellY(8));
    EXPECT_TRUE(run->RunUntil([&] { return run->Form().Board->FGameOver; }, 100));
    return run;
  }

  static void CloseWithYes(GameRun& run) {
    EXPECT_FALSE(run.RequestClose());
    run.ClickYes();
    ASSERT_TRUE(run.Application().Terminated());
    run.Destroy();
  }

  testing::TScopedWorkingDirectory dir;
  TRecordingAudio* audio = nullptr;
};

TEST_F(ClosingAtGameOver, WithTheBoardAlreadyEmptyTheScoreGoesToTheTable) {
  WriteNearlyFullGame(4321);
  {
    auto run = ResumeAndFillTheBoard();
    TShellValues& values = run->Values();
    TGameField& board = *run->Form().Board;
    ASSERT_TRUE(run->RunUntil([&] { return !board.AnyBall(); }, 200));
    ASSERT_TRUE(board.FGameOver);  // the last removal's pause has not run out yet
    values.PlayerName = "Quitter";
    CloseWithYes(*run);
  }
  auto run = StartAndLoad();
  TShellValues& values = run->Values();
  EXPECT_EQ(values.ScreenState, GameScreen);  // no game without a ball is offered
  EXPECT_EQ(values.Score, 0);
  EXPECT_EQ(values.HighScoreTable[ModeNormal][0].Score, 4321);
  EXPECT_EQ(EntryName(values.HighScoreTable[ModeNormal][0]), "Quitter");
  EXPECT_EQ(values.HighScoreTable[ModeNormal][1].Score, 1000);  // the old first row moved down
}

TEST_F(ClosingAtGameOver, HalfwayThroughTheRemovalTheScoreGoesToTheTable) {
  WriteNearlyFullGame(150);
  {
    auto run = ResumeAndFillTheBoard();
    run->Frames(20);
    ASSERT_TRUE(run->Form().Board->FGameOver);
    ASSERT_TRUE(run->Form().Board->AnyBall());
    CloseWithYes(*run);
  }
  auto run = StartAndLoad();
  TShellValues& values = run->Values();
  EXPECT_EQ(values.ScreenState, GameScreen);
  EXPECT_EQ(values.HighScoreTable[ModeNormal][9].Score, 150);  // below Belmar's 500 ... Pello's 100
  EXPECT_EQ(EntryName(values.HighScoreTable[ModeNormal][9]), "Player");
}

TEST_F(ClosingAtGameOver, AScoreTooLowForTheTableLeavesItAsItWas) {
  WriteNearlyFullGame(40);
  {
    auto run = ResumeAndFillTheBoard();
    run->Frames(5);
    CloseWithYes(*run);
  }
  auto run = StartAndLoad();
  TShellValues& values = run->Values();
  EXPECT_EQ(values.ScreenState, GameScreen);
  for (int row = 0; row < HighScoreRows; ++row)
    EXPECT_EQ(values.HighScoreTable[ModeNormal][row].Score, 1000 - 100 * row);
}

}  // namespace
}  // namespace marblix
