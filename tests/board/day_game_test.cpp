// The daily challenge's rule: dates as numbers and text, the day's start board, and the balls the
// same moves bring on it whatever the frames, the effects or the generator did between them.
#include <vector>

#include "BoardBot.h"
#include "BoardDoubles.h"
#include "board/DayGame.h"

namespace marblix::testing {
namespace {

TEST(DayDates, DatesAreNumberedAndWrittenOneWayAndOtherTextsAreNoDates) {
  struct Case {
    const char* Text;
    int32_t Day;  // 0: not a date the game knows
  };
  const Case cases[] = {
      {"2000-01-01", 10957},
      {"2000-02-29", 11016},
      {"2024-02-29", 19782},
      {"2026-12-09", 20796},
      {"9999-12-31", 2932896},
      {"1999-12-31", 0},
      {"2026-02-29", 0},
      {"2100-02-29", 0},
      {"2026-04-31", 0},
      {"2026-13-01", 0},
      {"2026-00-10", 0},
      {"2026-12-00", 0},
      {"2026-1-09", 0},
      {"2026/12/09", 0},
      {"2026-12-09 ", 0},
      {"+026-12-09", 0},
      {"", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    const std::optional<TCivilDate> date = ParseDate(c.Text);
    ASSERT_EQ(date.has_value(), c.Day != 0);
    if (!date) continue;
    EXPECT_EQ(DayNumberOf(*date), c.Day);
    EXPECT_EQ(DayText(c.Day), c.Text);
  }
}

class DayGame : public BoardTest {
 protected:
  // The shell's start of the day's game: Normal's rules, the date set before the opening drop.
  void StartDay(const char* date) {
    values.DailyDay = DayNumberOf(*ParseDate(date));
    StartNewGame(ModeNormal);
  }
  // The board and the preview, a letter a kind ('.' empty), columns then rows.
  std::string Board() const {
    std::string text;
    for (const TCell& cell : board.FCells) text += Letter(cell);
    text += '|';
    for (const TCell& next : board.FPreview) text += Letter(next);
    return text;
  }
  static char Letter(const TCell& cell) {
    return cell.Mask == 0 ? '.' : static_cast<char>('A' + KindOf(cell));
  }
  // The balls on the board as (x, y, kind).
  std::vector<std::array<int, 3>> Balls() const {
    std::vector<std::array<int, 3>> balls;
    for (int x = 0; x < 9; ++x)
      for (int y = 0; y < 9; ++y)
        if (board.FCells(x, y).Mask) balls.push_back({x, y, KindOf(board.FCells(x, y))});
    return balls;
  }
  static int KindOf(const TCell& cell) {
    for (int kind = 0; kind < BallKindCount; ++kind)
      if (BallKinds[kind] == cell) return kind;
    return -1;
  }
  // Plays `moves` bot moves; between them the frames of `frameUnits` go by, each drawing from the
  // generator at the given frame rate, and each move is taken back and made again when asked.
  std::vector<std::string> Play(int moves, double frameUnits, int32_t fps, bool retake) {
    BotChoices bot(7);
    std::vector<std::string> boards;
    const auto click = [this](int x, int y, int button) { ClickCell(x, y, button); };
    for (int m = 0; m < moves && !board.FGameOver; ++m) {
      RunUntilIdle();
      values.MeasuredFps = fps;
      for (double t = 0; t < frameUnits; t += 0.7) board.UpdateAndDraw(0.7);
      const BotChoices before = bot;
      if (!BotMove(board, bot, click)) break;
      RunUntilIdle();
      if (retake && board.CanUndo()) {
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

TEST_F(DayGame, TheDateAloneDealsTheStartBoardAndTheSharedGeneratorGoesOnAsIfUntouched) {
  std::string first;
  for (const uint32_t seed : {1u, 12345u, 0xDEADBEEFu}) {
    SCOPED_TRACE(seed);
    values.RandSeed = seed;
    StartDay("2026-12-09");
    EXPECT_EQ(values.RandSeed, seed);
    if (first.empty()) first = Board();
    EXPECT_EQ(Board(), first);
  }
  // The day's game as every machine deals it (the Windows build runs this test too).
  const std::vector<std::array<int, 3>> dealt{{0, 0, 3}, {0, 5, 2}, {1, 8, 3},
                                              {6, 1, 5}, {7, 2, 1}, {8, 8, 3}};
  EXPECT_EQ(Balls(), dealt);
  std::vector<int> preview;
  for (const TCell& next : board.FPreview) preview.push_back(KindOf(next));
  EXPECT_EQ(preview, (std::vector<int>{6, 2, 6, 2}));

  StartDay("2026-12-10");
  EXPECT_NE(Board(), first);
  values.DailyDay = 0;
  StartNewGame(ModeNormal);  // an ordinary game draws from the shared generator
  EXPECT_NE(values.RandSeed, 0xDEADBEEFu);
}

TEST_F(DayGame, TheSameMovesBringTheSameBallsWhateverHappenedBetweenThem) {
  StartDay("2026-12-09");
  const auto quiet = Play(40, 0, 0, false);
  ASSERT_GE(quiet.size(), 25u);
  values.RandSeed = 999;
  StartDay("2026-12-09");
  const auto busy = Play(40, 25, 200, true);  // rest animations, idle frames, undo and again
  ASSERT_EQ(busy.size(), quiet.size());
  for (size_t m = 0; m < quiet.size(); ++m) ASSERT_EQ(busy[m], quiet[m]) << "after move " << m;

  // An ordinary game dealt the same start is changed by the frames: the shared generator moves on.
  values.DailyDay = 0;
  values.RandSeed = 5;
  StartNewGame(ModeNormal);
  const auto plain = Play(10, 0, 0, false);
  values.RandSeed = 5;
  StartNewGame(ModeNormal);
  EXPECT_NE(Play(10, 25, 200, false), plain);
}

}  // namespace
}  // namespace marblix::testing
