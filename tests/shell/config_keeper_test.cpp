// The keeper's thread: a write that fails is tried again at the next chance (the next hand-over,
// its retry timer, the finish), and the log hears of it once each way.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "shell/config_keeper.h"

namespace marblix {
namespace {

using namespace std::chrono_literals;
using Path = std::filesystem::path;

// Stands for the disk: the first write of each file fails, later ones succeed. While held, a
// write waits.
struct TFakeDisk {
  std::mutex Mutex;
  std::condition_variable Changed;
  bool Held = false;
  std::map<Path, int> Attempts;
  std::map<Path, std::vector<uint8_t>> Files;
  std::vector<Path> Order;  // of the attempts

  TConfigKeeper::FileWriter Writer() {
    return [this](const Path& file, std::span<const uint8_t> bytes, std::string& error) {
      std::unique_lock lock(Mutex);
      const bool fails = ++Attempts[file] == 1;
      Changed.notify_all();
      Changed.wait(lock, [this] { return !Held; });
      Order.push_back(file);
      if (fails) error = "No space left on device";
      if (!fails) Files[file].assign(bytes.begin(), bytes.end());
      return !fails;
    };
  }
  void Hold(bool held) {
    const std::lock_guard lock(Mutex);
    Held = held;
    Changed.notify_all();
  }
  // Ten seconds at most, so that a keeper that never tries fails instead of hanging.
  bool WaitForAttempts(const Path& file, int count) {
    std::unique_lock lock(Mutex);
    return Changed.wait_for(lock, 10s, [&] { return Attempts[file] >= count; });
  }
};

TEST(ConfigKeeper, AWriteThatFailsOnceIsWrittenAtTheNextChance) {
  enum Chance { SameImageAgain, RetryTimer, Finish };
  for (const Chance chance : {SameImageAgain, RetryTimer, Finish}) {
    SCOPED_TRACE(chance);
    TFakeDisk disk;
    const auto delay = chance == RetryTimer ? 1ms : 1h;  // only the timer's case may time out
    TConfigKeeper keeper(disk.Writer(), {delay, delay});
    const std::vector<uint8_t> image(1450, 7);
    keeper.Keep("Config.bin", image);
    ASSERT_TRUE(disk.WaitForAttempts("Config.bin", 1));
    if (chance == SameImageAgain) keeper.Keep("Config.bin", image);  // the board rests again
    if (chance != Finish) {
      ASSERT_TRUE(disk.WaitForAttempts("Config.bin", 2));
    }
    keeper.Finish();
    EXPECT_EQ(disk.Attempts["Config.bin"], 2);
    EXPECT_EQ(disk.Files["Config.bin"], image);
    EXPECT_EQ(keeper.TakeNews(),
              (std::vector<std::string>{"Saving \"Config.bin\" failed: No space left on device; "
                                        "it is tried again every few seconds",
                                        "Saving \"Config.bin\" works again"}));
  }
}

TEST(ConfigKeeper, EachFileKeepsItsOwnNewestImageAndWhatItWrote) {
  TFakeDisk disk;
  TConfigKeeper keeper(disk.Writer(), {1h, 1h});
  const std::vector<uint8_t> config(1450, 1), statistics(64, 2), newerConfig(1450, 3);
  keeper.Keep("Config.bin", config);
  keeper.Keep("Statistics.bin", statistics);
  keeper.Keep("Config.bin", newerConfig);
  // Each file's first write has failed (in the order the files were handed over).
  ASSERT_TRUE(disk.WaitForAttempts("Config.bin", 1));
  ASSERT_TRUE(disk.WaitForAttempts("Statistics.bin", 1));
  keeper.Finish();  // the retry of each failed first write
  EXPECT_EQ(disk.Files["Config.bin"], newerConfig);
  EXPECT_EQ(disk.Files["Statistics.bin"], statistics);

  // What a file already holds is not written again; a change is.
  const int configWrites = disk.Attempts["Config.bin"];
  keeper.Keep("Config.bin", newerConfig);
  keeper.Keep("Statistics.bin", config);
  keeper.Finish();
  EXPECT_EQ(disk.Attempts["Config.bin"], configWrites);
  EXPECT_EQ(disk.Files["Statistics.bin"], config);
  EXPECT_EQ(keeper.TakeNews().size(), 4u);  // failed and works again, for each file
}

TEST(ConfigKeeper, FilesWaitingTogetherAreWrittenInTheOrderTheyWereHandedOver) {
  TFakeDisk disk;
  TConfigKeeper keeper(disk.Writer(), {1h, 1h});
  disk.Hold(true);
  keeper.Keep("Gate", {1});
  ASSERT_TRUE(disk.WaitForAttempts("Gate", 1));
  // While the writer is held, the statistics are handed over before the Config.bin they name.
  keeper.Keep("Statistics.bin", {2});
  keeper.Keep("Config.bin", {3});
  disk.Hold(false);
  keeper.Finish();
  const auto first = [&](const char* file) { return std::ranges::find(disk.Order, file); };
  EXPECT_LT(first("Statistics.bin"), first("Config.bin"));
}

}  // namespace
}  // namespace marblix
