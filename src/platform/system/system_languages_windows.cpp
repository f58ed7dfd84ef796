// The system's languages on Windows: the user's preferred user-interface languages, most wanted
// first, as names such as "de-DE" or "zh-Hant-TW".
#include <windows.h>

#include "platform/system/language_choice.h"
#include "platform/system/win32_text.h"

namespace marblix {

std::vector<std::string> SystemLanguages() {
  ULONG count = 0;
  ULONG size = 0;
  if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size) || size == 0)
    return {};
  std::wstring names(size, L'\0');
  if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(), &size)) return {};
  // One name after another, each ended by a NUL, the list by a second one.
  std::vector<std::string> languages;
  for (std::size_t start = 0; start < names.size() && names[start] != L'\0';) {
    const std::size_t end = names.find(L'\0', start);
    languages.push_back(Utf8Text(names.substr(start, end - start)));
    start = end + 1;
  }
  return languages;
}

}  // namespace marblix
