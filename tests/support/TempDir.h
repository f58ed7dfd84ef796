// A fresh temporary folder for one test, removed at its end, with a helper to write files into it.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

namespace marblix::testing {

class TTempDir {
 public:
  TTempDir() {
    static std::atomic<int> counter{0};
    Path = std::filesystem::temp_directory_path() /
           ("marblix_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(Path);
  }
  ~TTempDir() {
    std::error_code ignored;
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

}  // namespace marblix::testing
