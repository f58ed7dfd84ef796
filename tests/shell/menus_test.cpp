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
    ResetShellValues();
    for (uint8_t m = 0; m < 3; ++m) ResetScoreTable(m);
    ScreenState = MenuScreen;
  }
  void Press(ButtonAction a) { shell.RunButtonAction(a); }
  test_support::RecordingPorts ports;
  GameShell shell{ports};
};

TEST_F(Menus, NewGameInEachModeDropsItsOpeningBallsAndSetsTheDropCount) {
  const std::pair<ButtonAction, int> modes[] = {
      {ButtonAction::Kids, 3}, {ButtonAction::Normal, 6}, {ButtonAction::Professional, 9}};
  for (auto [action, balls] : modes) {
    ports.calls.clear();
    ScreenState = MenuScreen;
    Score = 77;
    Press(action);
    EXPECT_EQ(ScreenState, GameScreen);
    EXPECT_EQ(Score, 0);
    EXPECT_EQ(PanelReturnState, MenuScreen);
    const std::vector<std::string> expected = {
        "ClearAnimations", "ClearBoard", "DropBalls(" + std::to_string(balls) + ",1)",
        "SetNextCount(" + std::to_string(GameMode + 2) + ")", "SelectModeButton"};
    EXPECT_EQ(ports.calls, expected);
  }
  EXPECT_EQ(GameMode, ModeProfessional);
}

TEST_F(Menus, NewGameUsesTheCurrentMode) {
  GameMode = ModeKids;
  Press(ButtonAction::NewGame);
  EXPECT_EQ(GameMode, ModeKids);
  EXPECT_TRUE(ports.Called("DropBalls(3,1)"));
}

TEST_F(Menus, AGameUnderWayAsksFirstAndNoReturnsToThePanel) {
  ScreenState = HighScoresScreen;
  GameUnderWay = true;
  Press(ButtonAction::Kids);
  EXPECT_EQ(ScreenState, DialogOpen | NewGameDialog | HighScoresScreen);
  EXPECT_FALSE(ports.Called("ClearBoard"));
  Press(ButtonAction::No);
  EXPECT_EQ(ScreenState, HighScoresScreen);
  Press(ButtonAction::Kids);
  Press(ButtonAction::Yes);
  EXPECT_EQ(ScreenState, GameScreen);
  EXPECT_EQ(GameMode, ModeKids);
  EXPECT_FALSE(GameUnderWay);
}

TEST_F(Menus, PanelsOpenedFromTheGameReturnToIt) {
  ScreenState = GameScreen;
  GameMode = ModeProfessional;
  Press(ButtonAction::OpenHighScores);
  EXPECT_EQ(ScreenState, HighScoresScreen);
  EXPECT_EQ(ScoreTablePage, 2);
  EXPECT_TRUE(ports.Called("SelectButton(6)"));
  Press(ButtonAction::OpenOptions);  // from a panel: the return target stays the game
  EXPECT_TRUE(ports.Called("SelectButton(4)"));
  Press(ButtonAction::BackFromOptions);
  EXPECT_EQ(ScreenState, GameScreen);
  HelpPage = 3;
  Press(ButtonAction::OpenInstructions);
  EXPECT_EQ(HelpPage, 0);
  Press(ButtonAction::Normal);  // a new game from a panel leaves it; its Back leads to the menu
  EXPECT_EQ(ScreenState, GameScreen);
  EXPECT_EQ(PanelReturnState, MenuScreen);
}

TEST_F(Menus, PagesAndTablesWrap) {
  Press(ButtonAction::PreviousTable);
  EXPECT_EQ(ScoreTablePage, 2);
  Press(ButtonAction::NextTable);
  EXPECT_EQ(ScoreTablePage, 0);
  ScoreTablePage = 2;
  Press(ButtonAction::NextTable);
  EXPECT_EQ(ScoreTablePage, 0);
  Press(ButtonAction::PreviousPage);
  EXPECT_EQ(HelpPage, 0);
  for (int i = 0; i < 6; ++i) Press(ButtonAction::NextPage);
  EXPECT_EQ(HelpPage, 4);
}

TEST_F(Menus, VolumesStepByTenWithinZeroToHundredAndOnlyMusicReachesTheStream) {
  MusicVolume = 95;
  Press(ButtonAction::MusicUp);
  EXPECT_EQ(MusicVolume, 100);
  Press(ButtonAction::MusicUp);
  EXPECT_EQ(MusicVolume, 100);
  MusicVolume = 5;
  Press(ButtonAction::MusicDown);
  EXPECT_EQ(MusicVolume, 0);
  EXPECT_TRUE(ports.Called("ApplyMusicVolume(0)"));
  EXPECT_EQ(ports.Count("ApplyMusicVolume(100)"), 2);
  ports.calls.clear();
  SoundVolume = 0;
  Press(ButtonAction::SoundDown);
  Press(ButtonAction::SoundUp);
  EXPECT_EQ(SoundVolume, 10);
  EXPECT_TRUE(ports.calls.empty());
}

TEST_F(Menus, ExitAndItsAnswers) {
  ScreenState = OptionsScreen;
  Press(ButtonAction::Exit);
  EXPECT_EQ(ScreenState, 0x10000110u);
  EXPECT_EQ(ReturnState, OptionsScreen);
  Press(ButtonAction::Exit);  // already asking
  EXPECT_EQ(ScreenState, 0x10000110u);
  Press(ButtonAction::No);
  EXPECT_EQ(ScreenState, OptionsScreen);
  Press(ButtonAction::Exit);
  Press(ButtonAction::Yes);
  EXPECT_TRUE(ports.Called("Terminate"));
}

TEST_F(Menus, NoDialogOpensOverAnother) {
  ScreenState = GameScreen;
  GameUnderWay = true;
  shell.OpenDialog(ClearScoresDialog);
  const uint32_t open = ScreenState;
  Press(ButtonAction::Exit);  // a press on yes dragged onto Exit
  Press(ButtonAction::Normal);
  shell.ToggleFullScreen();
  EXPECT_EQ(ScreenState, open);
  EXPECT_TRUE(FullScreenSetting);
}

TEST_F(Menus, ClearResetsOnlyTheShownTable) {
  ScreenState = HighScoresScreen;
  HighScoreTable[0][0].Score = 9999;
  HighScoreTable[1][0].Score = 9999;
  ScoreTablePage = 1;
  Press(ButtonAction::Clear);
  EXPECT_EQ(ScreenState, 0x10000820u);
  Press(ButtonAction::Yes);
  EXPECT_EQ(ScreenState, HighScoresScreen);
  EXPECT_EQ(HighScoreTable[1][0].Score, 1000);
  EXPECT_EQ(HighScoreTable[0][0].Score, 9999);
}

TEST_F(Menus, ResumeQuestion) {
  ScreenState = 0x10000408;
  ReturnState = MenuScreen;
  GameMode = ModeProfessional;
  RequestedMode = ModeKids;
  Score = 40;
  Press(ButtonAction::Yes);
  EXPECT_EQ(ScreenState, GameScreen);
  EXPECT_EQ(RequestedMode, ModeProfessional);
  EXPECT_EQ(Score, 40);

  ScreenState = 0x10000408;
  Press(ButtonAction::No);
  EXPECT_EQ(ScreenState, MenuScreen);
  EXPECT_EQ(Score, 0);
  EXPECT_TRUE(ports.Called("ClearBoard"));
  Press(ButtonAction::OpenOptions);  // Back after No leads to the menu
  Press(ButtonAction::BackFromOptions);
  EXPECT_EQ(ScreenState, MenuScreen);
}

TEST_F(Menus, GameOverDialogs) {
  GameMode = ModeKids;
  Score = 5000;
  ReturnState = MenuScreen;  // what the board's end of game leaves
  PlaceFinalScore();
  PlayerName = "Ada";
  Press(ButtonAction::No);
  EXPECT_EQ(ScreenState, HighScoresScreen);
  EXPECT_EQ(EntryName(HighScoreTable[0][0]), "Ada");

  Score = 6000;
  RequestedMode = ModeKids;
  PlaceFinalScore();
  PlayerName = "Bob";
  Press(ButtonAction::Yes);
  EXPECT_EQ(EntryName(HighScoreTable[0][0]), "Bob");
  EXPECT_EQ(ScreenState, GameScreen);

  Score = 0;
  PlaceFinalScore();
  EXPECT_EQ(ScreenState, 0x10008020u);
  Press(ButtonAction::No);
  EXPECT_EQ(ScreenState, HighScoresScreen);
  Score = 0;
  PlaceFinalScore();
  Press(ButtonAction::Yes);
  EXPECT_EQ(ScreenState, GameScreen);
}

TEST_F(Menus, FullScreenQuestion) {
  ScreenState = OptionsScreen;
  shell.ToggleFullScreen();
  EXPECT_FALSE(FullScreenSetting);
  EXPECT_EQ(ScreenState, 0x10010010u);
  Press(ButtonAction::No);
  EXPECT_TRUE(FullScreenSetting);
  EXPECT_EQ(ScreenState, OptionsScreen);
  shell.ToggleFullScreen();
  Press(ButtonAction::Yes);
  EXPECT_FALSE(FullScreenSetting);
  const std::vector<std::string> tail(ports.calls.end() - 2, ports.calls.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"ReleaseDevice", "Terminate"}));
}

}  // namespace
}  // namespace marblix
