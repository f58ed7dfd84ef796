// The asset pack's entries at the top of its folder: what the generator writes and the game reads
// (lang: every language but English, one folder each).
// Everything else in a data folder (Config.bin, Log.txt, Marblix.lock, their temporary files) is
// what a game that ran there wrote, never a part of the pack.
#pragma once

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace marblix::testing {

inline constexpr std::array<const char*, 6> PackEntries{"graphics", "lang",       "music",
                                                        "sounds",   "sounds.txt", "strings.txt"};

// The pack's files below `folder`, relative to it with '/' separators, sorted; the entry named
// `leftOut` (if any) is passed over.
inline std::vector<std::string> PackFilesIn(const std::filesystem::path& folder,
                                            std::string_view leftOut = {}) {
  namespace fs = std::filesystem;
  std::vector<std::string> files;
  std::error_code error;
  for (const char* top : PackEntries) {
    if (top == leftOut) continue;
    if (fs::is_regular_file(folder / top, error)) files.push_back(top);
    if (!fs::is_directory(folder / top, error)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(folder / top)) {
      if (entry.is_regular_file()) files.push_back(fs::relative(entry, folder).generic_string());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace marblix::testing
