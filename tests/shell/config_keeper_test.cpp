// The keeper's thread: a write that fails is tried again at the next chance (the next hand-over,
// its retry timer, the finish) and the log hears of it once each way; each file has its own slot.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <map>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "shell/config_keeper.h"

namespace marblix {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Stands for the disk: the first `failures` writes of each file fail, later ones succeed.
class TFakeDisk {
 public:
  explicit TFakeDisk(int failures) : failures_(failures) {}

  TConfigKeeper::FileWriter Writer() {
    return [this](const fs::path& file, std::span<const uint8_t> bytes, std::string& error) {
      const std::lock_guard lock(mutex_);
      ++attempts_[file];
      const bool fails = attempts_[file] <= failures_;
      if (fails) {
        error = "No space left on device";
      } else {
        files_[file].assign(bytes.begin(), bytes.end());
      }
      changed_.notify_all();
      return !fails;
    };
  }
  // Waits (ten seconds at most, so a keeper that never tries fails instead of hanging) until the
  // file has been tried `count` times.
  bool WaitForAttempts(const fs::path& file, int count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, 10s, [&] { return attempts_[file] >= count; });
  }
  int Attempts(const fs::path& file) {
    const std::lock_guard lock(mutex_);
    return attempts_[file];
  }
  std::vector<uint8_t> File(const fs::path& file) {
    const std::lock_guard lock(mutex_);
    return files_[file];
  }

 private:
  int failures_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::map<fs::path, int> attempts_;
  std::map<fs::path, std::vector<uint8_t>> files_;
};

enum class NextChance { SameImageAgain, RetryTimer, Finish };

TEST(ConfigKeeper, AWriteThatFailsOnceIsWrittenAtTheNextChance) {
  for (const NextChance chance :
       {NextChance::SameImageAgain, NextChance::RetryTimer, NextChance::Finish}) {
    SCOPED_TRACE(static_cast<int>(chance));
    TFakeDisk disk(1);
    // Only the timer's case has a timer short enough to come before the test ends.
    const auto first = chance == NextChance::RetryTimer ? 1ms : 1h;
    TConfigKeeper keeper(disk.Writer(), {first, first});
    const std::vector<uint8_t> image(1450, 7);
    keeper.Keep("Config.bin", image);
    ASSERT_TRUE(disk.WaitForAttempts("Config.bin", 1));
    if (chance == NextChance::SameImageAgain) keeper.Keep("Config.bin", image);
    if (chance != NextChance::Finish) {
      ASSERT_TRUE(disk.WaitForAttempts("Config.bin", 2));
    }
    keeper.Finish();
    EXPECT_EQ(disk.Attempts("Config.bin"), 2);
    EXPECT_EQ(disk.File("Config.bin"), image);

    const std::vector<std::string> news = keeper.TakeNews();
    ASSERT_EQ(news.size(), 2u);
    EXPECT_EQ(news[0],
              "Saving \"Config.bin\" failed: No space left on device; it is tried again every few "
              "seconds");
    EXPECT_EQ(news[1], "Saving \"Config.bin\" works again");
  }
}

TEST(ConfigKeeper, EachFileKeepsItsOwnNewestImageAndWhatItWrote) {
  TFakeDisk disk(1);
  TConfigKeeper keeper(disk.Writer(), {1h, 1h});
  const std::vector<uint8_t> config(1450, 1), statistics(64, 2), newerConfig(1450, 3);
  keeper.Keep("Config.bin", config);
  keeper.Keep("Statistics.bin", statistics);
  keeper.Keep("Config.bin", newerConfig);
  // Each file's first write has failed (in the order the files were handed over).
  ASSERT_TRUE(disk.WaitForAttempts("Config.bin", 1));
  ASSERT_TRUE(disk.WaitForAttempts("Statistics.bin", 1));
  keeper.Finish();  // the retry of each failed first write
  EXPECT_EQ(disk.File("Config.bin"), newerConfig);
  EXPECT_EQ(disk.File("Statistics.bin"), statistics);

  // What a file already holds is not written again; a change is.
  const int configWrites = disk.Attempts("Config.bin");
  keeper.Keep("Config.bin", newerConfig);
  keeper.Keep("Statistics.bin", config);
  keeper.Finish();
  EXPECT_EQ(disk.Attempts("Config.bin"), configWrites);
  EXPECT_EQ(disk.File("Statistics.bin"), config);
  EXPECT_EQ(keeper.TakeNews().size(), 4u);  // failed and works again, for each file
}

TEST(ConfigKeeper, FilesWaitingTogetherAreWrittenInTheOrderTheyWereHandedOver) {
  std::mutex mutex;
  std::condition_variable changed;
  bool open = false, gateReached = false;
  std::vector<fs::path> order;
  TConfigKeeper keeper([&](const fs::path& file, std::span<const uint8_t>, std::string&) {
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
  EXPECT_EQ(order, (std::vector<fs::path>{"Gate", "Statistics.bin", "Config.bin"}));
}

}  // namespace
}  // namespace marblix
