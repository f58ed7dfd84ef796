// Files by path on every system: opening a file with its path as the system spells it (wide on
// Windows, so that a user folder such as C:\Users\José works), a path's text for messages, the
// local time, the crash-safe replacement of a whole file and the reading of one that exists.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace marblix {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// fopen for a path; null with errno set when it cannot be opened.
FileHandle OpenFile(const std::filesystem::path& path, const char* mode);

// The path as UTF-8 text, for messages and the log.
std::string PathText(const std::filesystem::path& path);

// The local time of day and date of `time`.
std::tm LocalTime(std::time_t time);

// Writes the bytes to "<path>.tmp", flushes them to the disk and moves that file over `path` in
// one step, so the old file survives any failure and a crash leaves the old file or the new one,
// never a mix. On failure returns false, describes the reason in `error` and leaves no
// "<path>.tmp" behind.
bool ReplaceFile(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                 std::string& error);

enum class FileReading { Read, Missing, Unreadable };
// Reads a whole file, telling a file that is not there from one that is there but cannot be opened
// or read (permissions, a folder of that name, an I/O error); then `error` holds the reason.
FileReading ReadExistingFile(const std::filesystem::path& path, std::vector<uint8_t>& bytes,
                             std::string& error);

// This system's side of the replacement: flushing a written file to the disk, moving a file over
// another in one step (false with the system's reason), and removing a closed file that is left
// over (quietly: nothing is lost when it stays). Where other programs may hold a file for a moment
// (a virus scanner, a backup or sync tool on Windows), the move and the removal wait for them a
// little.
bool FlushToDisk(std::FILE* file);
bool MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to,
                  std::string& reason);
void RemoveLeftover(const std::filesystem::path& file);

}  // namespace marblix
