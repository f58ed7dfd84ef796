// Where the pack and the player's files are: the current folder when it holds a pack, else the
// installed pack beside the program and the user's data folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/system/file_places.h"
#include "platform/system/file_places_linux.h"
#include "support/TempDir.h"

namespace marblix {
namespace {

namespace fs = std::filesystem;

class FilePlacesTest : public ::testing::Test {
 protected:
  FilePlacesTest() {
    fs::create_directories(root / "prefix/bin");
    fs::create_directories(root / "prefix/share/marblix/graphics");
    fs::create_directories(root / "elsewhere");
    fs::create_directories(root / "pack");
    std::ofstream(root / "pack/strings.txt") << "$x\n";
  }
  FilePlaces From(const fs::path& current, const char* xdg = "/xdg", const char* home = "/home/p") {
    return FindFilePlaces(current, root / "prefix/bin/marblix", "../share/marblix",
                          XdgUserDataFolder(xdg, home));
  }
  testing::TTempDir folder{"marblix-places"};
  fs::path root = folder.Path;
};

TEST_F(FilePlacesTest, AFolderWithAPackKeepsEverything) {
  const FilePlaces places = From(root / "pack");
  EXPECT_TRUE(places.PackFolder.empty());
  EXPECT_TRUE(places.UserFolder.empty());
}

TEST_F(FilePlacesTest, ElsewhereTheInstalledPackAndTheUserDataFolder) {
  struct Case {
    const char* xdg;
    const char* home;
    fs::path user;
  };
  const Case cases[] = {
      {"/xdg", "/home/p", "/xdg/marblix"},
      {nullptr, "/home/p", "/home/p/.local/share/marblix"},
      {"relative", "/home/p", "/home/p/.local/share/marblix"},  // XDG paths must be absolute
  };
  for (const Case& c : cases) {
    const FilePlaces places = From(root / "elsewhere", c.xdg, c.home);
    EXPECT_EQ(places.PackFolder, root / "prefix/share/marblix");
    EXPECT_EQ(places.UserFolder, c.user);
  }
}

// build/marblix started in build/data: the pack found beside the program is the current folder,
// and the player's files stay there as in any folder that holds a pack.
TEST_F(FilePlacesTest, TheBuildTreesDataFolderKeepsEverything) {
  fs::create_directories(root / "build/data/graphics");
  const FilePlaces places =
      FindFilePlaces(root / "build/data", root / "build/marblix", "../share/marblix", "/xdg");
  EXPECT_TRUE(places.PackFolder.empty());
  EXPECT_TRUE(places.UserFolder.empty());
}

TEST_F(FilePlacesTest, StartedInTheInstalledPackTheFilesStillGoToTheUserFolder) {
  const FilePlaces places = From(root / "prefix/share/marblix");
  EXPECT_EQ(places.PackFolder, root / "prefix/share/marblix");
  EXPECT_EQ(places.UserFolder, "/xdg/marblix");
}

TEST_F(FilePlacesTest, EnteringMakesTheUserFolderAndMovesIntoThePack) {
  const fs::path before = fs::current_path();
  FilePlaces places;
  places.PackFolder = root / "pack";
  places.UserFolder = root / "data/marblix";
  std::string error;
  ASSERT_TRUE(EnterFilePlaces(places, error)) << error;
  EXPECT_TRUE(fs::is_directory(root / "data/marblix"));
  EXPECT_TRUE(fs::equivalent(fs::current_path(), root / "pack"));
  fs::current_path(before);
}

}  // namespace
}  // namespace marblix
