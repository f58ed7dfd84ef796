// The standard error sent to /dev/null for a scope, and back.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "platform/system/quiet_stderr.h"

namespace marblix {

TQuietStandardError::TQuietStandardError() {
  std::fflush(stderr);
  saved_ = ::dup(STDERR_FILENO);
  const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (saved_ >= 0 && nowhere >= 0) ::dup2(nowhere, STDERR_FILENO);
  if (nowhere >= 0) ::close(nowhere);
}

TQuietStandardError::~TQuietStandardError() {
  std::fflush(stderr);
  if (saved_ < 0) return;
  ::dup2(saved_, STDERR_FILENO);
  ::close(saved_);
}

}  // namespace marblix
