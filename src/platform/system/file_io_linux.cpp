// Files on Linux: paths are bytes, fsync flushes, rename replaces in one step and nothing else
// holds a file against a rename or a removal.
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/system/file_io.h"

namespace marblix {

FileHandle OpenFile(const std::filesystem::path& path, const char* mode) {
  return FileHandle(std::fopen(path.c_str(), mode));
}

std::tm LocalTime(std::time_t time) {
  std::tm local{};
  localtime_r(&time, &local);
  return local;
}

bool FlushToDisk(std::FILE* file) {
  return ::fsync(::fileno(file)) == 0;
}

bool MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to,
                  std::string& reason) {
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  reason = std::strerror(errno);
  return false;
}

void RemoveLeftover(const std::filesystem::path& file) {
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
}

}  // namespace marblix
