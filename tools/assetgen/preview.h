// Screen previews: the pack's pictures composed at the places the game draws them, with text in
// the pack's own font, so the whole look can be judged without running the game.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "assetgen/pack.h"

namespace assetgen {

// The writers of the screens into `folder` (English, and three screens of each language), to be
// run on any threads once the pack is written.
std::vector<std::function<void()>> previewWriters(const Pack& pack,
                                                  const std::filesystem::path& folder,
                                                  const std::vector<std::string>& languages);

}  // namespace assetgen
