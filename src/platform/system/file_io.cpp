// File access every system shares: a path's text, the replacement through a temporary file and
// the reading of an existing file.
#include "platform/system/file_io.h"

#include <cerrno>
#include <cstring>

namespace marblix {

std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

bool ReplaceFile(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                 std::string& error) {
  std::filesystem::path temporary = path;
  temporary += ".tmp";
  auto fail = [&](const char* what) {
    error = std::string(what) + " \"" + PathText(temporary) + "\": " + std::strerror(errno);
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return false;
  };
  FileHandle file = OpenFile(temporary, "wb");
  if (!file) return fail("Cannot create");
  if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
    return fail("Cannot write");
  }
  if (std::fflush(file.get()) != 0 || !FlushToDisk(file.get())) return fail("Cannot write");
  if (std::fclose(file.release()) != 0) return fail("Cannot close");
  std::string reason;
  if (!MoveFileOver(temporary, path, reason)) {
    error = "Cannot replace \"" + PathText(path) + "\": " + reason;
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return false;
  }
  return true;
}

FileReading ReadExistingFile(const std::filesystem::path& path, std::vector<uint8_t>& bytes,
                             std::string& error) {
  bytes.clear();
  const FileHandle file = OpenFile(path, "rb");
  if (!file) {
    if (errno == ENOENT || errno == ENOTDIR) return FileReading::Missing;
    error = std::strerror(errno);
    return FileReading::Unreadable;
  }
  uint8_t block[4096];
  for (;;) {
    const std::size_t got = std::fread(block, 1, sizeof block, file.get());
    bytes.insert(bytes.end(), block, block + got);
    if (got == sizeof block) continue;
    if (!std::ferror(file.get())) return FileReading::Read;
    error = std::strerror(errno);
    bytes.clear();
    return FileReading::Unreadable;
  }
}

}  // namespace marblix
