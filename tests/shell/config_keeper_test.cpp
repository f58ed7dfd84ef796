// The keeper's thread: a failed write is tried again at the next chance, each file keeps its own
// newest image, and files waiting together are written in the order they were handed over.
#include <gtest/gtest.h>

#include <algorithm>

#include "shell/config_keeper.h"

namespace marblix {
namespace {

using namespace std::chrono_literals;
using Path = std::filesystem::path;
using Bytes = std::vector<uint8_t>;

// The disk: the first write of each file fails, later ones succeed. While held, a write waits.
struct TFakeDisk {
  std::mutex Mutex;
  std::condition_variable Changed;
  bool Held = false;
  std::map<Path, int> Attempts;
  std::map<Path, Bytes> Files;
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
    const Bytes image(1450, 7);
    keeper.Keep("Config.bin", image);
    ASSERT_TRUE(disk.WaitForAttempts("Config.bin", 1));
    if (chance == SameImageAgain) keeper.Keep("Config.bin", image);
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

TEST(ConfigKeeper, EachFileWritesItsNewestImageOnceInTheOrderHandedOver) {
  TFakeDisk disk;
  TConfigKeeper keeper(disk.Writer(), {1h, 1h});
  const Bytes config(1450, 1), statistics(64, 2), newerConfig(1450, 3);
  disk.Hold(true);
  keeper.Keep("Gate", {1});
  ASSERT_TRUE(disk.WaitForAttempts("Gate", 1));
  // While the writer is held, the statistics are handed over before the Config.bin they name.
  keeper.Keep("Config.bin", config);
  keeper.Keep("Statistics.bin", statistics);
  keeper.Keep("Config.bin", newerConfig);
  disk.Hold(false);
  // Each first write fails; Finish tries them again.
  ASSERT_TRUE(disk.WaitForAttempts("Config.bin", 1));
  keeper.Finish();
  const auto first = [&](const char* file) { return std::ranges::find(disk.Order, file); };
  EXPECT_LT(first("Statistics.bin"), first("Config.bin"));
  EXPECT_EQ(disk.Files["Config.bin"], newerConfig);
  EXPECT_EQ(disk.Files["Statistics.bin"], statistics);

  // What a file already holds is not written again; a change is.
  const int configWrites = disk.Attempts["Config.bin"];
  keeper.Keep("Config.bin", newerConfig);
  keeper.Keep("Statistics.bin", config);
  keeper.Finish();
  EXPECT_EQ(disk.Attempts["Config.bin"], configWrites);
  EXPECT_EQ(disk.Files["Statistics.bin"], config);
  EXPECT_EQ(keeper.TakeNews().size(), 6u);  // failed and works again, for each file
}

}  // namespace
}  // namespace marblix
