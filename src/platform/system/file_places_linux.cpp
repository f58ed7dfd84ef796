// Linux's places: the program's file from /proc, the XDG data folder; the share folder beside the
// program is only ever an installation.
#include <cstdlib>

#include "platform/system/file_places.h"
#include "platform/system/file_places_linux.h"

namespace marblix {
namespace fs = std::filesystem;

fs::path XdgUserDataFolder(const char* xdgDataHome, const char* home) {
  if (xdgDataHome != nullptr && xdgDataHome[0] == '/') return fs::path(xdgDataHome) / "marblix";
  if (home != nullptr && home[0] != '\0') return fs::path(home) / ".local/share/marblix";
  return {};
}

bool SameFolder(const fs::path& a, const fs::path& b) {
  std::error_code error;
  return fs::equivalent(a, b, error);
}

fs::path UserDataFolder() {
  return XdgUserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

fs::path ExecutablePath() {
  std::error_code error;
  fs::path path = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : path;
}

bool IsInstallation(const fs::path& /*packFolder*/) {
  return true;
}

}  // namespace marblix
