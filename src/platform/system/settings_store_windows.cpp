// The settings store on Windows: the registry under HKEY_CURRENT_USER, where a player may write
// without administrator rights; values are 32-bit integers (REG_DWORD) or texts (REG_SZ).
#include <windows.h>

#include <algorithm>
#include <utility>

#include "platform/system/settings_store.h"
#include "platform/system/win32_text.h"

namespace marblix {
namespace {

std::wstring KeyPath(const std::string& maker, const std::string& game) {
  return WideText("Software\\" + maker + "\\" + game);
}

// An open registry key, closed at the end of its scope.
class TRegistryKey {
 public:
  explicit TRegistryKey(const std::wstring& path) {
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                        nullptr, &key_, nullptr) != ERROR_SUCCESS)
      key_ = nullptr;
  }
  ~TRegistryKey() {
    if (key_) RegCloseKey(key_);
  }
  TRegistryKey(const TRegistryKey&) = delete;
  TRegistryKey& operator=(const TRegistryKey&) = delete;
  HKEY Handle() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

SettingsStore::SettingsStore(std::string maker, std::string game)
    : maker_(std::move(maker)), game_(std::move(game)) {
  const TRegistryKey created(KeyPath(maker_, game_));
}

std::optional<long> SettingsStore::ReadInteger(const std::string& name) const {
  const TRegistryKey key(KeyPath(maker_, game_));
  if (key.Handle() == nullptr) return std::nullopt;
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  const LONG result = RegQueryValueExW(key.Handle(), WideText(name).c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(&value), &size);
  if (result == ERROR_FILE_NOT_FOUND) return std::nullopt;
  // Present but of another type or size counts as 0.
  if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return 0;
  return static_cast<long>(value);
}

bool SettingsStore::WriteInteger(const std::string& name, long value) {
  const TRegistryKey key(KeyPath(maker_, game_));
  if (key.Handle() == nullptr) return false;
  const DWORD data = static_cast<DWORD>(value);
  return RegSetValueExW(key.Handle(), WideText(name).c_str(), 0, REG_DWORD,
                        reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
}

std::optional<std::string> SettingsStore::ReadText(const std::string& name) const {
  const TRegistryKey key(KeyPath(maker_, game_));
  if (key.Handle() == nullptr) return std::nullopt;
  const std::wstring valueName = WideText(name);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key.Handle(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      type != REG_SZ)
    return std::nullopt;
  std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
  DWORD read = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key.Handle(), valueName.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(text.data()), &read) != ERROR_SUCCESS)
    return std::nullopt;
  text.resize(std::min<std::size_t>(text.size(), read / sizeof(wchar_t)));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return Utf8Text(text);
}

bool SettingsStore::WriteText(const std::string& name, const std::string& value) {
  const TRegistryKey key(KeyPath(maker_, game_));
  if (key.Handle() == nullptr) return false;
  const std::wstring text = WideText(value);
  return RegSetValueExW(key.Handle(), WideText(name).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace marblix
