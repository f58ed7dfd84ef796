// Windows' places: the program's file from GetModuleFileNameW, the roaming application data
// folder; an installation is a folder that holds the installer's uninstaller.
#include <shlobj.h>
#include <windows.h>

#include <system_error>

#include "platform/system/file_places.h"

namespace marblix {
namespace fs = std::filesystem;

// The uninstaller the installer writes beside the program.
constexpr const wchar_t* UninstallerName = L"uninstall.exe";

namespace {

// The volume and index that name a file or folder, however its path is spelt.
bool FileIdentity(const fs::path& path, BY_HANDLE_FILE_INFORMATION& identity) {
  const HANDLE file =
      CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool known = GetFileInformationByHandle(file, &identity) != FALSE;
  CloseHandle(file);
  return known;
}

}  // namespace

// The runtime's std::filesystem::equivalent cannot tell folders apart on Windows: the system's
// file identities can.
bool SameFolder(const fs::path& a, const fs::path& b) {
  BY_HANDLE_FILE_INFORMATION first{}, second{};
  return FileIdentity(a, first) && FileIdentity(b, second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

fs::path UserDataFolder() {
  PWSTR folder = nullptr;
  fs::path path;
  if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder) == S_OK)
    path = fs::path(folder) / L"Marblix";
  CoTaskMemFree(folder);
  return path;
}

fs::path ExecutablePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (length == 0) return {};
    if (length < size) return fs::path(buffer.substr(0, length));
    buffer.resize(buffer.size() * 2);
  }
}

bool IsInstallation(const fs::path& packFolder) {
  std::error_code error;
  return fs::is_regular_file(packFolder / UninstallerName, error);
}

}  // namespace marblix
