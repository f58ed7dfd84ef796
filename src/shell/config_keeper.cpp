// The writer thread of the kept files: the newest image of each file waits in its slot and is
// written alone; a failed write waits for the next hand-over or its retry time.
#include "shell/config_keeper.h"

#include <algorithm>
#include <utility>

#include "platform/system/file_io.h"

namespace marblix {

TConfigKeeper::TConfigKeeper() : TConfigKeeper(ReplaceFile) {}

TConfigKeeper::TConfigKeeper(FileWriter write, KeepRetryDelays delays)
    : write_(std::move(write)), delays_(delays) {}

TConfigKeeper::~TConfigKeeper() {
  Finish();
}

void TConfigKeeper::Keep(const std::filesystem::path& file, std::vector<uint8_t> image) {
  {
    const std::lock_guard lock(mutex_);
    Slot& slot = slots_[file];
    if (!slot.Waiting && image == slot.Written) return;
    slot.Newest = std::move(image);
    slot.Waiting = true;
    slot.HandedOver = ++handOvers_;
    ++slot.Asked;
    slot.TryAt = Clock::time_point::min();
  }
  if (!writer_.joinable()) {
    stopping_ = false;
    writer_ = std::thread([this] { WriteJobs(); });
  }
  wake_.notify_one();
}

void TConfigKeeper::Finish() {
  if (!writer_.joinable()) return;
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
    for (auto& [file, slot] : slots_) {
      ++slot.Asked;
      slot.TryAt = Clock::time_point::min();
    }
  }
  wake_.notify_one();
  writer_.join();
}

std::vector<std::string> TConfigKeeper::TakeNews() {
  const std::lock_guard lock(mutex_);
  return std::exchange(news_, {});
}

void TConfigKeeper::WriteJobs() {
  std::unique_lock lock(mutex_);
  for (;;) {
    Clock::time_point next = Clock::time_point::max();
    const auto due = DueSlot(next);
    if (due != slots_.end()) {
      const std::filesystem::path file = due->first;
      const std::vector<uint8_t> image = due->second.Newest;
      const unsigned asked = due->second.Asked;
      lock.unlock();
      std::string error;
      const bool written = write_(file, image, error);
      lock.lock();
      Record(file, image, asked, written, error);
      continue;
    }
    if (stopping_) return;
    if (next == Clock::time_point::max()) {
      wake_.wait(lock);
    } else {
      wake_.wait_until(lock, next);
    }
  }
}

std::map<std::filesystem::path, TConfigKeeper::Slot>::iterator TConfigKeeper::DueSlot(
    Clock::time_point& next) {
  const Clock::time_point now = Clock::now();
  auto due = slots_.end();
  for (auto it = slots_.begin(); it != slots_.end(); ++it) {
    const Slot& slot = it->second;
    if (!slot.Waiting) continue;
    if (slot.TryAt > now) {
      next = std::min(next, slot.TryAt);
    } else if (due == slots_.end() || slot.HandedOver < due->second.HandedOver) {
      due = it;
    }
  }
  return due;
}

void TConfigKeeper::Record(const std::filesystem::path& file, const std::vector<uint8_t>& image,
                           unsigned asked, bool written, const std::string& error) {
  Slot& slot = slots_[file];
  if (written) {
    slot.Written = image;
    slot.Waiting = slot.Newest != image;
    if (slot.Failing) news_.push_back("Saving \"" + PathText(file) + "\" works again");
    slot.Failing = false;
    slot.Failures = 0;
    return;
  }
  if (!slot.Failing) {
    news_.push_back("Saving \"" + PathText(file) + "\" failed: " + error +
                    "; it is tried again every few seconds");
  }
  slot.Failing = true;
  ++slot.Failures;
  // Asked again while the write was on (a newer image, the finish): tried again at once.
  if (slot.Asked == asked) slot.TryAt = Clock::now() + RetryDelay(slot.Failures);
}

TConfigKeeper::Clock::duration TConfigKeeper::RetryDelay(int failures) const {
  Clock::duration delay = delays_.First;
  for (int i = 1; i < failures && delay < delays_.Longest; ++i) delay *= 2;
  return std::min<Clock::duration>(delay, delays_.Longest);
}

}  // namespace marblix
