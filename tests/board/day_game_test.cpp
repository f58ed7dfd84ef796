// The daily challenge's rule: dates as numbers and text, the day's start board, and the balls the
// same moves bring on it whatever the frames, the effects or the generator did between them.
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
  // The day's game as every machine deals it (the Windows build runs this test too).
  const std::string dealt =
      "D....C...........D.....................................F.........B..............D|GCGC";
  for (const uint32_t seed : {1u, 12345u, 0xDEADBEEFu}) {
    values.RandSeed = seed;
    StartDay("2026-12-09");
    EXPECT_EQ(values.RandSeed, seed);
    EXPECT_EQ(Board(), dealt) << seed;
  }
  StartDay("2026-12-10");
  EXPECT_NE(Board(), dealt);
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
