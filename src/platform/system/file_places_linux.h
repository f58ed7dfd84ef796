// Linux's user data folder, from the environment's values (a function of its own for the tests).
#pragma once

#include <filesystem>

namespace marblix {

// $XDG_DATA_HOME/marblix when that is an absolute path, else <home>/.local/share/marblix; empty
// when neither is known.
std::filesystem::path XdgUserDataFolder(const char* xdgDataHome, const char* home);

}  // namespace marblix
