// A private scratch folder for one fuzzing process and a way to put each input into a file there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/TempDir.h"

namespace marblix::fuzz {

// The process's own folder, in memory when /dev/shm exists; removed at exit.
inline const std::filesystem::path& ScratchFolder() {
  static const testing::TTempDir folder = [] {
    std::error_code error;
    const bool inMemory = std::filesystem::is_directory("/dev/shm", error);
    return testing::TTempDir("marblix_fuzz", inMemory ? "/dev/shm" : "");
  }();
  return folder.Path;
}

// Writes the input into the scratch folder under the name and returns its path.
inline std::string WriteInput(const std::string& name, const uint8_t* data, size_t size) {
  const std::filesystem::path file = ScratchFolder() / name;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return file.string();
}

}  // namespace marblix::fuzz
