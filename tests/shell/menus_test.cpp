// Menu actions and dialog answers: what each button and answer does to the screen word.
#include <gtest/gtest.h>

#include "shell/game_shell.h"
#include "shell/high_scores.h"
#include "shell/recording_ports.h"

namespace marblix {
namespace {

class Menus : public ::testing::Test {
 protected:
  void SetUp() override {
    for (uint8_t m = 0; m < 3; ++m) ResetScoreTable(values, m);
    values.ScreenState = MenuScreen;
  }
  void Press(ButtonAction a) { shell.RunButtonAction(a); }
  TShellValues values;
  test_support::RecordingPorts ports{values};
  GameShell shell{ports, values};
};

TEST_F(Menus, NewGameInEachModeDropsItsOpeningBallsAndSetsTheDropCount) {
  const std::pair<ButtonAction, int> modes[] = {
      {ButtonAction::Kids, 3}, {ButtonAction::Normal, 6}, {ButtonAction::Professional, 9}};
  for (auto [action, balls] : modes) {
    ports.calls.clear();
    values.ScreenState = MenuScreen;
    values.Score = 77;
    Press(action);
    EXPECT_EQ(values.ScreenState, GameScreen);
    EXPECT_EQ(values.Score, 0);
    EXPECT_EQ(values.PanelReturnState, MenuScreen);
    const std::vector<std::string> expected = {
        "ClearAnimations", "ClearBoard", "DropBalls(" + std::to_string(balls) + ",1)",
        "SetNextCount(" + std::to_string(values.GameMode + 2) + ")", "SelectModeButton"};
    EXPECT_EQ(ports.calls, expected);
  }
  EXPECT_EQ(values.GameMode, ModeProfessional);
}

TEST_F(Menus, NewGameUsesTheCurrentMode) {
  values.GameMode = ModeKids;
  Press(ButtonAction::NewGame);
  EXPECT_EQ(values.GameMode, ModeKids);
  EXPECT_TRUE(ports.Called("DropBalls(3,1)"));
}

TEST_F(Menus, AGameUnderWayAsksFirstAndNoReturnsToThePanel) {
  values.ScreenState = HighScoresScreen;
  values.GameUnderWay = true;
  Press(ButtonAction::Kids);
  EXPECT_EQ(values.ScreenState, DialogOpen | NewGameDialog | HighScoresScreen);
  EXPECT_FALSE(ports.Called("ClearBoard"));
  Press(ButtonAction::No);
  EXPECT_EQ(values.ScreenState, HighScoresScreen);
  Press(ButtonAction::Kids);
  Press(ButtonAction::Yes);
  EXPECT_EQ(values.ScreenState, GameScreen);
  EXPECT_EQ(values.GameMode, ModeKids);
  EXPECT_FALSE(values.GameUnderWay);
}

TEST_F(Menus, PanelsOpenedFromTheGameReturnToIt) {
  values.ScreenState = GameScreen;
  values.GameMode = ModeProfessional;
  Press(ButtonAction::OpenHighScores);
  EXPECT_EQ(values.ScreenState, HighScoresScreen);
  EXPECT_EQ(values.ScoreTablePage, 2);
  EXPECT_TRUE(ports.Called("SelectButton(6)"));
  Press(ButtonAction::OpenOptions);  // from a panel: the return target stays the game
  EXPECT_TRUE(ports.Called("SelectButton(4)"));
  Press(ButtonAction::BackFromOptions);
  EXPECT_EQ(values.ScreenState, GameScreen);
  values.HelpPage = 3;
  Press(ButtonAction::OpenInstructions);
  EXPECT_EQ(values.HelpPage, 0);
  Press(ButtonAction::Normal);  // a new game from a panel leaves it; its Back leads to the menu
  EXPECT_EQ(values.ScreenState, GameScreen);
  EXPECT_EQ(values.PanelReturnState, MenuScreen);
}

TEST_F(Menus, PagesAndTablesWrap) {
  Press(ButtonAction::PreviousTable);
  EXPECT_EQ(values.ScoreTablePage, 2);
  Press(ButtonAction::NextTable);
  EXPECT_EQ(values.ScoreTablePage, 0);
  values.ScoreTablePage = 2;
  Press(ButtonAction::NextTable);
  EXPECT_EQ(values.ScoreTablePage, 0);
  Press(ButtonAction::PreviousPage);
  EXPECT_EQ(values.HelpPage, 0);
  for (int i = 0; i < 6; ++i) Press(ButtonAction::NextPage);
  EXPECT_EQ(values.HelpPage, 4);
}

TEST_F(Menus, VolumesStepByTenWithinZeroToHundredAndOnlyMusicReachesTheStream) {
  values.MusicVolume = 95;
  Press(ButtonAction::MusicUp);
  EXPECT_EQ(values.MusicVolume, 100);
  Press(ButtonAction::MusicUp);
  EXPECT_EQ(values.MusicVolume, 100);
  values.MusicVolume = 5;
  Press(ButtonAction::MusicDown);
  EXPECT_EQ(values.MusicVolume, 0);
  EXPECT_TRUE(ports.Called("ApplyMusicVolume(0)"));
  EXPECT_EQ(ports.Count("ApplyMusicVolume(100)"), 2);
  ports.calls.clear();
  values.SoundVolume = 0;
  Press(ButtonAction::SoundDown);
  Press(ButtonAction::SoundUp);
  EXPECT_EQ(values.SoundVolume, 10);
  EXPECT_TRUE(ports.calls.empty());
}

TEST_F(Menus, ExitAndItsAnswers) {
  values.ScreenState = OptionsScreen;
  Press(ButtonAction::Exit);
  EXPECT_EQ(values.ScreenState, 0x10000110u);
  EXPECT_EQ(values.ReturnState, OptionsScreen);
  Press(ButtonAction::Exit);  // already asking
  EXPECT_EQ(values.ScreenState, 0x10000110u);
  Press(ButtonAction::No);
  EXPECT_EQ(values.ScreenState, OptionsScreen);
  Press(ButtonAction::Exit);
  Press(ButtonAction::Yes);
  EXPECT_TRUE(ports.Called("Terminate"));
}

TEST_F(Menus, NoDialogOpensOverAnother) {
  values.ScreenState = GameScreen;
  values.GameUnderWay = true;
  shell.OpenDialog(ClearScoresDialog);
  const uint32_t open = values.ScreenState;
  Press(ButtonAction::Exit);  // a press on yes dragged onto Exit
  Press(ButtonAction::Normal);
  shell.ToggleFullScreen();
  EXPECT_EQ(values.ScreenState, open);
  EXPECT_TRUE(values.FullScreenSetting);
}

TEST_F(Menus, ClearResetsOnlyTheShownTable) {
  values.ScreenState = HighScoresScreen;
  values.HighScoreTable[0][0].Score = 9999;
  values.HighScoreTable[1][0].Score = 9999;
  values.ScoreTablePage = 1;
  Press(ButtonAction::Clear);
  EXPECT_EQ(values.ScreenState, 0x10000820u);
  Press(ButtonAction::Yes);
  EXPECT_EQ(values.ScreenState, HighScoresScreen);
  EXPECT_EQ(values.HighScoreTable[1][0].Score, 1000);
  EXPECT_EQ(values.HighScoreTable[0][0].Score, 9999);
}

TEST_F(Menus, ResumeQuestion) {
  values.ScreenState = 0x10000408;
  values.ReturnState = MenuScreen;
  values.GameMode = ModeProfessional;
  values.RequestedMode = ModeKids;
  values.Score = 40;
  Press(ButtonAction::Yes);
  EXPECT_EQ(values.ScreenState, GameScreen);
  EXPECT_EQ(values.RequestedMode, ModeProfessional);
  EXPECT_EQ(values.Score, 40);

  values.ScreenState = 0x10000408;
  Press(ButtonAction::No);
  EXPECT_EQ(values.ScreenState, MenuScreen);
  EXPECT_EQ(values.Score, 0);
  EXPECT_TRUE(ports.Called("ClearBoard"));
  Press(ButtonAction::OpenOptions);  // Back after No leads to the menu
  Press(ButtonAction::BackFromOptions);
  EXPECT_EQ(values.ScreenState, MenuScreen);
}

TEST_F(Menus, GameOverDialogs) {
  values.GameMode = ModeKids;
  values.Score = 5000;
  values.ReturnState = MenuScreen;  // what the board's end of game leaves
  PlaceFinalScore(values);
  values.PlayerName = "Ada";
  Press(ButtonAction::No);
  EXPECT_EQ(values.ScreenState, HighScoresScreen);
  EXPECT_EQ(EntryName(values.HighScoreTable[0][0]), "Ada");

  values.Score = 6000;
  values.RequestedMode = ModeKids;
  PlaceFinalScore(values);
  values.PlayerName = "Bob";
  Press(ButtonAction::Yes);
  EXPECT_EQ(EntryName(values.HighScoreTable[0][0]), "Bob");
  EXPECT_EQ(values.ScreenState, GameScreen);

  values.Score = 0;
  PlaceFinalScore(values);
  EXPECT_EQ(values.ScreenState, 0x10008020u);
  Press(ButtonAction::No);
  EXPECT_EQ(values.ScreenState, HighScoresScreen);
  values.Score = 0;
  PlaceFinalScore(values);
  Press(ButtonAction::Yes);
  EXPECT_EQ(values.ScreenState, GameScreen);
}

// The finished game's score stays until the next game starts, and Back from the table leads to an
// empty board (the menu's, or the game screen's after a panel was opened during the game) that a
// click or Enter turns into a game of the mode just played.
TEST_F(Menus, AfterAGameOverTheEmptyBoardStartsTheNextGameOfTheSameMode) {
  for (const uint32_t backTo : {MenuScreen, GameScreen}) {
    for (const bool byKey : {true, false}) {
      values.GameMode = ModeProfessional;
      values.RequestedMode = ModeKids;
      values.PanelReturnState = backTo;
      values.Score = 50;
      PlaceFinalScore(values);
      values.Score = 0;  // the board's end of game
      Press(ButtonAction::No);
      Press(ButtonAction::BackFromHighScores);
      ASSERT_EQ(values.ScreenState, backTo);
      EXPECT_EQ(values.FinalScore, 50);
      ports.calls.clear();
      shell.PowerTimer1RealTime(1.0);
      EXPECT_TRUE(ports.Called("DrawInvitation"));
      if (byKey) shell.FormKeyDown(KeyEnter, {});
      if (!byKey) shell.FormMouseDown(ButtonLeft, CellCentreX(8), CellCentreY(8));
      EXPECT_EQ(values.ScreenState, GameScreen) << backTo << byKey;
      EXPECT_TRUE(ports.Called("DropBalls(9,1)"));
      EXPECT_FALSE(values.FinalScore.has_value());
    }
  }
}

TEST_F(Menus, FullScreenQuestion) {
  values.ScreenState = OptionsScreen;
  shell.ToggleFullScreen();
  EXPECT_FALSE(values.FullScreenSetting);
  EXPECT_EQ(values.ScreenState, 0x10010010u);
  Press(ButtonAction::No);
  EXPECT_TRUE(values.FullScreenSetting);
  EXPECT_EQ(values.ScreenState, OptionsScreen);
  shell.ToggleFullScreen();
  Press(ButtonAction::Yes);
  EXPECT_FALSE(values.FullScreenSetting);
  const std::vector<std::string> tail(ports.calls.end() - 2, ports.calls.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"ReleaseDevice", "Terminate"}));
}

}  // namespace
}  // namespace marblix
