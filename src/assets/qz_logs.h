// The start-up trace "Log.txt": recreated at each start, one timestamped line per message.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace marblix {

// Raised when "Log.txt" cannot be created, opened, written or closed.
class LogError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Name of the log file, relative to the current directory unless SetLogFolder says otherwise.
inline constexpr const char* LogFileName = "Log.txt";

// Keeps "Log.txt" in `folder` from now on (an empty folder: the current one).
void SetLogFolder(const std::filesystem::path& folder);
// Where the log is written.
const std::filesystem::path& LogFilePath();

// Creates "Log.txt" anew with the start line "Program started" and an empty line.
void StartLog();

// Appends one line "<time> -=- <message>" to "Log.txt"; the file is closed again at once.
void LogMessage(std::string_view message);

// The local time of day as the log writes it, e.g. "14:05:09".
std::string LogTimeOfDay();

}  // namespace marblix
