// The daily challenge's rule: dates as numbers and text, the day's start board, and the balls the
// same moves bring on it whatever the frames, the effects or the generator did between them.
#include <algorithm>
#include <vector>

#include "BoardBot.h"
#include "BoardDoubles.h"
#include "board/DayGame.h"

namespace marblix::testing {
namespace {

TEST(DayDates, DatesAreNumberedAndWrittenOneWayAndOtherTextsAreNoDates) {
  using Date = std::pair<const char*, int32_t>;
  for (const auto& [text, day] :
       {Date{"2000-01-01", 10957}, Date{"2000-02-29", 11016}, Date{"2024-02-29", 19782},
        Date{"2026-12-09", 20796}, Date{"9999-12-31", 2932896}}) {
    ASSERT_TRUE(ParseDate(text)) << text;
    EXPECT_EQ(DayNumberOf(*ParseDate(text)), day) << text;
    EXPECT_EQ(DayText(day), text);
  }
  for (const char* text :
       {"1999-12-31", "2026-02-29", "2100-02-29", "2026-04-31", "2026-13-01", "2026-00-10",
        "2026-12-00", "2026-1-09", "2026/12/09", "2026-12-09 ", "+026-12-09", ""}) {
    EXPECT_FALSE(ParseDate(text)) << text;
  }
}

class DayGame : public BoardTest {
 protected:
  // The board and the preview, a letter a kind ('.' empty), columns then rows.
  std::string Board() const {
    std::string text;
    const auto letter = [](const TCell& cell) {
      return cell.Mask == 0 ? '.'
                            : char('A' + (std::ranges::find(BallKinds, cell) - BallKinds.begin()));
    };
    for (const TCell& cell : board.FCells) text += letter(cell);
    text += '|';
    for (const TCell& next : board.FPreview) text += letter(next);
    return text;
  }
  // The boards dealt for `day` (0: an ordinary game) from `seed` and after each bot move; when
  // `busy`, frames at 200 fps draw before each move, which is taken back and made again.
  std::vector<std::string> Play(int32_t day, uint32_t seed, int moves, bool busy) {
    values.DailyDay = day;
    values.RandSeed = seed;
    StartNewGame(ModeNormal);
    std::vector<std::string> boards{Board()};
    EXPECT_EQ(values.RandSeed == seed, day != 0)
        << "only the day's deal leaves the generator as it was";
    BotChoices bot(7);
    const auto click = [this](int x, int y, int button) { ClickCell(x, y, button); };
    for (int m = 0; m < moves && !board.FGameOver; ++m) {
      RunUntilIdle();
      values.MeasuredFps = busy ? 200 : 0;
      for (int i = 0; busy && i < 36; ++i) board.UpdateAndDraw(0.7);
      const BotChoices before = bot;
      if (!BotMove(board, bot, click)) break;
      RunUntilIdle();
      if (busy && board.CanUndo()) {
        board.RequestUndo();
        for (int i = 0; i < 9; ++i) board.UpdateAndDraw(1.3);
        bot = before;  // the bot chooses the same move on the same board
        if (!BotMove(board, bot, click)) break;
        RunUntilIdle();
      }
      boards.push_back(Board());
    }
    return boards;
  }
};

TEST_F(DayGame, TheDateAloneDealsTheBoardAndTheSameMovesBringTheSameBallsWhateverHappenedBetween) {
  const auto quiet = Play(20796, 12345, 40, false);  // 2026-12-09
  ASSERT_GE(quiet.size(), 26u);
  // The day's game as every machine deals it (the Windows build runs this test too).
  EXPECT_EQ(
      quiet[0],
      "D....C...........D.....................................F.........B..............D|GCGC");
  EXPECT_EQ(Play(20796, 0xDEADBEEFu, 40, true), quiet);
  // An ordinary game dealt from one seed is changed by the frames: the shared generator moves on.
  EXPECT_NE(Play(0, 5, 10, true), Play(0, 5, 10, false));
}

}  // namespace
}  // namespace marblix::testing
