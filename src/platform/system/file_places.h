// Where the game's files live: the pack it reads, and the folder of the player's own files
// (Config.bin and Log.txt).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace marblix {

struct FilePlaces {
  // The folder holding the pack; empty: the current folder, which holds it.
  std::filesystem::path PackFolder;
  // The folder of Config.bin and Log.txt; empty: the current folder.
  std::filesystem::path UserFolder;
  // The folders looked in for the pack when the current folder does not hold it.
  std::vector<std::filesystem::path> Searched;
};

// True when the folder holds an asset pack (its "graphics" folder or its "strings.txt").
bool HoldsPack(const std::filesystem::path& folder);

// Started in a folder that holds a pack (other than an installation's), everything stays there.
// Otherwise the pack is the installed one, found from the executable's folder by
// `packFromExecutable` (and, in a build tree, the "data" folder beside the executable), and the
// player's files go to `userDataFolder`.
FilePlaces FindFilePlaces(const std::filesystem::path& currentFolder,
                          const std::filesystem::path& executable,
                          const std::filesystem::path& packFromExecutable,
                          const std::filesystem::path& userDataFolder);

// The places of the running program, started in `currentFolder`.
FilePlaces LocateFilePlaces(const std::filesystem::path& currentFolder,
                            const std::filesystem::path& packFromExecutable);

// This system's side. True when both paths name the same folder.
bool SameFolder(const std::filesystem::path& a, const std::filesystem::path& b);
// The running program's own file.
std::filesystem::path ExecutablePath();
// The folder of the player's own files outside a pack: $XDG_DATA_HOME/marblix (else
// ~/.local/share/marblix) on Linux, %APPDATA%\Marblix on Windows; empty when unknown.
std::filesystem::path UserDataFolder();
// True when the pack found beside the program is an installation's, whose folder is not the
// player's: always for Linux's share folder; on Windows when the installer's uninstaller is there
// (a zip unpacked anywhere is the player's own folder).
bool IsInstallation(const std::filesystem::path& packFolder);

// Makes the player's folder and enters the pack's folder, so that every path of the pack stays
// relative to the current folder. False with the player's line saying why (in the language) when
// either fails.
bool EnterFilePlaces(const FilePlaces& places, std::string& error,
                     const std::string& language = "en");

}  // namespace marblix
