// The settings store on Linux: first start creates Fullscreen as true; names match without regard
// to case; the chosen language is kept beside it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/system/settings_store.h"
#include "support/TempDir.h"

namespace marblix {
namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    if (old) oldValue_ = old;
    hadOld_ = old != nullptr;
    ::setenv("XDG_CONFIG_HOME", dir_.path().c_str(), 1);
  }
  void TearDown() override {
    if (hadOld_) {
      ::setenv("XDG_CONFIG_HOME", oldValue_.c_str(), 1);
    } else {
      ::unsetenv("XDG_CONFIG_HOME");
    }
  }
  std::filesystem::path File() const { return dir_.path() / "Quorvane" / "Marblix" / "settings"; }
  testing::TScopedWorkingDirectory dir_;
  std::string oldValue_;
  bool hadOld_ = false;
};

TEST_F(SettingsStoreTest, FirstStartCreatesTheValueAsTrue) {
  EXPECT_FALSE(std::filesystem::exists(File()));
  EXPECT_TRUE(ReadFullscreenSetting());
  SettingsStore store("Quorvane", "Marblix");
  EXPECT_EQ(store.ReadInteger("Fullscreen"), 1);
}

TEST_F(SettingsStoreTest, WrittenValueSurvivesAndIsFoundInAnyCase) {
  WriteFullscreenSetting(false);
  EXPECT_FALSE(ReadFullscreenSetting());
  { std::ofstream(File()) << "FULLSCREEN=7\n"; }
  EXPECT_TRUE(ReadFullscreenSetting());
  WriteFullscreenSetting(false);
  SettingsStore store("Quorvane", "Marblix");
  EXPECT_EQ(store.ReadInteger("fullscreen"), 0);
  std::ifstream in(File());
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "FULLSCREEN=0\n");  // one value, its stored name kept
}

TEST_F(SettingsStoreTest, TheChosenLanguageIsKeptBesideFullscreen) {
  EXPECT_EQ(ReadLanguageSetting(), "");  // none chosen: the system's
  WriteFullscreenSetting(false);
  WriteLanguageSetting("ru");
  WriteLanguageSetting("pt_BR");
  EXPECT_EQ(ReadLanguageSetting(), "pt_BR");
  EXPECT_FALSE(ReadFullscreenSetting());
  std::ifstream in(File());
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "Fullscreen=0\nLanguage=pt_BR\n");
}

}  // namespace
}  // namespace marblix
