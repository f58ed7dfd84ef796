// One game at a time per data folder: a lock that the system drops when the game ends, however it
// ends, and a second start's request that the running game come to the front.
#pragma once

#include <filesystem>
#include <memory>

namespace marblix {

// The small file beside Config.bin that the lock is taken on.
inline constexpr const char* InstanceLockFileName = "Marblix.lock";

// The lock of one data folder, held from its making until the object goes or the process ends
// (a crash or a kill leaves no stale lock behind). Taking it never waits.
class TInstanceLock {
 public:
  enum class State {
    Held,           // this process holds it: it is the folder's one game
    HeldElsewhere,  // a running game holds it
    Unavailable,    // no lock can be taken there (a read-only folder): the game goes on unguarded
  };

  // Tries to take the lock of `folder` (empty: the current folder).
  explicit TInstanceLock(const std::filesystem::path& folder);
  ~TInstanceLock();
  TInstanceLock(const TInstanceLock&) = delete;
  TInstanceLock& operator=(const TInstanceLock&) = delete;

  State Status() const;
  // The lock file, for messages.
  const std::filesystem::path& File() const;
  // HeldElsewhere only: the process id of the game holding the lock, as the lock names it (0 when
  // it names none; held from another computer, it is that computer's).
  unsigned long Holder() const;
  // HeldElsewhere only: asks the game holding the lock to come to the front; false when it cannot
  // be reached (it ended meanwhile, or is another program, or runs on another computer).
  bool AskHolderToFront() const;

 private:
  struct Handle;  // what the system holds the lock by
  std::unique_ptr<Handle> handle_;
};

// The running game's side, made ready before the lock is taken: from then on a second start's
// request is noted, whatever the game is busy with.
void WatchFrontRequests();
// True once for each request noted since the last call; the message loop asks several times a
// second and brings the window to the front.
bool TakeFrontRequest();

}  // namespace marblix
