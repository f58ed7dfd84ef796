// Every screen by keyboard in the whole program: the focus runs over the buttons of the screen or
// panel shown in the button table's order, Enter presses, Escape on a panel is Back, Left and Right
// turn the instructions' pages, and the logo gives way to a key or a click after its first second.
#include <gtest/gtest.h>

#include <vector>

#include "integration/game_run.h"
#include "shell/button_table.h"

namespace marblix {
namespace {

using test_support::GameRun;
using Action = ButtonAction;

// What has the keyboard: a button's action, or the board (no button focused).
struct Focus {
  bool OnBoard = true;
  Action Button = Action::NewGame;
  friend bool operator==(const Focus&, const Focus&) = default;
};
constexpr Focus Board{};
constexpr Focus On(Action action) {
  return {false, action};
}
void PrintTo(const Focus& f, std::ostream* out) {
  *out << (f.OnBoard ? std::string("board") : "button action " + std::to_string(int(f.Button)));
}

class Keyboard : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test_support::DataPackExists()) GTEST_SKIP() << "no asset pack: no buttons to focus";
    test_support::LinkDataPack(dir.path());
    run = std::make_unique<GameRun>(audio);
    run->Create();
  }
  void Load() {
    ASSERT_TRUE(run->RunUntil([this] {
      return Values().ScreenState != LogoScreen && Values().ScreenState != LoadingScreen;
    }));
  }
  TShellValues& Values() { return run->Values(); }
  TButtons& Buttons() { return *run->Form().Resources.Buttons; }
  void Key(int key, ShiftState shift = {}) {
    run->Form().FormKeyDown(key, shift);
    run->Idle();  // the frame shows it, and hands a focus the screen no longer has on
  }
  Focus Focused() {
    const int index = Buttons().Focused;
    return index == NoFocus ? Board : On(ButtonTable[static_cast<size_t>(index)].Action);
  }
  // The focus after each of `count` presses of the key.
  std::vector<Focus> Walk(int key, int count, ShiftState shift = {}) {
    std::vector<Focus> seen;
    for (int i = 0; i < count; ++i) {
      Key(key, shift);
      seen.push_back(Focused());
    }
    return seen;
  }

  testing::TScopedWorkingDirectory dir;
  TRecordingAudio* audio = nullptr;
  std::unique_ptr<GameRun> run;
};

TEST_F(Keyboard, TheFocusFollowsTheButtonTableOnEveryScreenAndEnterPressesIt) {
  Load();
  ASSERT_EQ(Values().ScreenState, GameScreen);  // a new Normal game: Normal is selected
  // The game screen: the bar's buttons, then the board with its cell cursor, then round again.
  EXPECT_EQ(Walk(KeyTab, 9),
            (std::vector<Focus>{On(Action::NewGame), On(Action::Kids), On(Action::Professional),
                                On(Action::OpenOptions), On(Action::OpenInstructions),
                                On(Action::OpenHighScores), On(Action::Exit), Board,
                                On(Action::NewGame)}));
  EXPECT_EQ(Walk(KeyTab, 2, {.Shift = true}), (std::vector<Focus>{Board, On(Action::Exit)}));
  EXPECT_FALSE(run->Form().Shell.KeyCursorShown());

  // Options by keyboard: the panel's own buttons first, its own button (selected) skipped.
  Walk(KeyUp, 3);
  ASSERT_EQ(Focused(), On(Action::OpenOptions));
  Key(KeyEnter);
  ASSERT_EQ(Values().ScreenState, OptionsScreen);
  EXPECT_EQ(Focused(), On(Action::BackFromOptions));
  EXPECT_EQ(Walk(KeyDown, 11),
            (std::vector<Focus>{On(Action::MusicDown), On(Action::MusicUp), On(Action::SoundDown),
                                On(Action::SoundUp), On(Action::NewGame), On(Action::Kids),
                                On(Action::Professional), On(Action::OpenInstructions),
                                On(Action::OpenHighScores), On(Action::Exit),
                                On(Action::BackFromOptions)}));
  Walk(KeyTab, 2);
  const int32_t music = Values().MusicVolume;
  Key(KeySpace);  // music up
  EXPECT_EQ(Values().MusicVolume, std::min(music + 10, 100));
  Key(KeyEscape);  // Back
  EXPECT_EQ(Values().ScreenState, GameScreen);

  // The instructions: Left and Right turn the pages, the page buttons join the focus where shown.
  EXPECT_EQ(Focused(), Board) << "the focus left with its panel";
  Walk(KeyTab, 5);
  ASSERT_EQ(Focused(), On(Action::OpenInstructions));
  Key(KeyEnter);
  ASSERT_EQ(Values().ScreenState, InstructionsScreen);
  Walk(KeyRight, 2);
  Key(KeyLeft);
  EXPECT_EQ(Values().HelpPage, 1);
  EXPECT_EQ(Focused(), On(Action::BackFromInstructions));
  EXPECT_EQ(Walk(KeyTab, 2), (std::vector<Focus>{On(Action::PreviousPage), On(Action::NextPage)}));
  Key(KeyEnter);
  EXPECT_EQ(Values().HelpPage, 2);

  // A question: only its Yes and No; Escape answers No.
  Key(KeyEscape);
  Key(KeyEscape);
  ASSERT_EQ(Values().ScreenState, DialogOpen | ExitDialog | GameScreen);
  EXPECT_EQ(Walk(KeyTab, 3),
            (std::vector<Focus>{On(Action::Yes), On(Action::No), On(Action::Yes)}));
  Key(KeyRight);
  Key(KeyEnter);
  EXPECT_EQ(Values().ScreenState, GameScreen);

  // Escape leaves the bar's buttons for the board, whose cell cursor shows.
  Key(KeyTab);
  Key(KeyEscape);
  EXPECT_EQ(Focused(), Board);
  EXPECT_TRUE(run->Form().Shell.KeyCursorShown());
  EXPECT_EQ(Values().ScreenState, GameScreen);

  // The mouse takes over: the focus goes.
  Key(KeyTab);
  run->MoveTo(200, 200);
  EXPECT_EQ(Focused(), Board);
}

TEST_F(Keyboard, TheLogoGivesWayToAKeyOrAClickAfterItsFirstSecond) {
  struct Case {
    bool ByKey;
  };
  for (const Case c : {Case{true}, Case{false}}) {
    SCOPED_TRACE(c.ByKey ? "key" : "click");
    if (!c.ByKey) {
      run.reset();
      run = std::make_unique<GameRun>(audio);
      run->Create();
    }
    const auto skip = [&] {
      if (c.ByKey) {
        run->Form().FormKeyDown('A', {});
      } else {
        run->Click(400, 300);
      }
    };
    run->Frames(10);  // two thirds of a second
    skip();
    EXPECT_EQ(Values().ScreenState, LogoScreen);
    run->Frames(8);
    skip();
    EXPECT_EQ(Values().ScreenState, LoadingScreen);
    run->Idle();  // the loading frame: loading runs as it always does
    EXPECT_EQ(Values().ScreenState, GameScreen);
  }
}

}  // namespace
}  // namespace marblix
