// Matching locale names against the pack's languages, and the order of the sources of a choice.
#include "platform/system/language_choice.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace marblix {
namespace {

std::vector<std::string> Parts(std::string_view locale) {
  locale = locale.substr(0, locale.find_first_of(".@"));  // no encoding, no modifier
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= locale.size()) {
    const std::size_t end = std::min(locale.find_first_of("_-", start), locale.size());
    parts.emplace_back(locale.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::string Cased(std::string text, bool upper) {
  for (char& c : text) {
    const auto byte = static_cast<unsigned char>(c);
    c = static_cast<char>(upper ? std::toupper(byte) : std::tolower(byte));
  }
  return text;
}

// The code of a language the program knows by another name: Chinese by its script or region,
// Portuguese as Brazil's.
std::string KnownVariant(const std::string& language, const std::vector<std::string>& rest) {
  if (language == "pt") return "pt_BR";
  if (language != "zh") return {};
  for (const std::string& part : rest) {
    const std::string upper = Cased(part, true);
    if (upper == "HANT" || upper == "TW" || upper == "HK" || upper == "MO") return "zh_TW";
  }
  return "zh_CN";
}

}  // namespace

std::optional<std::string> MatchLanguage(std::string_view locale,
                                         const std::function<bool(const std::string&)>& inPack) {
  const std::vector<std::string> parts = Parts(locale);
  const std::string language = Cased(parts.front(), false);
  if (language.empty() || language == "c" || language == "posix") return std::nullopt;
  if (language == EnglishLanguage) return EnglishLanguage;
  const std::vector<std::string> rest(parts.begin() + 1, parts.end());
  std::vector<std::string> tried;
  // A region is two letters or three digits after the language (a script may come between).
  for (const std::string& part : rest) {
    if (part.size() == 2 ||
        (part.size() == 3 && std::isdigit(static_cast<unsigned char>(part[0])))) {
      tried.push_back(language + "_" + Cased(part, true));
      break;
    }
  }
  tried.push_back(KnownVariant(language, rest));
  tried.push_back(language);
  for (const std::string& code : tried) {
    if (!code.empty() && inPack(code)) return code;
  }
  return std::nullopt;
}

std::string ChooseLanguage(const LanguageSources& sources,
                           const std::function<bool(const std::string&)>& inPack) {
  std::vector<std::string> wanted = {sources.Override, sources.Saved};
  wanted.insert(wanted.end(), sources.System.begin(), sources.System.end());
  for (const std::string& locale : wanted) {
    if (const std::optional<std::string> language = MatchLanguage(locale, inPack)) return *language;
  }
  return EnglishLanguage;
}

std::vector<std::string> LanguagesOfEnvironment(
    const std::function<const char*(const char*)>& variable) {
  std::vector<std::string> languages;
  if (const char* list = variable("LANGUAGE")) {
    const std::string_view entries = list;
    std::size_t start = 0;
    while (start <= entries.size()) {
      const std::size_t end = std::min(entries.find(':', start), entries.size());
      if (end > start) languages.emplace_back(entries.substr(start, end - start));
      start = end + 1;
    }
  }
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = variable(name);
    if (value != nullptr && value[0] != '\0') languages.emplace_back(value);
  }
  return languages;
}

std::vector<std::string> PackLanguages() {
  std::vector<std::string> languages;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("lang", error)) {
    const std::string name = entry.path().filename().string();
    const bool code = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
      return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
    });
    if (code && name != EnglishLanguage && entry.is_directory(error)) languages.push_back(name);
  }
  std::sort(languages.begin(), languages.end());
  languages.insert(languages.begin(), EnglishLanguage);
  return languages;
}

bool PackHasLanguage(const std::string& language) {
  std::error_code error;
  return language == EnglishLanguage ||
         std::filesystem::is_directory(std::filesystem::path("lang") / language, error);
}

std::string LanguageFolder(const std::string& language) {
  return language.empty() || language == EnglishLanguage ? "" : "lang/" + language + "/";
}

}  // namespace marblix
