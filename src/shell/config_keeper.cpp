// The writer thread of Config.bin: the newest image waits in one slot and is written alone.
#include "shell/config_keeper.h"

#include <string>
#include <utility>

#include "shell/config_file.h"

namespace marblix {

TConfigKeeper::~TConfigKeeper() {
  Finish();
}

void TConfigKeeper::Keep(const std::filesystem::path& file, std::vector<uint8_t> image) {
  {
    const std::lock_guard lock(mutex_);
    if (image == lastImage_) return;
    lastImage_ = image;
    waiting_ = Job{file, std::move(image)};
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
  }
  wake_.notify_one();
  writer_.join();
}

void TConfigKeeper::WriteJobs() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return waiting_.has_value() || stopping_; });
    if (!waiting_) return;
    const Job job = std::move(*waiting_);
    waiting_.reset();
    lock.unlock();
    std::string ignored;
    ReplaceFile(job.File, job.Image, ignored);
    lock.lock();
  }
}

}  // namespace marblix
