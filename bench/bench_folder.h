// A folder of its own for a measured run of the game (it writes Log.txt, Config.bin and its
// settings there), with the generated asset pack linked in when there is one.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace marblix::bench {

namespace fs = std::filesystem;

// Runs in a folder of its own (the game writes Log.txt and Config.bin), with the asset pack when
// it has been generated; without it every picture is the placeholder.
class BenchFolder {
 public:
  BenchFolder()
      : Previous(fs::current_path()),
        Path(fs::temp_directory_path() / ("marblix_bench_" + std::to_string(getpid()))) {
    fs::create_directories(Path);
#ifdef MARBLIX_DATA_DIR
    const fs::path pack = MARBLIX_DATA_DIR;
    for (const char* name : {"graphics", "sounds", "music", "strings.txt", "sounds.txt"})
      if (fs::exists(pack / name)) fs::create_symlink(pack / name, Path / name);
#endif
    fs::current_path(Path);
    setenv("XDG_CONFIG_HOME", Path.c_str(), 1);  // the window's settings stay in the folder
  }
  ~BenchFolder() {
    fs::current_path(Previous);
    std::error_code ignored;
    fs::remove_all(Path, ignored);
  }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;

  static bool HasPack() {
    return fs::exists("strings.txt");
  }

 private:
  fs::path Previous;
  fs::path Path;
};

}  // namespace marblix::bench
