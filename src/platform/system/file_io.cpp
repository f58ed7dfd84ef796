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

namespace {

// Writes the bytes to a new file and flushes them to the disk; the file is closed on return,
// whatever happened, so that it can be removed. `created` tells whether the file was made (what
// stands in its way, a folder of that name, is not ours to remove).
bool WriteFlushed(const std::filesystem::path& file, std::span<const uint8_t> bytes, bool& created,
                  std::string& error) {
  auto fail = [&](const char* what) {
    error = std::string(what) + " \"" + PathText(file) + "\": " + std::strerror(errno);
    return false;
  };
  FileHandle handle = OpenFile(file, "wb");
  created = handle != nullptr;
  if (!created) return fail("Cannot create");
  if (std::fwrite(bytes.data(), 1, bytes.size(), handle.get()) != bytes.size()) {
    return fail("Cannot write");
  }
  if (std::fflush(handle.get()) != 0 || !FlushToDisk(handle.get())) return fail("Cannot write");
  if (std::fclose(handle.release()) != 0) return fail("Cannot close");
  return true;
}

}  // namespace

bool ReplaceFile(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                 std::string& error) {
  std::filesystem::path temporary = path;
  temporary += ".tmp";
  bool created = false;
  if (!WriteFlushed(temporary, bytes, created, error)) {
    if (created) RemoveLeftover(temporary);
    return false;
  }
  std::string reason;
  if (!MoveFileOver(temporary, path, reason)) {
    error = "Cannot replace \"" + PathText(path) + "\": " + reason;
    RemoveLeftover(temporary);
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
