// A folder of its own for a measured run of the game (it writes Log.txt, Config.bin and its
// settings there), with the generated asset pack linked in when there is one.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TempDir.h"

namespace marblix::bench {

namespace fs = std::filesystem;

// Runs in a folder of its own (the game writes Log.txt and Config.bin), with the asset pack when
// it has been generated; without it every picture is the placeholder.
class BenchFolder {
 public:
  BenchFolder() {
#ifdef MARBLIX_DATA_DIR
    const fs::path pack = MARBLIX_DATA_DIR;
    for (const char* name : {"graphics", "lang", "sounds", "music", "strings.txt", "sounds.txt"})
      if (fs::exists(pack / name)) fs::create_symlink(pack / name, Folder.path() / name);
#endif
    setenv("XDG_CONFIG_HOME", Folder.path().c_str(),
           1);  // the window's settings stay in the folder
  }

  static bool HasPack() {
    return fs::exists("strings.txt");
  }

 private:
  testing::TScopedWorkingDirectory Folder{"marblix_bench"};
};

}  // namespace marblix::bench
