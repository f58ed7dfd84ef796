// The button bar's rules: strict hit test, liveness, dialog-only presses, release under the
// pointer, selection, pages, hover sound.
#include <gtest/gtest.h>

#include "graphics/AGFUnit.h"
#include "shell/defs.h"
#include "sound/Bass.h"
#include "sound/sounds.h"
#include "support/RecordingAudio.h"
#include "text/qz_strings.h"
#include "widgets/qz_Menus.h"

namespace marblix {
namespace {

constexpr uint32_t Everywhere = 0xFFFFFFFF;

class ButtonsTest : public ::testing::Test {
 protected:
  ButtonsTest() : Installed(std::make_unique<TRecordingAudio>()), Bar(nullptr, Values) {
    Audio = static_cast<TRecordingAudio*>(&AudioLibrary());
    GameSounds = TSoundTable{};
    GameSounds[NamedSound::s_click] = Audio->SampleLoad(false, "click", 0, 0, 32, 4);
    GameSounds[NamedSound::s_hover] = Audio->SampleLoad(false, "hover", 0, 0, 32, 4);
    Audio->ClearCalls();
    Picture.PatternWidth = 100;
    Picture.PatternHeight = 20;
    Values.ScreenState = MenuScreen;
    Values.HelpPage = 0;
    Values.GameMode = ModeNormal;
  }
  ~ButtonsTest() override { GameSounds = TSoundTable{}; }

  // Adds buttons n at (0, 30 n) whose actions record their index.
  void AddButtons(int count, uint32_t mask = Everywhere) {
    for (int n = Bar.Count(), end = Bar.Count() + count; n < end; ++n) {
      Bar.AddButton(0, 30 * n, &Picture, mask, [this, n] { Ran.push_back(n); });
    }
  }
  void PointAt(int x, int y) {
    Values.MouseX = x;
    Values.MouseY = y;
  }
  // Points at the middle of button n as laid out by AddButtons.
  void PointAtButton(int n) { PointAt(50, 30 * n + 10); }
  std::vector<std::string> Sounds() const { return Audio->PlayedFiles(); }

  TScopedAudioLibrary Installed;
  TRecordingAudio* Audio = nullptr;
  TAGFImage Picture;
  TShellValues Values;
  TButtons Bar;
  std::vector<int> Ran;
};

TEST_F(ButtonsTest, ThePointerIsInsideOnlyStrictlyWithinTheEdges) {
  AddButtons(1);
  const TButtonItem& button = Bar[0];
  const std::pair<int, int> inside[] = {{1, 1}, {99, 19}, {50, 10}};
  const std::pair<int, int> outside[] = {{0, 10}, {50, 0}, {100, 10}, {50, 20}, {-5, 10}};
  for (const auto& [x, y] : inside) {
    PointAt(x, y);
    EXPECT_TRUE(Bar.PointerInside(button)) << x << "," << y;
  }
  for (const auto& [x, y] : outside) {
    PointAt(x, y);
    EXPECT_FALSE(Bar.PointerInside(button)) << x << "," << y;
  }
}

TEST_F(ButtonsTest, APressThenAReleaseRunsTheActionUnderThePointer) {
  AddButtons(3);
  PointAtButton(1);
  Bar.PressButtons();
  EXPECT_TRUE(Bar.PressActive);
  EXPECT_TRUE(Bar[1].pressed);
  EXPECT_EQ(Bar.PressedItem, 1);
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"click"}));

  PointAtButton(2);
  Bar.ReleaseButtons();
  EXPECT_FALSE(Bar.PressActive);
  EXPECT_FALSE(Bar[1].pressed);
  EXPECT_EQ(Ran, (std::vector<int>{2})) << "the button under the pointer, not the pressed one";

  Bar.ReleaseButtons();
  EXPECT_EQ(Ran.size(), 1u) << "a release without a press does nothing";
}

TEST_F(ButtonsTest, APressOutsideEveryButtonMakesTheReleaseDoNothing) {
  AddButtons(2);
  PointAt(500, 500);
  Bar.PressButtons();
  EXPECT_FALSE(Bar.PressActive);
  PointAtButton(0);
  Bar.ReleaseButtons();
  EXPECT_TRUE(Ran.empty());
  EXPECT_TRUE(Sounds().empty());
}

TEST_F(ButtonsTest, ButtonsOfOtherScreensAreDeadAndActionsChangeLivenessOnTheWay) {
  AddButtons(1, GameScreen);
  AddButtons(1, MenuScreen);
  PointAtButton(0);
  Bar.PressButtons();
  EXPECT_FALSE(Bar.PressActive) << "button 0 lives on the game screen only";

  // Two buttons on one spot: the first one's action leaves the menu, so the second is dead by then.
  Bar.AddButton(0, 300, &Picture, MenuScreen, [this] {
    Ran.push_back(10);
    Values.ScreenState = GameScreen;
  });
  Bar.AddButton(0, 300, &Picture, MenuScreen, [this] { Ran.push_back(11); });
  PointAt(50, 310);
  Bar.PressButtons();
  EXPECT_EQ(Bar.PressedItem, 3) << "every button under the pointer is pressed, the last one kept";
  Bar.ReleaseButtons();
  EXPECT_EQ(Ran, (std::vector<int>{10}));
}

TEST_F(ButtonsTest, WithADialogOpenOnlyDialogButtonsPressButAnyButtonReleases) {
  AddButtons(14);             // 0..13 on every screen
  AddButtons(2, DialogOpen);  // 14, 15: yes and no
  Values.ScreenState = MenuScreen | ExitDialog | DialogOpen;
  PointAtButton(3);
  Bar.PressButtons();
  EXPECT_FALSE(Bar.PressActive) << "a menu button behind the dialog";

  PointAtButton(YesButton);
  Bar.PressButtons();
  EXPECT_TRUE(Bar[YesButton].pressed);
  // Releasing over a menu button runs the menu button's action, not yes.
  PointAtButton(3);
  Bar.ReleaseButtons();
  EXPECT_EQ(Ran, (std::vector<int>{3}));
}

TEST_F(ButtonsTest, SelectedButtonsNeitherPressNorRun) {
  AddButtons(4);
  Bar.SelectModeButton();
  EXPECT_TRUE(Bar[FirstModeButton + ModeNormal].selected);
  Values.GameMode = ModeKids;
  Bar.SelectModeButton();
  EXPECT_TRUE(Bar[1].selected);
  EXPECT_FALSE(Bar[2].selected) << "the old mode button is cleared";

  PointAtButton(1);
  Bar.PressButtons();
  EXPECT_FALSE(Bar.PressActive);
  PointAtButton(2);
  Bar.PressButtons();
  PointAtButton(1);
  Bar.ReleaseButtons();
  EXPECT_TRUE(Ran.empty()) << "released over the selected button";
}

TEST_F(ButtonsTest, ThePageRuleHidesPreviousOnTheFirstPageAndNextOnTheLast) {
  AddButtons(18);
  TQzStrings strings;
  strings.LastHelpPage = 4;
  Bar.Strings = &strings;
  const auto pressable = [this](int n) {
    PointAtButton(n);
    Bar.PressButtons();
    const bool pressed = Bar.PressActive;
    Bar.ReleaseButtons();
    return pressed;
  };
  Values.HelpPage = 0;
  EXPECT_FALSE(pressable(PreviousPageButton));
  EXPECT_TRUE(pressable(NextPageButton));
  Values.HelpPage = 4;
  EXPECT_TRUE(pressable(PreviousPageButton));
  EXPECT_FALSE(pressable(NextPageButton));
  Values.HelpPage = 2;
  EXPECT_TRUE(pressable(PreviousPageButton));
  EXPECT_TRUE(pressable(NextPageButton));
}

TEST_F(ButtonsTest, TheHoverSoundPlaysOnlyWhenADifferentButtonLightsUp) {
  AddButtons(3);
  PointAtButton(0);
  Bar.DrawButtons();
  EXPECT_TRUE(Sounds().empty()) << "LastHovered starts at 0";
  PointAtButton(1);
  Bar.DrawButtons();
  Bar.DrawButtons();
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"hover"})) << "once per change";
  PointAt(500, 500);
  Bar.DrawButtons();
  PointAtButton(1);
  Bar.DrawButtons();
  EXPECT_EQ(Sounds().size(), 1u) << "leaving and coming back plays nothing";
  PointAtButton(2);
  Bar.DrawButtons();
  EXPECT_EQ(Sounds().size(), 2u);
  EXPECT_EQ(Bar.LastHovered, 2);
}

TEST_F(ButtonsTest, BehindADialogNothingLightsUpButTheDialogButtonsDo) {
  AddButtons(14);
  AddButtons(2, DialogOpen);
  Values.ScreenState = GameScreen | NewGameDialog | DialogOpen;
  PointAtButton(5);
  Bar.DrawButtons();
  PointAtButton(YesButton);
  Bar.DrawButtons();
  EXPECT_TRUE(Sounds().empty()) << "DrawButtons shows the normal look while a dialog is open";
  Bar.DrawButton(YesButton);
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"hover"}));
  EXPECT_EQ(Bar.LastHovered, YesButton);
}

}  // namespace
}  // namespace marblix
