// A bot game of the whole program in a child process, killed at many moments: Config.bin is always
// missing or what the exit would have written at one of the board's rests, never a mix of two, and
// Statistics.bin beside it is whole and holds the record of the game it keeps.
// Linux only: the child is forked and killed with SIGKILL.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <iostream>
#include <random>
#include <set>
#include <thread>

#include "board/LineHint.h"
#include "integration/game_run.h"
#include "shell/statistics_file.h"

namespace marblix {
namespace {

using test_support::CellX;
using test_support::CellY;
using test_support::GameRun;
namespace fs = std::filesystem;

std::vector<uint8_t> KeptBytes(const fs::path& folder) {
  std::vector<uint8_t> bytes;
  ReadWholeFile(folder / ConfigFileName, bytes);
  return bytes;
}

// What is wrong with the statistics beside a kept Config.bin; empty when nothing is.
std::string StatisticsFault(const fs::path& folder, const std::vector<uint8_t>& config) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(folder / StatisticsFileName, bytes))
    return config.empty() ? "" : "no Statistics.bin beside Config.bin";
  TStatisticsFile file;
  std::string reason;
  if (!DecodeStatistics(bytes, file, reason)) return "Statistics.bin is damaged: " + reason;
  const uint64_t kept = KeptGameFingerprint(config);
  if (kept != 0 && file.Current.Fingerprint != kept && file.Previous.Fingerprint != kept)
    return "Statistics.bin holds no record of the game Config.bin keeps";
  return "";
}

// 30 seeded moves in the current folder: a line where one can be made, else a ball to a random
// cell it can reach; every fifth move is taken back. `rested` sees every rest of the board.
void PlayBotGame(const std::function<void(GameRun&)>& rested, const std::function<void()>& done) {
  TRecordingAudio* audio = nullptr;
  GameRun run(audio);
  run.Create();
  run.Values().RandSeed = 1919;  // the program seeds from the clock; the game must replay
  TGameField& board = *run.Form().Board;
  const auto settle = [&] {
    for (int frame = 0; frame < 2000; ++frame) {
      const bool resting = board.FBusyTimer < -100 && !board.FGameOver;
      if (resting && run.Form().Shell.ConfigLoaded()) rested(run);
      if (resting && run.Values().ScreenState == GameScreen) return;
      run.Idle();
    }
  };
  std::mt19937 random(19);
  for (int move = 0; move < 30 && (settle(), run.Values().ScreenState == GameScreen); ++move) {
    if (move % 5 == 4) {
      run.Form().FormKeyDown(KeyZ, ShiftState{.Ctrl = true});
      continue;
    }
    std::optional<TBoardMove> next = FindLineMove(board.FCells);
    for (int tries = 0; !next && tries < 200; ++tries) {
      const TBoardMove pick{int(random() % 9), int(random() % 9), int(random() % 9),
                            int(random() % 9)};
      if (board.FCells(pick.FromX, pick.FromY).Mask != 0 &&
          ReachableFrom(board.FCells, pick.FromX, pick.FromY)(pick.ToX, pick.ToY))
        next = pick;
    }
    if (!next) break;
    run.Click(CellX(next->FromX), CellY(next->FromY));
    run.Click(CellX(next->ToX), CellY(next->ToY));
  }
  settle();
  done();
}

// The bot game in a child process in `folder`, abandoned at its end (its window never closes).
// It says when the board first rests and when the game is over.
struct Child {
  pid_t Pid = -1;
  int Said = -1;
  explicit Child(const fs::path& folder) {
    int ends[2];
    if (::pipe(ends) != 0) return;
    std::cout.flush();
    Pid = ::fork();
    if (Pid == 0) {
      fs::current_path(folder);
      int rests = 0;
      const auto say = [&] { (void)!::write(ends[1], "!", 1); };
      const auto firstRest = [&](GameRun&) {
        if (rests++ == 0) say();
      };
      PlayBotGame(firstRest, say);
      for (;;) ::pause();
    }
    ::close(ends[1]);
    Said = ends[0];
  }
  bool Heard() const {
    pollfd said{Said, POLLIN, 0};
    char word = 0;
    return ::poll(&said, 1, 60000) == 1 && ::read(Said, &word, 1) == 1;
  }
  ~Child() {
    if (Pid > 0) ::kill(Pid, SIGKILL), ::waitpid(Pid, nullptr, 0);
    ::close(Said);
  }
};

TEST(KeptGame, AKillAtAnyMomentLeavesARestedStateWhole) {
  if (!test_support::DataPackExists()) GTEST_SKIP() << "no asset pack: no board to click";
  testing::TScopedWorkingDirectory dir;
  const auto folder = [&](int round) {
    fs::path path = dir.path() / std::to_string(round);
    fs::create_directory(path);
    test_support::LinkDataPack(path);
    return path;
  };
  // What the exit writes at each rest of the board, in a run that is not killed.
  std::set<std::vector<uint8_t>> rested;
  std::vector<uint8_t> last;
  fs::current_path(folder(0));
  const auto exitWrite = [&](GameRun& run) {
    run.Form().Shell.SaveConfig();
    rested.insert(last = KeptBytes("."));
  };
  PlayBotGame(exitWrite, [] {});
  fs::current_path(dir.path());

  // Left alone, a game is kept as it last rested, with no exit.
  const fs::path alone = folder(1);
  const Child whole(alone);
  ASSERT_TRUE(whole.Heard());
  const auto begin = std::chrono::steady_clock::now();
  ASSERT_TRUE(whole.Heard());
  const auto playing = std::chrono::steady_clock::now() - begin;
  for (int wait = 0; wait < 100 && KeptBytes(alone) != last; ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(KeptBytes(alone), last) << "the game's last state was not kept";

  // Killed at moments spread from the board's first rest to the game's end.
  constexpr int Rounds = 16;
  std::set<std::vector<uint8_t>> found;
  for (int round = 0; round < Rounds; ++round) {
    const fs::path place = folder(2 + round);
    {
      const Child killed(place);
      ASSERT_TRUE(killed.Heard());
      std::this_thread::sleep_for(playing * round / Rounds);
    }
    const std::vector<uint8_t> bytes = KeptBytes(place);
    EXPECT_TRUE(bytes.empty() || rested.count(bytes)) << "round " << round;
    EXPECT_EQ(StatisticsFault(place, bytes), "") << "round " << round;
    if (!bytes.empty()) found.insert(bytes);
  }
  std::cout << rested.size() << " rests; " << found.size() << " of them found after the kills\n";
}

}  // namespace
}  // namespace marblix
