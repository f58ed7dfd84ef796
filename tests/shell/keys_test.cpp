// Keyboard play: the cell cursor, Space/Enter and Escape on the board, the Y/N answers, F2 and H,
// and the name question that keeps every key for typing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "shell/game_shell.h"
#include "shell/high_scores.h"
#include "shell/recording_ports.h"

namespace marblix {
namespace {

struct Cell {
  int X, Y;
  friend bool operator==(const Cell&, const Cell&) = default;
};

class Keys : public ::testing::Test {
 protected:
  void SetUp() override {
    for (uint8_t m = 0; m < 3; ++m) ResetScoreTable(values, m);
    values.ScreenState = GameScreen;
  }
  void Press(int key, int times = 1) {
    for (int i = 0; i < times; ++i) shell.FormKeyDown(key, {});
  }
  // The cell the board's pointer is at the centre of; (-1, -1) when it is at no cell's centre.
  Cell Aimed() const {
    const int x = (values.MouseX - CellCentreX(0)) / CellPitch;
    const int y = (values.MouseY - CellCentreY(0)) / CellPitch;
    if (CellCentreX(x) != values.MouseX || CellCentreY(y) != values.MouseY) return {-1, -1};
    return {x, y};
  }
  TShellValues values;
  test_support::RecordingPorts ports{values};
  GameShell shell{ports, values};
};

TEST_F(Keys, TheCursorStartsOnTheCentreCellShowsOnTheFirstKeyAndWrapsAtTheEdges) {
  shell.RunButtonAction(ButtonAction::NewGame);
  EXPECT_FALSE(shell.KeyCursorShown());
  Press(KeyLeft);  // the first key shows the cursor where it is
  EXPECT_EQ(ports.Count("ShowKeyCursor(1)"), 1);
  EXPECT_EQ(Aimed(), (Cell{4, 4}));
  struct Step {
    int Key, Times;
    Cell Expected;
  };
  for (const Step& step : {Step{KeyLeft, 5, {8, 4}}, Step{KeyDown, 5, {8, 0}},
                           Step{KeyRight, 1, {0, 0}}, Step{KeyUp, 1, {0, 8}}}) {
    Press(step.Key, step.Times);
    EXPECT_EQ(Aimed(), step.Expected) << "key " << step.Key;
    EXPECT_EQ((Cell{shell.KeyCursorX(), shell.KeyCursorY()}), step.Expected);
  }
  // A new game and a resumed game put it back on the centre cell.
  shell.StartNewGame();
  EXPECT_EQ(Aimed(), (Cell{4, 4}));
  Press(KeyUp);
  values.ScreenState = DialogOpen | OldGameDialog | GameScreen;
  Press(KeyY);
  EXPECT_EQ(values.ScreenState, GameScreen);
  EXPECT_EQ(Aimed(), (Cell{4, 4}));
}

TEST_F(Keys, SpaceAndEnterClickTheCursorCellAndEscapeDeselectsOrAsksToExit) {
  std::vector<std::string> clicks;
  ports.onClick = [&] {
    clicks.push_back(std::to_string(Aimed().X) + "," + std::to_string(Aimed().Y) + " button " +
                     std::to_string(values.MouseButton));
  };
  Press(KeySpace);  // shows the cursor only
  EXPECT_TRUE(clicks.empty());
  Press(KeyRight);
  Press(KeySpace);
  Press(KeyDown);
  Press(KeyEnter);
  ports.selection = true;
  Press(KeyEscape);
  EXPECT_EQ(clicks, (std::vector<std::string>{"5,4 button 0", "5,5 button 0", "5,5 button 1"}));
  EXPECT_EQ(values.MouseButton, ButtonLeft);
  EXPECT_EQ(values.ScreenState, GameScreen);
  ports.selection = false;
  Press(KeyEscape);
  EXPECT_EQ(values.ScreenState, DialogOpen | ExitDialog | GameScreen);
  EXPECT_EQ(clicks.size(), 3u);
  shell.FormKeyDown(KeyEnter, {.Alt = true});  // Alt+Enter is never a click
  EXPECT_EQ(clicks.size(), 3u);
}

TEST_F(Keys, TheMouseMovingAgainHidesTheCursorAndItsPressActsWhereThePointerIs) {
  shell.FormMouseMove(100, 100);
  Press(KeyDown);
  shell.FormMouseMove(100, 100);  // a report of the same place is no movement
  EXPECT_EQ(Aimed(), (Cell{4, 4}));
  shell.PowerTimer1RealTime(1.0);  // the pointer in use is the cursor: no pointer picture
  EXPECT_FALSE(ports.Called("DrawPointer"));
  shell.FormMouseMove(101, 100);
  EXPECT_FALSE(shell.KeyCursorShown());
  shell.PowerTimer1RealTime(1.0);
  EXPECT_TRUE(ports.Called("DrawPointer"));
  EXPECT_EQ(ports.Count("ShowKeyCursor(0)"), 1);
  EXPECT_EQ(values.MouseX, 101);

  Press(KeyDown);
  int clickedAtX = 0;
  ports.onClick = [&] { clickedAtX = values.MouseX; };
  shell.FormMouseDown(ButtonLeft, 101, 100);
  EXPECT_FALSE(shell.KeyCursorShown());
  EXPECT_EQ(clickedAtX, 101);
}

TEST_F(Keys, YAndNAnswerEveryYesNoQuestionAsItsButtonsDo) {
  struct Question {
    uint32_t Kind, Screen;
  };
  for (const Question q : {Question{ExitDialog, GameScreen},
                           {NewGameDialog, MenuScreen},
                           {OldGameDialog, GameScreen},
                           {ClearScoresDialog, HighScoresScreen},
                           {LowScoreDialog, HighScoresScreen},
                           {FullScreenDialog, OptionsScreen}}) {
    for (const bool yes : {true, false}) {
      const auto answer = [&](bool byKey) {
        TShellValues v;
        v.ScreenState = q.Screen;
        test_support::RecordingPorts p{v};
        GameShell s{p, v};
        s.OpenDialog(q.Kind);
        if (byKey) {
          s.FormKeyDown(yes ? KeyY : KeyN, {});
        } else {
          s.RunButtonAction(yes ? ButtonAction::Yes : ButtonAction::No);
        }
        return std::make_tuple(v.ScreenState, v.ReturnState, v.FullScreenSetting, p.calls);
      };
      const auto byKey = answer(true);
      EXPECT_EQ(byKey, answer(false)) << std::hex << q.Kind << (yes ? " Y" : " N");
      const auto& calls = std::get<3>(byKey);
      const bool ended = std::find(calls.begin(), calls.end(), "Terminate") != calls.end();
      EXPECT_TRUE(ended || (std::get<0>(byKey) & DialogOpen) == 0) << std::hex << q.Kind;
    }
  }
}

TEST_F(Keys, TheNameQuestionTakesEveryKeyAsTyping) {
  const uint32_t naming = DialogOpen | EnterNameDialog | HighScoresScreen;
  values.ScreenState = naming;
  values.PlayerName.clear();
  for (int key : {KeyY, KeyN, KeyEscape, KeyF2, KeyH, KeySpace, KeyLeft, KeyUp})
    shell.FormKeyDown(key, {});
  EXPECT_EQ(values.ScreenState, naming);
  EXPECT_TRUE(ports.calls.empty());
  for (char c : std::string("Yn")) shell.FormKeyPress(static_cast<uint8_t>(c));
  EXPECT_EQ(values.PlayerName, "Yn");
  EXPECT_EQ(values.ScreenState, naming);
}

TEST_F(Keys, F2AsksForANewGameAsTheButtonDoesAndHAsksTheBoardForAHint) {
  values.GameUnderWay = true;
  Press(KeyF2);
  EXPECT_EQ(values.ScreenState, DialogOpen | NewGameDialog | GameScreen);
  Press(KeyH);  // not while a question is open
  EXPECT_FALSE(ports.Called("ShowHint"));
  Press(KeyY);
  EXPECT_EQ(values.ScreenState, GameScreen);
  EXPECT_TRUE(ports.Called("DropBalls(" + std::to_string(3 * values.GameMode + 3) + ",1)"));
  Press(KeyH);
  EXPECT_EQ(ports.Count("ShowHint"), 1);
  values.ScreenState = MenuScreen;
  Press(KeyH);
  Press(KeySpace);
  EXPECT_EQ(ports.Count("ShowHint"), 1);
  EXPECT_FALSE(ports.Called("BoardClick"));
}

}  // namespace
}  // namespace marblix
