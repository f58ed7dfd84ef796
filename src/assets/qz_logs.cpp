// The start-up trace "Log.txt": every call opens, writes, flushes and closes the file.
#include "assets/qz_logs.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/system/file_io.h"

namespace marblix {
namespace {

// The one log of the program.
std::filesystem::path& LogPath() {
  static std::filesystem::path path = LogFileName;
  return path;
}

[[noreturn]] void RaiseLogError(const char* what) {
  throw LogError(std::string(what) + " \"" + PathText(LogPath()) + "\": " + std::strerror(errno));
}

void WriteAndClose(const char* mode, const std::string& text) {
  FileHandle file = OpenFile(LogPath(), mode);
  if (!file) RaiseLogError("Cannot open");
  if (std::fwrite(text.data(), 1, text.size(), file.get()) != text.size()) {
    RaiseLogError("Cannot write");
  }
  if (std::fflush(file.get()) != 0) RaiseLogError("Cannot write");
  if (std::fclose(file.release()) != 0) RaiseLogError("Cannot close");
}

std::string Line(std::string_view message) {
  return LogTimeOfDay() + " -=- " + std::string(message) + "\r\n";
}

}  // namespace

void SetLogFolder(const std::filesystem::path& folder) {
  LogPath() = folder / LogFileName;
}

const std::filesystem::path& LogFilePath() {
  return LogPath();
}

std::string LogTimeOfDay() {
  const std::time_t now = std::time(nullptr);
  const std::tm local = LocalTime(now);
  char text[16];
  std::strftime(text, sizeof text, "%H:%M:%S", &local);
  return text;
}

void StartLog() {
  WriteAndClose("wb", Line("Program started") + "\r\n");
}

void LogMessage(std::string_view message) {
  // Appending to a file that does not exist is an error: only StartLog creates the log.
  FileHandle probe = OpenFile(LogPath(), "rb");
  if (!probe) RaiseLogError("Cannot open");
  probe.reset();
  WriteAndClose("ab", Line(message));
}

}  // namespace marblix
