// Which language the game speaks: the one MARBLIX_LANGUAGE names, else the player's saved choice,
// else the system's, else English; each matched against the languages the pack has.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marblix {

inline constexpr const char* EnglishLanguage = "en";

// Where a choice may come from, in order.
struct LanguageSources {
  std::string Override;             // MARBLIX_LANGUAGE
  std::string Saved;                // the setting "Language"; empty: follow the system
  std::vector<std::string> System;  // the system's languages, most wanted first
};

// The pack's language for one locale name ("de_DE.UTF-8", "pt", "zh-Hant-TW", "ru"): its "ll_CC"
// where the pack has that, else its "ll"; Chinese by script or region (zh_CN for zh-Hans, SG and
// zh alone; zh_TW for zh-Hant, HK and MO) and Portuguese as pt_BR. Nothing for "C", "POSIX" or a
// language the pack lacks.
std::optional<std::string> MatchLanguage(std::string_view locale,
                                         const std::function<bool(const std::string&)>& inPack);

// The first source that matches, else English.
std::string ChooseLanguage(const LanguageSources& sources,
                           const std::function<bool(const std::string&)>& inPack);

// The system's languages on Linux, from gettext's variables: each entry of LANGUAGE (a colon list),
// then LC_ALL, LC_MESSAGES and LANG; empty values are skipped.
std::vector<std::string> LanguagesOfEnvironment(
    const std::function<const char*(const char*)>& variable);

// This system's languages (Linux: LanguagesOfEnvironment over the process's environment; Windows:
// the user's preferred user-interface languages).
std::vector<std::string> SystemLanguages();

// The languages of the pack in the current folder: English, then every folder of "lang" in order
// of its name.
std::vector<std::string> PackLanguages();

// The pack in the current folder has the language (English always).
bool PackHasLanguage(const std::string& language);

// The folder of a language's files in the pack ("" for English, whose files are the pack's root).
std::string LanguageFolder(const std::string& language);

}  // namespace marblix
