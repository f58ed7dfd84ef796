// Where the files are on Windows: a folder holding the pack keeps everything (the zip's use) unless
// it is an installation, marked by its uninstaller; then, as from anywhere else, the pack beside
// the program and the player's files in %APPDATA%\Marblix.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/system/file_places.h"
#include "support/TempDir.h"

namespace marblix {
namespace {

namespace fs = std::filesystem;

TEST(WindowsFilePlaces, TheZipKeepsEverythingAnInstallationSendsThePlayersFilesToAppData) {
  const testing::TTempDir temp("marblix-places");
  const fs::path game = temp.Path / fs::path(u8"Programs/Marblix é");
  const fs::path elsewhere = temp.Path / "Desktop";
  fs::create_directories(game / "graphics");
  fs::create_directories(elsewhere);
  const fs::path appData = UserDataFolder();
  EXPECT_EQ(appData.filename(), "Marblix");
  EXPECT_FALSE(SameFolder(game, elsewhere));

  FilePlaces places = FindFilePlaces(game, game / "marblix.exe", ".", appData);
  EXPECT_TRUE(places.PackFolder.empty()) << "an unpacked zip is the player's own folder";
  EXPECT_TRUE(places.UserFolder.empty());

  std::ofstream(game / "uninstall.exe") << "MZ";
  for (const fs::path& current : {game, elsewhere}) {
    places = FindFilePlaces(current, game / "marblix.exe", ".", appData);
    EXPECT_TRUE(SameFolder(places.PackFolder, game)) << places.PackFolder;
    EXPECT_EQ(places.UserFolder, appData);
  }
}

}  // namespace
}  // namespace marblix
