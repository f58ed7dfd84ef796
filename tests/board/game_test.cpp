// Whole games played by a seeded bot: they end in the high-score table with an empty board, and a
// seed fixes the whole game.
#include "BoardBot.h"

namespace marblix::testing {
namespace {

class WholeGame : public BoardTest {
 protected:
  struct Outcome {
    std::string Calls;
    int Moves = 0;
    int32_t BestScore = 0;
    int32_t Placed = -1;
    bool Stuck = false;
    uint64_t Boards = 0;  // FNV-1a over every resting board, preview, score and next count
  };

  static void Mix(uint64_t& hash, uint64_t value) {
    for (int byte = 0; byte < 8; ++byte, value >>= 8) {
      hash ^= value & 0xFF;
      hash *= 1099511628211u;
    }
  }
  void MixBoard(uint64_t& hash) const {
    for (const TCell& cell : board.FCells)
      Mix(hash, (uint64_t{cell.Mask} << 8) | (cell.Look & 0xFF));
    for (const TCell& next : board.FPreview) Mix(hash, (uint64_t{next.Mask} << 8) | next.Look);
    Mix(hash, static_cast<uint32_t>(values.Score));
    Mix(hash, static_cast<uint32_t>(board.FNextCount));
    Mix(hash, board.FChain);
  }

  Outcome Play(uint32_t seed, uint8_t mode) {
    Outcome out;
    board.Create(9, 9);
    services.Clear();
    values.RandSeed = seed;
    values.MeasuredFps = 30;  // rest animations start now and then and take their draws
    StartNewGame(mode);
    BotChoices bot(seed);
    out.Boards = 14695981039346656037u;
    while (services.Count("PlaceFinalScore") == 0 && out.Moves < 3000) {
      RunUntilIdle(2000);
      MixBoard(out.Boards);
      out.BestScore = std::max(out.BestScore, values.Score);
      if (services.Count("PlaceFinalScore") > 0) break;
      if (!BotMove(board, bot, [this](int x, int y, int b) { ClickCell(x, y, b); })) {
        out.Stuck = true;
        break;
      }
      ++out.Moves;
    }
    const auto placed = services.Of("PlaceFinalScore");
    if (!placed.empty()) out.Placed = placed[0].Score;
    out.Calls = Fingerprint(services);
    return out;
  }
};

TEST_F(WholeGame, ASeededBotPlaysToGameOverAndTheScoreReachesTheTable) {
  int32_t scored = 0;
  for (uint8_t mode : {ModeKids, ModeNormal, ModeProfessional}) {
    const Outcome game = Play(20261208u + mode, mode);
    ASSERT_FALSE(game.Stuck) << int(mode);
    ASSERT_EQ(services.Count("PlaceFinalScore"), 1) << int(mode);
    EXPECT_GT(game.Moves, 5);
    EXPECT_EQ(game.Placed, game.BestScore);
    EXPECT_FALSE(board.AnyBall());
    EXPECT_EQ(values.Score, 0);
    EXPECT_FALSE(values.GameUnderWay);
    EXPECT_EQ(values.ScoreTablePage, mode);
    EXPECT_EQ(values.ReturnState, MenuScreen);
    // Every drop, line and blast was heard and seen.
    EXPECT_GT(services.Count("AddBall"), 3 * mode + 3);
    EXPECT_GT(services.Count("PlayEffect"), game.Moves);
    scored += game.Placed;
  }
  EXPECT_GT(scored, 0);  // the bot made lines, and their points reached the table
}

TEST_F(WholeGame, TheSameSeedPlaysTheSameGameTwiceAndAnotherSeedAnotherGame) {
  const Outcome first = Play(4242, ModeNormal);
  const Outcome second = Play(4242, ModeNormal);
  ASSERT_FALSE(first.Stuck);
  EXPECT_EQ(first.Moves, second.Moves);
  EXPECT_EQ(first.Placed, second.Placed);
  EXPECT_EQ(first.Calls, second.Calls);
  const Outcome other = Play(4243, ModeNormal);
  EXPECT_NE(first.Calls, other.Calls);
}

// The boards of seeded games, recorded before the game could take a move back: a game that never
// takes one back draws the same balls, move by move, as it always did.
TEST_F(WholeGame, AGameThatTakesNoMoveBackKeepsItsRecordedBoards) {
  constexpr uint64_t Recorded[] = {0x90bea45501f4d7b3, 0x3ebd93bbc4908217, 0xbb7c87e8e28faf43};
  for (uint8_t mode : {ModeKids, ModeNormal, ModeProfessional}) {
    const Outcome game = Play(20261208u + mode, mode);
    EXPECT_EQ(game.Boards, Recorded[mode]) << int(mode) << " " << std::hex << game.Boards;
  }
}

}  // namespace
}  // namespace marblix::testing
