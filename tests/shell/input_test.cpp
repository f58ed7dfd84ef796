// Input routing: pointer scaling, clicks and drags on the board, volume bars, keys and typing.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "shell/game_shell.h"
#include "shell/high_scores.h"
#include "shell/recording_ports.h"
#include "shell/typed_text.h"

namespace marblix {
namespace {

class Input : public ::testing::Test {
 protected:
  void SetUp() override {
    for (uint8_t m = 0; m < 3; ++m) ResetScoreTable(values, m);
    values.ScreenState = GameScreen;
  }
  void Click(int x, int y, int button = ButtonLeft) {
    shell.FormMouseMove(x, y);
    shell.FormMouseDown(button, x, y);
    shell.FormMouseUp(button, x, y);
  }
  TShellValues values;
  test_support::RecordingPorts ports{values};
  GameShell shell{ports, values};
};

TEST_F(Input, PointerIsScaledIntoTheDrawingSpace) {
  shell.FormMouseMove(401, 301);
  EXPECT_EQ(values.MouseX, 401);
  EXPECT_EQ(values.MouseY, 301);
  // A 1024 x 768 desktop showing the frame letterboxed at 1024 x 768: scale 1.28.
  shell.Mapping() = {0, 0, 1024, 768};
  shell.FormMouseMove(512, 384);
  EXPECT_EQ(values.MouseX, 400);
  EXPECT_EQ(values.MouseY, 300);
  // A 1280 x 720 desktop: frame shown 960 x 720 from x 160.
  shell.Mapping() = {160, 0, 960, 720};
  shell.FormMouseMove(160 + 480, 360);
  EXPECT_EQ(values.MouseX, 400);
  EXPECT_EQ(values.MouseY, 300);
}

TEST_F(Input, CellsTruncateTowardZero) {
  EXPECT_EQ(CellOf(298, BoardOriginX), 0);
  EXPECT_EQ(CellOf(349, BoardOriginX), 0);
  EXPECT_EQ(CellOf(350, BoardOriginX), 1);
  EXPECT_EQ(CellOf(247, BoardOriginX), 0);  // up to 51 pixels left of the board is column 0
  EXPECT_EQ(CellOf(246, BoardOriginX), -1);
}

TEST_F(Input, PressAndReleaseInOneCellIsOneClickAndADragIsTwo) {
  Click(320, 50);
  EXPECT_EQ(ports.Count("BoardClick"), 1);
  EXPECT_EQ((std::vector<std::string>{"PressButtons", "BoardClick", "ReleaseButtons"}),
            ports.calls);
  ports.calls.clear();
  int buttonAtSecondClick = -1;
  ports.onClick = [&] { buttonAtSecondClick = values.MouseButton; };
  shell.FormMouseMove(320, 50);
  shell.FormMouseDown(ButtonRight, 320, 50);
  EXPECT_EQ(buttonAtSecondClick, ButtonRight);
  shell.FormMouseMove(400, 50);
  shell.FormMouseUp(ButtonRight, 400, 50);
  EXPECT_EQ(ports.Count("BoardClick"), 2);
  EXPECT_EQ(buttonAtSecondClick, ButtonLeft);  // the release acts as a left click
}

TEST_F(Input, NothingReachesTheBoardUnderADialogOrDuringLogoAndLoading) {
  values.ScreenState = DialogOpen | ExitDialog | GameScreen;
  shell.FormMouseMove(320, 50);
  shell.FormMouseDown(ButtonLeft, 320, 50);
  shell.FormMouseUp(ButtonLeft, 420, 50);
  EXPECT_FALSE(ports.Called("BoardClick"));
  EXPECT_TRUE(ports.Called("PressButtons"));
  ports.calls.clear();
  for (uint32_t screen : {LogoScreen, LoadingScreen}) {
    values.ScreenState = screen;
    Click(320, 50);
    shell.FormKeyDown(KeyEnter, {.Alt = true});
    shell.FormKeyDown(KeyShift, {});  // a modifier alone is no key
    // Only the logo may be cut short (once it has shown for a second).
    EXPECT_EQ(ports.calls, (std::vector<std::string>{"SkipLogo", "SkipLogo"}));
    ports.calls.clear();
    EXPECT_EQ(values.ScreenState, screen);
  }
  EXPECT_EQ(values.MouseX, 320);  // the position is still tracked
}

TEST_F(Input, VolumeBars) {
  values.ScreenState = OptionsScreen;
  Click(587, 180);
  EXPECT_EQ(values.MusicVolume, 50);
  EXPECT_TRUE(ports.Called("ApplyMusicVolume(50)"));
  Click(490, 180);
  Click(684, 180);
  EXPECT_EQ(values.MusicVolume, 50);
  Click(683, 280);
  EXPECT_EQ(values.SoundVolume, 99);
  ports.calls.clear();
  Click(600, 230);  // between the bars: no value changes, the stream is set again
  EXPECT_EQ(values.MusicVolume, 50);
  EXPECT_EQ(values.SoundVolume, 99);
  EXPECT_TRUE(ports.Called("ApplyMusicVolume(50)"));
  values.ScreenState = DialogOpen | ExitDialog | OptionsScreen;
  Click(500, 180);
  EXPECT_EQ(values.MusicVolume, 50);
}

TEST_F(Input, FullScreenCheckBoxAsksTheQuestion) {
  values.ScreenState = OptionsScreen;
  Click(411, 370);  // on the edge: outside
  EXPECT_EQ(values.ScreenState, OptionsScreen);
  Click(420, 370);
  EXPECT_EQ(values.ScreenState, DialogOpen | FullScreenDialog | OptionsScreen);
  EXPECT_FALSE(values.FullScreenSetting);
}

TEST_F(Input, NameEntry) {
  values.ScreenState = DialogOpen | EnterNameDialog | HighScoresScreen;
  values.GameMode = ModeNormal;
  values.NewEntryRow = 2;
  values.PlayerName.clear();
  shell.FormKeyDown(KeyBackspace, {});  // empty: nothing removed, the sound plays
  EXPECT_EQ(ports.Count("PlayKeySound"), 1);
  for (char c : std::string("ABCDEFGHIJKLMNOPQR")) shell.FormKeyPress(static_cast<uint8_t>(c));
  EXPECT_EQ(values.PlayerName, "ABCDEFGHIJKLMNOPQ");  // the 18th is refused
  EXPECT_EQ(ports.Count("PlayKeySound"), 18);
  shell.FormKeyPress(31);
  shell.FormKeyPress(129);
  shell.FormKeyDown(KeyBackspace, {});
  EXPECT_EQ(values.PlayerName, "ABCDEFGHIJKLMNOP");
  shell.FormKeyPress('Q');
  shell.FormKeyDown(KeyEnter, {});
  EXPECT_EQ(values.ScreenState, HighScoresScreen);
  EXPECT_EQ(EntryName(values.HighScoreTable[1][2]), "ABCDEFGHIJKLMNOP");
}

// The name question is a text field: the last name is offered selected, so the first letter
// replaces it; Backspace, Delete, the arrows, Home and End work as in any text field.
TEST_F(Input, TheOfferedNameIsSelectedAndTheFieldEditsAsAnyTextField) {
  struct Case {
    std::vector<int> Keys;  // pressed first
    std::string Typed;      // then typed
    std::string Expected;
  };
  const Case cases[] = {
      {{}, "Ada", "Ada"},
      {{KeyBackspace}, "Bo", "Bo"},
      {{KeyDelete}, "", ""},
      {{KeyRight}, "s", "Players"},
      {{KeyLeft}, "X", "XPlayer"},
      {{KeyEnd, KeyBackspace}, "", "Playe"},
      {{KeyHome, KeyDelete, KeyRight, KeyRight}, "-", "la-yer"},
      {{KeyEnd, KeyLeft, KeyBackspace, KeyBackspace}, "", "Plar"},
      {{}, "ABCDEFGHIJKLMNOPQR", "ABCDEFGHIJKLMNOPQ"},  // the 18th is refused
  };
  for (const Case& c : cases) {
    values.ScreenState = GameScreen;
    values.PlayerName = "Player";
    values.Score = 5000;
    PlaceFinalScore(values);
    for (int key : c.Keys) shell.FormKeyDown(key, {});
    for (char ch : c.Typed) shell.FormKeyPress(static_cast<uint8_t>(ch));
    EXPECT_EQ(values.PlayerName, c.Expected) << c.Typed;
    shell.FormKeyDown(KeyEnter, {});
    EXPECT_EQ(values.ScreenState, HighScoresScreen);
    EXPECT_EQ(EntryName(values.HighScoreTable[values.GameMode][values.NewEntryRow]),
              c.Expected.substr(0, 16));
  }
  // The stored row is marked for a few seconds.
  EXPECT_GT(values.NewRowMarkTime, 0);
  shell.PowerTimer1RealTime(NewRowMarkDuration);
  EXPECT_EQ(values.NewRowMarkTime, 0);
}

TEST_F(Input, AltEnterInTheNameDialogStoresTheNameThenAsksAboutFullScreen) {
  values.ScreenState = DialogOpen | EnterNameDialog | HighScoresScreen;
  values.PlayerName = "Zed";
  shell.FormKeyDown(KeyEnter, {.Alt = true});
  EXPECT_EQ(EntryName(values.HighScoreTable[values.GameMode][values.NewEntryRow]), "Zed");
  EXPECT_EQ(values.ScreenState, DialogOpen | FullScreenDialog | HighScoresScreen);
  EXPECT_EQ(values.ReturnState, HighScoresScreen);
  shell.FormKeyDown(KeyEnter, {.Alt = true});  // a dialog is open: nothing more
  EXPECT_EQ(values.ScreenState, DialogOpen | FullScreenDialog | HighScoresScreen);
  EXPECT_FALSE(values.FullScreenSetting);
}

TEST_F(Input, CtrlZAndBackspaceTakeAMoveBackOnTheGameScreenOnly) {
  struct UndoKey {
    uint32_t Screen;
    int Key;
    ShiftState Shift;
    int Undos;
  };
  const UndoKey keys[] = {
      {GameScreen, KeyZ, {.Ctrl = true}, 1},
      {GameScreen, KeyBackspace, {}, 1},
      {GameScreen, KeyZ, {}, 0},
      {DialogOpen | ExitDialog | GameScreen, KeyZ, {.Ctrl = true}, 0},
      {DialogOpen | NewGameDialog | GameScreen, KeyBackspace, {}, 0},
      {DialogOpen | EnterNameDialog | HighScoresScreen, KeyBackspace, {}, 0},
      {MenuScreen, KeyZ, {.Ctrl = true}, 0},
      {LoadingScreen, KeyBackspace, {}, 0},
  };
  for (const UndoKey& k : keys) {
    values.ScreenState = k.Screen;
    ports.calls.clear();
    shell.FormKeyDown(k.Key, k.Shift);
    EXPECT_EQ(ports.Count("BoardUndo"), k.Undos) << std::hex << k.Screen << " " << k.Key;
  }
}

TEST_F(Input, ALeftClickOnTheUndoMarkTakesTheMoveBackWhileTheMarkShows) {
  const int x = UndoMarkX, y = UndoMarkY + UndoMarkHeight / 2;
  Click(x, y);
  EXPECT_FALSE(ports.Called("BoardUndo"));  // nothing to take back: no mark
  ports.canUndo = true;
  Click(x, y, ButtonRight);
  Click(x, UndoMarkY - 2);
  EXPECT_FALSE(ports.Called("BoardUndo"));
  Click(x - UndoMarkHalfWidth + 1, y);
  EXPECT_EQ(ports.Count("BoardUndo"), 1);
  values.ScreenState = DialogOpen | ExitDialog | GameScreen;
  Click(x, y);
  EXPECT_EQ(ports.Count("BoardUndo"), 1);
}

std::string Repeated(const std::string& letter, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += letter;
  return text;
}

TEST_F(Input, NamesTakeLatinGreekAndCyrillicLettersUpToTheRowsBytes) {
  values.ScreenState = DialogOpen | EnterNameDialog | HighScoresScreen;
  const struct {
    std::u32string Typed;
    std::string Name;
  } cases[] = {
      {U"Zo\u00EB \u20AC\u0141", "Zo\u00EB \u20AC\u0141"},  // Latin-1, Windows-1252, Latin-A
      {U"\u03A3\u03BF\u03C6\u03AF\u0430", "\u03A3\u03BF\u03C6\u03AF\u0430"},  // Greek, Cyrillic
      {U"a\u4E2D\u3042\u0007\u0081\u007F\U0001F600b", "ab"},  // no CJK, controls, emoji
      // Windows-1252 letters are kept in a byte each: 17 of them; others in UTF-8, 17 bytes' worth.
      {std::u32string(18, U'\u00E9'), Repeated("\u00E9", 17)},
      {std::u32string(9, U'\u0416'), Repeated("\u0416", 8)},
      {U"ABCDEFGHIJKLMNO\u0416\u0416", "ABCDEFGHIJKLMNO\u0416"},
  };
  for (const auto& c : cases) {
    values.PlayerName.clear();
    for (const char32_t letter : c.Typed) shell.FormKeyPress(letter);
    EXPECT_EQ(values.PlayerName, c.Name);
  }
  // The caret moves, and Backspace and Delete take, whole letters.
  values.PlayerName = "\u0416\u00E9A";
  values.NameCaret = std::string::npos;
  values.NameSelected = false;
  for (const int key : {KeyBackspace, KeyLeft, KeyDelete, KeyLeft, KeyRight})
    shell.FormKeyDown(key, {});
  shell.FormKeyPress(U'\u00DF');
  EXPECT_EQ(values.PlayerName, "\u0416\u00DF");
  EXPECT_EQ(values.NameCaret, 4u);
}

TEST(TypedText, EachCodePointOfTheWindowsTextInTurn) {
  const struct {
    std::string_view Text;
    std::u32string CodePoints;
  } cases[] = {
      {"A\xC3\xA9", U"A\u00E9"},                              // one and two bytes
      {"\xE2\x82\xAC\xF0\x9F\x98\x80", U"\u20AC\U0001F600"},  // three and four bytes
      {"\xE2\x82", U"\u0082"},              // cut short by the end: the bits it has
      {"\xA1x", U"\u0021x"},                // a stray continuation byte
      {std::string_view("a\0b", 3), U"a"},  // a NUL ends the text
  };
  for (const auto& c : cases) {
    std::u32string seen;
    ForEachCodePoint(c.Text, [&seen](char32_t codePoint) { seen.push_back(codePoint); });
    EXPECT_EQ(seen, c.CodePoints) << c.Text;
  }
}

TEST_F(Input, CloseRequest) {
  values.ScreenState = GameScreen;
  EXPECT_FALSE(shell.FormCloseQuery());
  EXPECT_EQ(values.ScreenState, DialogOpen | ExitDialog | GameScreen);
  EXPECT_FALSE(shell.FormCloseQuery());
  EXPECT_EQ(values.ScreenState, DialogOpen | ExitDialog | GameScreen);
  EXPECT_TRUE(ports.calls.empty());
  values.ScreenState = LogoScreen;
  EXPECT_TRUE(shell.FormCloseQuery());
  EXPECT_EQ(ports.calls,
            (std::vector<std::string>{"SetFramesRunning(0)", "ReleaseDevice", "Terminate"}));
}

}  // namespace
}  // namespace marblix
