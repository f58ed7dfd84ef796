// Reading a text file as lines ending at CR, LF or CR LF, and the blank trimming the text files
// use.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marblix {

// Splits text into lines; a line ends at CR, LF or CR LF, and a final line break adds no empty
// line.
std::vector<std::string> SplitTextLines(std::string_view text);

// The file's lines, or nothing when it cannot be opened.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path);

// Removes leading and trailing blanks and control characters (every byte up to the space).
std::string_view TrimBlanks(std::string_view text);

// Lower case of the ASCII letters; other bytes stay as they are.
std::string LowerCase(std::string_view text);

}  // namespace marblix
