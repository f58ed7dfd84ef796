// The environment on Windows: _putenv_s; the video tests use the system's own driver.
#include <stdlib.h>

#include "support/Environment.h"

namespace marblix::testing {

void SetEnvironment(const char* name, const char* value, bool replace) {
  if (!replace && ::getenv(name) != nullptr) return;
  ::_putenv_s(name, value);
}

void UseHeadlessVideo() {}

}  // namespace marblix::testing
