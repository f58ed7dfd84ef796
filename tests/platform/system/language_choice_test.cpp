// The language choice as one table: MARBLIX_LANGUAGE, the saved choice and gettext's variables in,
// the pack's language out; and the pack's languages as its folders list them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "platform/system/language_choice.h"
#include "support/TempDir.h"

namespace marblix {
namespace {

// Every language of the game but Korean, whose folder this pack lacks.
bool InPack(const std::string& code) {
  static const std::vector<std::string> pack = {"de", "fr", "es", "it", "pt_BR", "nl",    "pl",
                                                "tr", "ru", "uk", "el", "ja",    "zh_CN", "zh_TW"};
  return std::find(pack.begin(), pack.end(), code) != pack.end();
}

struct Choice {
  std::string Override;  // MARBLIX_LANGUAGE
  std::string Saved;     // the setting
  std::map<std::string, std::string> Environment;
  std::string Expected;
};

TEST(LanguageChoice, OverrideThenSavedThenTheSystemThenEnglish) {
  const Choice table[] = {
      {"", "", {}, "en"},
      {"", "", {{"LANG", "de_DE.UTF-8"}}, "de"},
      {"ru", "de", {{"LANG", "fr_FR.UTF-8"}}, "ru"},
      {"", "de", {{"LANG", "fr_FR.UTF-8"}}, "de"},
      {"pt_BR", "", {}, "pt_BR"},
      {"pt-BR", "", {}, "pt_BR"},
      // Gettext's order: LANGUAGE, LC_ALL, LC_MESSAGES, LANG; empty values skipped.
      {"", "", {{"LC_ALL", "ru_RU.UTF-8"}, {"LANG", "de_DE.UTF-8"}}, "ru"},
      {"", "", {{"LC_MESSAGES", "el_GR.UTF-8"}, {"LANG", "de_DE.UTF-8"}}, "el"},
      {"", "", {{"LANGUAGE", ""}, {"LC_ALL", ""}, {"LANG", "it_IT"}}, "it"},
      {"", "", {{"LANGUAGE", "sv:nl:de"}, {"LANG", "fr_FR.UTF-8"}}, "nl"},
      // "C" and "POSIX" ask for no translation: the next source is tried.
      {"", "", {{"LC_ALL", "C.UTF-8"}, {"LANG", "ja_JP.UTF-8"}}, "ja"},
      {"", "", {{"LC_ALL", "POSIX"}}, "en"},
      // ll_CC, then ll; a language the pack lacks is skipped.
      {"", "", {{"LANG", "de_AT.UTF-8@euro"}}, "de"},
      {"", "", {{"LANGUAGE", "ko:ru"}}, "ru"},
      {"", "ko", {{"LANG", "ko_KR.UTF-8"}}, "en"},
      {"xx", "", {{"LANG", "tr_TR"}}, "tr"},
      {"", "", {{"LANG", "en_GB.UTF-8"}, {"LC_ALL", ""}}, "en"},
      {"", "", {{"LANGUAGE", "en_US:de"}}, "en"},
      // Chinese by region or script; Portuguese as Brazil's.
      {"", "", {{"LANG", "zh_CN.UTF-8"}}, "zh_CN"},
      {"", "", {{"LANG", "zh_SG.UTF-8"}}, "zh_CN"},
      {"zh-Hans", "", {}, "zh_CN"},
      {"", "", {{"LANG", "zh_TW.UTF-8"}}, "zh_TW"},
      {"", "", {{"LANG", "zh_HK.UTF-8"}}, "zh_TW"},
      {"", "", {{"LANG", "zh_MO"}}, "zh_TW"},
      {"zh-Hant-HK", "", {}, "zh_TW"},
      {"", "", {{"LANG", "zh"}}, "zh_CN"},
      {"", "", {{"LANG", "pt_PT.UTF-8"}}, "pt_BR"},
      {"pt", "", {}, "pt_BR"},
  };
  for (const Choice& row : table) {
    const auto variable = [&row](const char* name) -> const char* {
      const auto found = row.Environment.find(name);
      return found == row.Environment.end() ? nullptr : found->second.c_str();
    };
    const LanguageSources sources{row.Override, row.Saved, LanguagesOfEnvironment(variable)};
    std::string environment;
    for (const auto& [name, value] : row.Environment)
      environment.append(name).append("=").append(value).append(" ");
    EXPECT_EQ(ChooseLanguage(sources, InPack), row.Expected)
        << "MARBLIX_LANGUAGE=" << row.Override << " saved=" << row.Saved << " " << environment;
  }
}

TEST(LanguageChoice, ThePacksLanguagesAreItsFoldersAfterEnglish) {
  testing::TScopedWorkingDirectory dir;
  EXPECT_EQ(PackLanguages(), std::vector<std::string>{"en"});
  for (const char* folder : {"zh_TW", "de", "pt_BR", "en", ".hidden"})
    std::filesystem::create_directories(std::filesystem::path("lang") / folder);
  std::ofstream file(std::filesystem::path("lang") / "README");  // a file: no language
  EXPECT_EQ(PackLanguages(), (std::vector<std::string>{"en", "de", "pt_BR", "zh_TW"}));
  EXPECT_EQ(LanguageFolder("pt_BR"), "lang/pt_BR/");
  EXPECT_EQ(LanguageFolder("en"), "");
}

}  // namespace
}  // namespace marblix
