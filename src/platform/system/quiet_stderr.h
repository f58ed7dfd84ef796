// Keeps what libraries print on the standard error off the terminal for one scope: ALSA's
// complaints about a missing sound card, Wayland's about a missing runtime folder.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace marblix {

class TQuietStandardError {
 public:
  TQuietStandardError() {
    std::fflush(stderr);
    saved_ = ::dup(STDERR_FILENO);
    const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved_ >= 0 && nowhere >= 0) ::dup2(nowhere, STDERR_FILENO);
    if (nowhere >= 0) ::close(nowhere);
  }
  ~TQuietStandardError() {
    std::fflush(stderr);
    if (saved_ < 0) return;
    ::dup2(saved_, STDERR_FILENO);
    ::close(saved_);
  }
  TQuietStandardError(const TQuietStandardError&) = delete;
  TQuietStandardError& operator=(const TQuietStandardError&) = delete;

 private:
  int saved_ = -1;
};

}  // namespace marblix
