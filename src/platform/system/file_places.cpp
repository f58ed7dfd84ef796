// Finding the pack and the player's folder, and entering them at start.
#include "platform/system/file_places.h"

#include <system_error>

#include "platform/system/file_io.h"
#include "platform/system/player_messages.h"

namespace marblix {
namespace fs = std::filesystem;

bool HoldsPack(const fs::path& folder) {
  std::error_code error;
  return fs::is_directory(folder / "graphics", error) ||
         fs::is_regular_file(folder / "strings.txt", error);
}

FilePlaces FindFilePlaces(const fs::path& currentFolder, const fs::path& executable,
                          const fs::path& packFromExecutable, const fs::path& userDataFolder) {
  FilePlaces places;
  const fs::path beside = executable.parent_path();
  fs::path shared = (beside / packFromExecutable).lexically_normal();
  if (!shared.has_filename()) shared = shared.parent_path();  // "." leaves a trailing separator
  places.Searched = {shared, beside / "data"};
  fs::path installed;
  for (const fs::path& folder : places.Searched) {
    if (HoldsPack(folder)) {
      installed = folder;
      break;
    }
  }
  // Only an installation's folder is not the player's; the build tree's data folder beside the
  // program is a folder like any other that holds a pack.
  const bool inInstalled =
      installed == shared && SameFolder(currentFolder, shared) && IsInstallation(shared);
  if (HoldsPack(currentFolder) && !inInstalled) return places;
  places.PackFolder = installed;
  places.UserFolder = userDataFolder;
  return places;
}

FilePlaces LocateFilePlaces(const fs::path& currentFolder, const fs::path& packFromExecutable) {
  return FindFilePlaces(currentFolder, ExecutablePath(), packFromExecutable, UserDataFolder());
}

bool EnterFilePlaces(const FilePlaces& places, std::string& error, const std::string& language) {
  std::error_code failure;
  if (!places.UserFolder.empty()) {
    fs::create_directories(places.UserFolder, failure);
    if (failure) {
      error = PlayerMessage("FolderNotMade", language,
                            {PathText(places.UserFolder), failure.message()});
      return false;
    }
  }
  if (!places.PackFolder.empty()) {
    fs::current_path(places.PackFolder, failure);
    if (failure) {
      error = PlayerMessage("FolderNotEntered", language,
                            {PathText(places.PackFolder), failure.message()});
      return false;
    }
  }
  return true;
}

}  // namespace marblix
