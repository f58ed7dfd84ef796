// The frame-rate cap from the display's refresh rate and MARBLIX_MAX_FPS.
#include "shell/frame_rate.h"

#include <cerrno>
#include <cstdlib>

namespace marblix {

int FrameRateCap(int refreshRate, const char* maxFps) {
  const int displayRate = refreshRate > 0 ? refreshRate : UnknownRefreshFrameRate;
  if (maxFps == nullptr || maxFps[0] == '\0') return displayRate;
  char* end = nullptr;
  errno = 0;
  const long asked = std::strtol(maxFps, &end, 10);
  if (end == maxFps || *end != '\0' || errno != 0 || asked < 0 || asked > 100000)
    return displayRate;
  return static_cast<int>(asked);
}

bool SyncsToDisplay(int refreshRate, int cap) {
  return refreshRate > 0 && cap == refreshRate;
}

}  // namespace marblix
