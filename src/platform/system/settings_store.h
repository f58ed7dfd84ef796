// The machine's settings store: the boolean "Fullscreen" and the text "Language" under the key
// "Software\Quorvane\Marblix" of the user's store (the registry's HKEY_CURRENT_USER on Windows, a
// small file under the user's configuration folder on Linux).
#pragma once

#include <optional>
#include <string>

namespace marblix {

// One key of the store. Value names match without regard to case, as the registry does.
class SettingsStore {
 public:
  // Opens the key "Software\<Maker>\<Game>", creating it if missing.
  SettingsStore(std::string maker, std::string game);

  // The value's integer when a value of that name (any case) exists.
  std::optional<long> ReadInteger(const std::string& name) const;
  // Writes or replaces the value; returns false when it cannot be written.
  bool WriteInteger(const std::string& name, long value);
  // The value's text (UTF-8) when a text value of that name (any case) exists.
  std::optional<std::string> ReadText(const std::string& name) const;
  bool WriteText(const std::string& name, const std::string& value);

 private:
  std::string maker_;
  std::string game_;
};

// Reads the "Fullscreen" setting of Marblix; a missing value is created as true and true returned.
bool ReadFullscreenSetting();
// Writes the "Fullscreen" setting of Marblix as 0 or 1.
void WriteFullscreenSetting(bool fullscreen);
// The language the player chose ("Language", a code such as "de"); empty when there is none, and
// the game follows the system's.
std::string ReadLanguageSetting();
void WriteLanguageSetting(const std::string& language);

}  // namespace marblix
