// Files on Windows: paths are UTF-16 (_wfopen), _commit flushes and MoveFileExW replaces an
// existing file in one step (a plain rename refuses to).
#include <io.h>
#include <windows.h>

#include "platform/system/file_io.h"
#include "platform/system/win32_text.h"

namespace marblix {

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
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  reason = SystemErrorText(GetLastError());
  return false;
}

}  // namespace marblix
