// The settings store on Linux: a key is a folder under $XDG_CONFIG_HOME (else ~/.config), its
// values one "Name=value" line each (an integer or a text) in the file "settings" there.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include "platform/system/settings_store.h"

namespace marblix {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

struct Entry {
  std::string name;
  std::string value;
};

std::vector<Entry> ReadEntries(const std::filesystem::path& file) {
  std::vector<Entry> entries;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto equals = line.find('=');
    if (equals == std::string::npos || equals == 0) continue;
    entries.push_back({line.substr(0, equals), line.substr(equals + 1)});
  }
  return entries;
}

bool WriteEntries(const std::filesystem::path& file, const std::vector<Entry>& entries) {
  const std::filesystem::path temporary = file.string() + ".tmp";
  {
    std::ofstream out(temporary, std::ios::trunc);
    for (const Entry& entry : entries) out << entry.name << '=' << entry.value << '\n';
    out.flush();
    if (!out) return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, file, error);
  return !error;
}

// The user's configuration folder: $XDG_CONFIG_HOME if set and absolute, else ~/.config.
std::filesystem::path ConfigHome() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return std::filesystem::path(home) / ".config";
  return std::filesystem::temp_directory_path();
}

std::filesystem::path KeyFile(const std::string& maker, const std::string& game) {
  return ConfigHome() / maker / game / "settings";
}

}  // namespace

SettingsStore::SettingsStore(std::string maker, std::string game)
    : maker_(std::move(maker)), game_(std::move(game)) {
  std::error_code ignored;
  std::filesystem::create_directories(KeyFile(maker_, game_).parent_path(), ignored);
}

std::optional<long> SettingsStore::ReadInteger(const std::string& name) const {
  const std::string wanted = Lower(name);
  for (const Entry& entry : ReadEntries(KeyFile(maker_, game_))) {
    if (Lower(entry.name) != wanted) continue;
    char* end = nullptr;
    const long value = std::strtol(entry.value.c_str(), &end, 10);
    if (end == entry.value.c_str()) return 0;  // present but unreadable counts as 0
    return value;
  }
  return std::nullopt;
}

bool SettingsStore::WriteInteger(const std::string& name, long value) {
  return WriteText(name, std::to_string(value));
}

std::optional<std::string> SettingsStore::ReadText(const std::string& name) const {
  const std::string wanted = Lower(name);
  for (const Entry& entry : ReadEntries(KeyFile(maker_, game_))) {
    if (Lower(entry.name) == wanted) return entry.value;
  }
  return std::nullopt;
}

bool SettingsStore::WriteText(const std::string& name, const std::string& value) {
  const std::filesystem::path file = KeyFile(maker_, game_);
  std::vector<Entry> entries = ReadEntries(file);
  const std::string wanted = Lower(name);
  bool replaced = false;
  for (Entry& entry : entries) {
    if (Lower(entry.name) == wanted) {
      entry.value = value;
      replaced = true;
    }
  }
  if (!replaced) entries.push_back({name, value});
  return WriteEntries(file, entries);
}

}  // namespace marblix
