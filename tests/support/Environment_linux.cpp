// The environment on Linux: setenv, and SDL's offscreen driver.
#include <stdlib.h>

#include "support/Environment.h"

namespace marblix::testing {

void SetEnvironment(const char* name, const char* value, bool replace) {
  ::setenv(name, value, replace ? 1 : 0);
}

void UseHeadlessVideo() {
  SetEnvironment("SDL_VIDEODRIVER", "offscreen");
}

}  // namespace marblix::testing
