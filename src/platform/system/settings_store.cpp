// The game's settings, on whichever store this system has.
#include "platform/system/settings_store.h"

namespace marblix {

bool ReadFullscreenSetting() {
  SettingsStore store("Quorvane", "Marblix");
  if (const auto value = store.ReadInteger("fullscreen")) return *value != 0;
  store.WriteInteger("Fullscreen", 1);
  return true;
}

void WriteFullscreenSetting(bool fullscreen) {
  SettingsStore store("Quorvane", "Marblix");
  store.WriteInteger("Fullscreen", fullscreen ? 1 : 0);
}

std::string ReadLanguageSetting() {
  const SettingsStore store("Quorvane", "Marblix");
  return store.ReadText("language").value_or("");
}

void WriteLanguageSetting(const std::string& language) {
  SettingsStore store("Quorvane", "Marblix");
  store.WriteText("Language", language);
}

}  // namespace marblix
