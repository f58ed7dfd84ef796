// Every screen by keyboard in the whole program: the focus runs over the buttons that can be
// pressed in the button table's order, Enter presses, Escape on a panel is Back, Left and Right
// turn pages; D deals the daily challenge of the date the environment names.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "integration/game_run.h"
#include "platform/system/today.h"
#include "shell/button_table.h"
#include "support/Environment.h"

namespace marblix {
namespace {

using A = ButtonAction;
using Focus = std::optional<ButtonAction>;  // the focused button's action; none: the board
constexpr Focus Board = std::nullopt;

class Keyboard : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test_support::DataPackExists()) GTEST_SKIP() << "no asset pack: no buttons to focus";
    test_support::LinkDataPack(dir.path());
    run = std::make_unique<test_support::GameRun>(audio);
    run->Create();
    ASSERT_TRUE(run->RunUntil([this] { return (State() & (LogoScreen | LoadingScreen)) == 0; }));
  }
  uint32_t State() { return run->Values().ScreenState; }
  Focus Focused() {
    const int index = run->Form().Resources.Buttons->Focused;
    return index == NoFocus ? Board : Focus(ButtonTable[static_cast<size_t>(index)].Action);
  }
  // The focus after each press of the key; each press is followed by a frame, as in the game.
  std::vector<Focus> Keys(int key, int times = 1, ShiftState shift = {}) {
    std::vector<Focus> seen;
    for (int i = 0; i < times; ++i) {
      run->Form().FormKeyDown(key, shift);
      run->Idle();
      seen.push_back(Focused());
    }
    return seen;
  }

  testing::TScopedWorkingDirectory dir;
  TRecordingAudio* audio = nullptr;
  std::unique_ptr<test_support::GameRun> run;
};

TEST_F(Keyboard, TheFocusFollowsTheButtonTableOnEveryScreenAndEnterPressesIt) {
  ASSERT_EQ(State(), GameScreen);  // a new Normal game: Normal is selected, so it is skipped
  // The game screen: the bar, then the board with its cell cursor, round again and back.
  EXPECT_EQ(
      Keys(KeyTab, 10),
      (std::vector<Focus>{A::NewGame, A::Kids, A::Professional, A::OpenOptions, A::OpenInstructions,
                          A::OpenHighScores, A::Exit, A::Daily, Board, A::NewGame}));
  EXPECT_EQ(Keys(KeyTab, 2, {.Shift = true}), (std::vector<Focus>{Board, A::Daily}));
  EXPECT_FALSE(run->Form().Shell.KeyCursorShown());

  // Options: its own buttons first; Space presses; Escape is Back, and the focus goes with it.
  EXPECT_EQ(Keys(KeyUp, 4).back(), A::OpenOptions);
  EXPECT_EQ(Keys(KeyEnter).back(), A::BackFromOptions);
  ASSERT_EQ(State(), OptionsScreen);
  EXPECT_EQ(Keys(KeyDown, 14),
            (std::vector<Focus>{A::MusicDown, A::MusicUp, A::SoundDown, A::SoundUp, A::Daily,
                                A::PreviousLanguage, A::NextLanguage, A::NewGame, A::Kids,
                                A::Professional, A::OpenInstructions, A::OpenHighScores, A::Exit,
                                A::BackFromOptions}));
  const int32_t music = run->Values().MusicVolume;
  Keys(KeyTab, 2);
  Keys(KeySpace);
  EXPECT_EQ(run->Values().MusicVolume, std::min(music + 10, 100));
  EXPECT_EQ(Keys(KeyEscape).back(), Board);
  EXPECT_EQ(State(), GameScreen);

  // The instructions: Left and Right turn the pages; the page buttons join where shown.
  EXPECT_EQ(Keys(KeyTab, 5).back(), A::OpenInstructions);
  Keys(KeyEnter);
  Keys(KeyRight, 2);
  Keys(KeyLeft);
  EXPECT_EQ(run->Values().HelpPage, 1);
  EXPECT_EQ(Keys(KeyTab, 3), (std::vector<Focus>{A::PreviousPage, A::NextPage, A::Daily}));
  EXPECT_EQ(Keys(KeyTab, 1, {.Shift = true}).back(), A::NextPage);
  Keys(KeyEnter);
  EXPECT_EQ(run->Values().HelpPage, 2);

  // A question: its Yes and No only. Escape on a focused game screen goes back to the board.
  Keys(KeyEscape);
  Keys(KeyEscape);
  ASSERT_EQ(State(), DialogOpen | ExitDialog | GameScreen);
  EXPECT_EQ(Keys(KeyTab, 3), (std::vector<Focus>{A::Yes, A::No, A::Yes}));
  Keys(KeyRight);
  Keys(KeyEnter);
  EXPECT_EQ(State(), GameScreen);
  Keys(KeyTab);
  EXPECT_EQ(Keys(KeyEscape).back(), Board);
  EXPECT_TRUE(run->Form().Shell.KeyCursorShown());
  EXPECT_EQ(State(), GameScreen);
  // The mouse takes over: the focus goes.
  Keys(KeyTab);
  run->MoveTo(200, 200);
  EXPECT_EQ(Focused(), Board);
}

// D starts the daily challenge of the date MARBLIX_TODAY names, dealt by the date alone: the same
// board whatever the generator's state, another board the next day.
TEST_F(Keyboard, DDealsTheChallengeOfTheDateTheEnvironmentNames) {
  const auto dealt = [this](const char* date, uint32_t seed) {
    testing::SetEnvironment(TodayVariable, date);
    run->Values().RandSeed = seed;
    Keys(KeyD);
    std::vector<uint32_t> cells;
    for (const TCell& cell : run->Form().Board->FCells) cells.push_back(cell.Mask << 8 | cell.Look);
    return cells;
  };
  const auto first = dealt("2026-12-09", 1), again = dealt("2026-12-09", 777);
  const auto next = dealt("2026-12-10", 1);
  testing::SetEnvironment(TodayVariable, "");
  EXPECT_EQ(run->Values().DailyDay, 20797);
  EXPECT_EQ(std::ranges::count_if(first, [](uint32_t cell) { return cell > 0xFF; }), 6);
  EXPECT_EQ(first, again);
  EXPECT_NE(first, next);
}

}  // namespace
}  // namespace marblix
