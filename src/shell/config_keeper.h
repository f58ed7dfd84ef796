// The game kept while it runs: one writer thread puts the newest Config.bin image on disk, away
// from the frame loop.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace marblix {

// Writes Config.bin images with ReplaceFile on a thread of its own. An image handed over while
// another is being written waits; a newer one replaces it, so only the newest is written and two
// writes never overlap. A write that fails is left to the next image (the exit's own write says
// why it fails).
class TConfigKeeper {
 public:
  TConfigKeeper() = default;
  // Writes what is still waiting, then stops the thread.
  ~TConfigKeeper();
  TConfigKeeper(const TConfigKeeper&) = delete;
  TConfigKeeper& operator=(const TConfigKeeper&) = delete;

  // Hands over an image for `file`; the thread starts with the first one. An image equal to the
  // last one handed over is not written again.
  void Keep(const std::filesystem::path& file, std::vector<uint8_t> image);
  // Writes what is still waiting and stops the thread; a later Keep starts it again.
  void Finish();

 private:
  struct Job {
    std::filesystem::path File;
    std::vector<uint8_t> Image;
  };
  void WriteJobs();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<Job> waiting_;
  std::vector<uint8_t> lastImage_;
  bool stopping_ = false;
  std::thread writer_;
};

}  // namespace marblix
