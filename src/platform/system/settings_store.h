// The machine's settings store: the one boolean "Fullscreen", kept in the user's configuration
// folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace marblix {

// A key of the store is a folder under $XDG_CONFIG_HOME (else ~/.config); its values live in
// the file "settings" there, one "Name=integer" line each. Value names match without regard
// to case, as the registry does.
class SettingsStore {
 public:
  // Opens the key "Software\<Maker>\<Game>", i.e. <config>/<Maker>/<Game>, creating it if missing.
  SettingsStore(const std::string& maker, const std::string& game);

  // The value's integer when a value of that name (any case) exists.
  std::optional<long> ReadInteger(const std::string& name) const;
  // Writes or replaces the value; returns false when the file cannot be written.
  bool WriteInteger(const std::string& name, long value);

  const std::filesystem::path& Folder() const { return folder_; }

  // The user's configuration folder: $XDG_CONFIG_HOME if set and absolute, else ~/.config.
  static std::filesystem::path ConfigHome();

 private:
  std::filesystem::path folder_;
  std::filesystem::path file_;
};

// Reads the "Fullscreen" setting of Marblix; a missing value is created as true and true returned.
bool ReadFullscreenSetting();
// Writes the "Fullscreen" setting of Marblix as 0 or 1.
void WriteFullscreenSetting(bool fullscreen);

}  // namespace marblix
