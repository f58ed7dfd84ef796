// Files on Windows: paths are UTF-16 (_wfopen), _commit flushes and MoveFileExW replaces an
// existing file in one step (a plain rename refuses to). A virus scanner, a backup or a cloud-sync
// tool may hold Config.bin or its temporary file for a moment: the move and the removal are tried
// again for a short time, as desktop programs do.
#include <io.h>
#include <windows.h>

#include "platform/system/file_io.h"
#include "platform/system/win32_text.h"

namespace marblix {
namespace {

constexpr int HeldTries = 20;
constexpr DWORD HeldPauseMs = 100;

bool HeldByAnother(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
         error == ERROR_LOCK_VIOLATION;
}

// Runs the attempt until it succeeds, fails for another reason than a holder, or the tries run
// out; GetLastError then holds the last attempt's error.
template <typename Attempt>
bool WhileHeld(Attempt attempt) {
  for (int tried = 1;; ++tried) {
    if (attempt()) return true;
    const DWORD error = GetLastError();
    if (!HeldByAnother(error) || tried == HeldTries) {
      SetLastError(error);
      return false;
    }
    Sleep(HeldPauseMs);
  }
}

}  // namespace

FileHandle OpenFile(const std::filesystem::path& path, const char* mode) {
  return FileHandle(_wfopen(path.c_str(), WideText(mode).c_str()));
}

std::tm LocalTime(std::time_t time) {
  std::tm local{};
  localtime_s(&local, &time);
  return local;
}

bool FlushToDisk(std::FILE* file) {
  return _commit(_fileno(file)) == 0;
}

bool MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to,
                  std::string& reason) {
  const bool moved = WhileHeld([&] {
    return MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  });
  if (!moved) reason = SystemErrorText(GetLastError());
  return moved;
}

void RemoveLeftover(const std::filesystem::path& file) {
  WhileHeld(
      [&] { return DeleteFileW(file.c_str()) != 0 || GetLastError() == ERROR_FILE_NOT_FOUND; });
}

}  // namespace marblix
