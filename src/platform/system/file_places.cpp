// Finding the pack and the player's folder, and entering them at start.
#include "platform/system/file_places.h"

#include <system_error>

namespace marblix {
namespace fs = std::filesystem;

bool HoldsPack(const fs::path& folder) {
  std::error_code error;
  return fs::is_directory(folder / "graphics", error) ||
         fs::is_regular_file(folder / "strings.txt", error);
}

namespace {

bool SameFolder(const fs::path& a, const fs::path& b) {
  std::error_code error;
  return fs::equivalent(a, b, error);
}

fs::path UserDataFolder(const char* xdgDataHome, const char* home) {
  if (xdgDataHome != nullptr && xdgDataHome[0] == '/') return fs::path(xdgDataHome) / "marblix";
  if (home != nullptr && home[0] != '\0') return fs::path(home) / ".local/share/marblix";
  return {};
}

}  // namespace

FilePlaces FindFilePlaces(const fs::path& currentFolder, const fs::path& executable,
                          const fs::path& packFromExecutable, const char* xdgDataHome,
                          const char* home) {
  FilePlaces places;
  const fs::path beside = executable.parent_path();
  places.Searched = {(beside / packFromExecutable).lexically_normal(), beside / "data"};
  fs::path installed;
  for (const fs::path& folder : places.Searched) {
    if (HoldsPack(folder)) {
      installed = folder;
      break;
    }
  }
  // Only the installed share folder is read-only to the player; the build tree's data folder beside
  // the program is a folder like any other that holds a pack.
  const fs::path& shared = places.Searched.front();
  const bool inInstalled = installed == shared && SameFolder(currentFolder, shared);
  if (HoldsPack(currentFolder) && !inInstalled) return places;
  places.PackFolder = installed;
  places.UserFolder = UserDataFolder(xdgDataHome, home);
  return places;
}

fs::path ExecutablePath() {
  std::error_code error;
  fs::path path = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : path;
}

bool EnterFilePlaces(const FilePlaces& places, std::string& error) {
  std::error_code failure;
  if (!places.UserFolder.empty()) {
    fs::create_directories(places.UserFolder, failure);
    if (failure) {
      error = "cannot create \"" + places.UserFolder.string() + "\": " + failure.message();
      return false;
    }
  }
  if (!places.PackFolder.empty()) {
    fs::current_path(places.PackFolder, failure);
    if (failure) {
      error = "cannot enter \"" + places.PackFolder.string() + "\": " + failure.message();
      return false;
    }
  }
  return true;
}

}  // namespace marblix
