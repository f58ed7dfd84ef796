// Temporary folders for the tests, the fuzz targets and the benchmarks: a fresh folder removed at
// its end, and the same made the current directory for a whole run of the game.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

namespace marblix::testing {

class TTempDir {
 public:
  // A new folder named prefix-XXXXXX below base (the system's temporary folder when empty).
  explicit TTempDir(const std::string& prefix = "marblix_test", std::filesystem::path base = {}) {
    if (base.empty()) base = std::filesystem::temp_directory_path();
    std::random_device seed;
    std::mt19937_64 names(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
      Path = base / (prefix + "-" + std::to_string(names() % 1000000000));
      std::error_code error;
      if (std::filesystem::create_directory(Path, error)) return;
    }
    throw std::runtime_error("cannot make a temporary folder below " + base.string());
  }
  // Removes the folder and everything in it, even after a test took away its write right.
  ~TTempDir() {
    std::error_code ignored;
    std::filesystem::permissions(Path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(Path, ignored);
  }
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  // Writes the bytes as given (no line-ending translation) and returns the file's full path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path file = Path / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
  }
  std::string File(const std::string& name) const { return (Path / name).string(); }

  std::filesystem::path Path;
};

// A link at `to` to the file or folder `from`; where the system makes no links (Wine), a copy.
inline void LinkOrCopy(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code error;
  std::filesystem::create_symlink(from, to, error);
  if (error) std::filesystem::copy(from, to, std::filesystem::copy_options::recursive);
}

// A fresh temporary folder made the current directory for its lifetime; the previous current
// directory comes back at its end.
class TScopedWorkingDirectory {
 public:
  explicit TScopedWorkingDirectory(const std::string& prefix = "marblix")
      : previous_(std::filesystem::current_path()), folder_(prefix) {
    std::filesystem::current_path(folder_.Path);
  }
  ~TScopedWorkingDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
  }
  TScopedWorkingDirectory(const TScopedWorkingDirectory&) = delete;
  TScopedWorkingDirectory& operator=(const TScopedWorkingDirectory&) = delete;

  const std::filesystem::path& path() const { return folder_.Path; }

 private:
  std::filesystem::path previous_;
  TTempDir folder_;
};

}  // namespace marblix::testing
