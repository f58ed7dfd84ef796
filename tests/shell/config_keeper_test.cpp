// The keeper's thread: a write that fails is tried again at the next chance (the next hand-over,
// its retry timer, the finish), and the log hears of it once each way.
#include <gtest/gtest.h>

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

// Stands for the disk: the first write of each file fails, later ones succeed.
struct TFakeDisk {
  std::mutex Mutex;
  std::condition_variable Changed;
  std::map<Path, int> Attempts;
  std::map<Path, std::vector<uint8_t>> Files;

  TConfigKeeper::FileWriter Writer() {
    return [this](const Path& file, std::span<const uint8_t> bytes, std::string& error) {
      const std::lock_guard lock(Mutex);
      const bool fails = ++Attempts[file] == 1;
      if (fails) error = "No space left on device";
      if (!fails) Files[file].assign(bytes.begin(), bytes.end());
      Changed.notify_all();
      return !fails;
    };
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
  std::mutex mutex;
  std::condition_variable changed;
  bool open = false, gateReached = false;
  std::vector<Path> order;
  TConfigKeeper keeper([&](const Path& file, std::span<const uint8_t>, std::string&) {
    std::unique_lock lock(mutex);
    if (file == "Gate") {
      gateReached = true;
      changed.notify_all();
      changed.wait(lock, [&] { return open; });
    }
    order.push_back(file);
    return true;
  });
  keeper.Keep("Gate", {1});
  {
    std::unique_lock lock(mutex);
    ASSERT_TRUE(changed.wait_for(lock, 10s, [&] { return gateReached; }));
  }
  // While the writer is held, the statistics are handed over before the Config.bin they name.
  keeper.Keep("Statistics.bin", {2});
  keeper.Keep("Config.bin", {3});
  {
    const std::lock_guard lock(mutex);
    open = true;
  }
  changed.notify_all();
  keeper.Finish();
  EXPECT_EQ(order, (std::vector<Path>{"Gate", "Statistics.bin", "Config.bin"}));
}

}  // namespace
}  // namespace marblix
