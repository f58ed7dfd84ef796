// The standard error sent to NUL for a scope, and back (where the program has one at all).
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "platform/system/quiet_stderr.h"

namespace marblix {

TQuietStandardError::TQuietStandardError() {
  std::fflush(stderr);
  saved_ = _dup(_fileno(stderr));
  const int nowhere = _open("NUL", _O_WRONLY);
  if (saved_ >= 0 && nowhere >= 0) _dup2(nowhere, _fileno(stderr));
  if (nowhere >= 0) _close(nowhere);
}

TQuietStandardError::~TQuietStandardError() {
  std::fflush(stderr);
  if (saved_ < 0) return;
  _dup2(saved_, _fileno(stderr));
  _close(saved_);
}

}  // namespace marblix
