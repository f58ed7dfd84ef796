// The game kept while it runs: one writer thread puts the newest image of each kept file on disk,
// away from the frame loop, and tries a write that failed again until it succeeds.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace marblix {

// The wait before the first retry of a failed write, doubled for each further failure up to the
// longest.
struct KeepRetryDelays {
  std::chrono::milliseconds First{2000};
  std::chrono::milliseconds Longest{30000};
};

// Writes file images on a thread of its own, one slot per file: an image handed over while another
// is being written waits, a newer one replaces it, so only the newest is written and two writes
// never overlap. Files waiting together are written in the order they were handed over (the
// statistics before the Config.bin their record names). Each slot remembers what it has actually
// written. A write that fails stays
// waiting: it is tried again when the file is next handed over (the board's next rest) and on a
// timer that backs off, until it succeeds or the program finishes.
class TConfigKeeper {
 public:
  // Writes a whole file; false with the reason in `error`.
  using FileWriter = std::function<bool(const std::filesystem::path& file,
                                        std::span<const uint8_t> bytes, std::string& error)>;
  // Writes with ReplaceFile (a temporary file moved over the old one).
  TConfigKeeper();
  explicit TConfigKeeper(FileWriter write, KeepRetryDelays delays = {});
  // Writes what is still waiting, then stops the thread.
  ~TConfigKeeper();
  TConfigKeeper(const TConfigKeeper&) = delete;
  TConfigKeeper& operator=(const TConfigKeeper&) = delete;

  // Hands over an image for `file`; the thread starts with the first one. An image equal to the
  // one last written to that file is not written again; one still waiting after a failed write
  // (or behind a write that fails) is tried again now.
  void Keep(const std::filesystem::path& file, std::vector<uint8_t> image);
  // Tries once more to write what is still waiting, then stops the thread; a later Keep starts it
  // again.
  void Finish();
  // The log's lines since the last call: once when a file could not be written (with the reason),
  // and once when it is written again after that.
  std::vector<std::string> TakeNews();

 private:
  using Clock = std::chrono::steady_clock;
  struct Slot {
    std::vector<uint8_t> Newest;
    std::optional<std::vector<uint8_t>> Written;
    bool Waiting = false;     // Newest is not on disk yet
    bool Failing = false;     // the last write of this file failed
    int Failures = 0;         // failed writes in a row
    unsigned Asked = 0;       // hand-overs and finishes, to tell those made while a write was on
    uint64_t HandedOver = 0;  // when Newest was handed over, counted over every slot
    Clock::time_point TryAt{};
  };
  void WriteJobs();
  // The waiting slot whose time has come, the one handed over first; else null, with `next` the
  // earliest retry.
  std::map<std::filesystem::path, Slot>::iterator DueSlot(Clock::time_point& next);
  // What a write of `image`, begun when the slot had been asked `asked` times, came to.
  void Record(const std::filesystem::path& file, const std::vector<uint8_t>& image, unsigned asked,
              bool written, const std::string& error);
  Clock::duration RetryDelay(int failures) const;

  FileWriter write_;
  KeepRetryDelays delays_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::map<std::filesystem::path, Slot> slots_;
  uint64_t handOvers_ = 0;
  std::vector<std::string> news_;
  bool stopping_ = false;
  std::thread writer_;
};

}  // namespace marblix
