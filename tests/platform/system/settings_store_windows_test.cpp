// The setting in the registry under HKEY_CURRENT_USER: the first start creates Fullscreen as 1,
// a written value survives and is found in any case; the player's own value comes back after.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/system/settings_store.h"

namespace marblix {
namespace {

constexpr const wchar_t* Key = L"Software\\Quorvane\\Marblix";

std::optional<DWORD> StoredValue() {
  DWORD value = 0, size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, Key, L"Fullscreen", RRF_RT_REG_DWORD, nullptr, &value,
                   &size) != ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

class RegistrySetting : public ::testing::Test {
 protected:
  void SetUp() override {
    before_ = StoredValue();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, Key, L"Fullscreen");
  }
  void TearDown() override {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, Key, L"Fullscreen");
    if (before_) SettingsStore("Quorvane", "Marblix").WriteInteger("Fullscreen", long(*before_));
  }
  std::optional<DWORD> before_;
};

TEST_F(RegistrySetting, FirstStartCreatesTrueAndWrittenValuesSurviveInAnyCase) {
  EXPECT_FALSE(StoredValue());
  EXPECT_TRUE(ReadFullscreenSetting());
  EXPECT_EQ(StoredValue(), 1u);
  WriteFullscreenSetting(false);
  EXPECT_EQ(StoredValue(), 0u);
  EXPECT_FALSE(ReadFullscreenSetting());
  EXPECT_EQ(SettingsStore("Quorvane", "Marblix").ReadInteger("FULLSCREEN"), 0);
}

}  // namespace
}  // namespace marblix
