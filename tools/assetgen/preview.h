// Screen previews: the pack's pictures composed at the places the game draws them, with text in
// the pack's own font, so the whole look can be judged without running the game.
#pragma once

#include <filesystem>

#include "assetgen/pack.h"

namespace assetgen {

void writePreviews(const Pack& pack, const std::filesystem::path& folder);

}  // namespace assetgen
