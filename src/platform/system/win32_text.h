// Text at the Win32 boundary (Windows only): UTF-8 to the system's UTF-16 and back, and the
// system's message for an error code.
#pragma once

#include <string>
#include <string_view>

namespace marblix {

std::wstring WideText(std::string_view utf8);
std::string Utf8Text(std::wstring_view wide);
// FormatMessage's text for a GetLastError code, without its line end.
std::string SystemErrorText(unsigned long code);

}  // namespace marblix
