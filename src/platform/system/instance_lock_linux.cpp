// The one-game lock on Linux: a POSIX record lock on "Marblix.lock", which the kernel drops with
// the process and which names its holder, and SIGUSR1 as the request to come to the front.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <fstream>
#include <string>

#include "platform/system/instance_lock.h"

namespace marblix {
namespace {

std::atomic<bool> frontRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler needs a lock-free flag");

void NoteFrontRequest(int /*signal*/) {
  frontRequested.store(true);
}

struct flock WholeFileLock() {
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  return lock;  // from the first byte to the end, however long the file grows
}

// The process's program name, as the system shows it.
std::string ProgramName(const std::string& process) {
  std::string name;
  std::getline(std::ifstream("/proc/" + process + "/comm"), name);
  return name;
}

}  // namespace

struct TInstanceLock::Handle {
  std::filesystem::path Path;
  int Descriptor = -1;
  State Status = State::Unavailable;
  pid_t Holder = 0;
};

TInstanceLock::TInstanceLock(const std::filesystem::path& folder)
    : handle_(std::make_unique<Handle>()) {
  handle_->Path = folder / InstanceLockFileName;
  const std::filesystem::path& file = handle_->Path;
  handle_->Descriptor = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (handle_->Descriptor < 0) return;
  // A holder that ends between the two calls frees the lock: the second try then takes it.
  for (int attempt = 0; attempt < 2; ++attempt) {
    struct flock lock = WholeFileLock();
    if (::fcntl(handle_->Descriptor, F_SETLK, &lock) == 0) {
      handle_->Status = State::Held;
      const std::string pid = std::to_string(::getpid()) + "\n";
      if (::ftruncate(handle_->Descriptor, 0) == 0)
        (void)!::pwrite(handle_->Descriptor, pid.data(), pid.size(), 0);
      return;
    }
    if (errno != EACCES && errno != EAGAIN) return;
    struct flock holder = WholeFileLock();
    if (::fcntl(handle_->Descriptor, F_GETLK, &holder) == 0 && holder.l_type != F_UNLCK) {
      handle_->Status = State::HeldElsewhere;
      handle_->Holder = holder.l_pid;
      return;
    }
  }
}

TInstanceLock::~TInstanceLock() {
  if (handle_->Descriptor >= 0) ::close(handle_->Descriptor);
}

TInstanceLock::State TInstanceLock::Status() const {
  return handle_->Status;
}

const std::filesystem::path& TInstanceLock::File() const {
  return handle_->Path;
}

unsigned long TInstanceLock::Holder() const {
  return handle_->Holder > 0 ? static_cast<unsigned long>(handle_->Holder) : 0;
}

bool TInstanceLock::AskHolderToFront() const {
  // The lock may be held from another machine sharing the folder: only this program is asked.
  if (handle_->Status != State::HeldElsewhere || handle_->Holder <= 0) return false;
  const std::string self = ProgramName("self");
  if (self.empty() || ProgramName(std::to_string(handle_->Holder)) != self) return false;
  return ::kill(handle_->Holder, SIGUSR1) == 0;
}

void WatchFrontRequests() {
  struct sigaction action {};
  action.sa_handler = NoteFrontRequest;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGUSR1, &action, nullptr);
}

bool TakeFrontRequest() {
  return frontRequested.exchange(false);
}

}  // namespace marblix
