// A Config.bin that exists but cannot be read is never written over: defaults, the reason logged,
// and the run's scores beside it in Config.bin.new. Linux only: the file is made unreadable with
// POSIX permissions.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "shell/game_shell.h"
#include "shell/high_scores.h"
#include "shell/recording_ports.h"
#include "support/TempDir.h"

namespace marblix {
namespace {

namespace fs = std::filesystem;

class UnreadableConfig : public ::testing::Test {
 protected:
  void SetUp() override {
    values.ScreenState = MenuScreen;
    values.GameMode = ModeNormal;
  }
  bool Logged(const std::string& part) const {
    for (const std::string& call : ports.calls) {
      if (call.rfind("Log:", 0) == 0 && call.find(part) != std::string::npos) return true;
    }
    return false;
  }
  // Loads, plays to a score and quits through the exit question.
  void RunAndQuit() {
    shell.LoadConfig();
    values.Score = 70;
    values.ScreenState = DialogOpen | ExitDialog | GameScreen;
    shell.SaveConfig();
  }
  testing::TScopedWorkingDirectory dir;
  TShellValues values;
  test_support::RecordingPorts ports{values};
  GameShell shell{ports, values};
};

TEST_F(UnreadableConfig, AFolderOfThatNameIsKeptAndTheScoresGoToConfigBinNew) {
  fs::create_directory(ConfigFileName);
  std::ofstream(fs::path(ConfigFileName) / "kept") << "x";
  RunAndQuit();
  EXPECT_EQ(values.MusicVolume, 50) << "the defaults";
  EXPECT_TRUE(Logged("Cannot read \"Config.bin\": Is a directory"));
  EXPECT_TRUE(Logged("saved in \"Config.bin.new\""));
  ASSERT_TRUE(fs::is_directory(ConfigFileName));
  EXPECT_TRUE(fs::exists(fs::path(ConfigFileName) / "kept"));
  EXPECT_EQ(fs::file_size("Config.bin.new"), ConfigFileSize);
}

TEST_F(UnreadableConfig, AFileWithoutReadPermissionIsLeftByteForByte) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop root from reading";
  std::vector<uint8_t> stored(ConfigFileSize, 0x5A);
  std::ofstream(ConfigFileName, std::ios::binary)
      .write(reinterpret_cast<const char*>(stored.data()), std::streamsize(stored.size()));
  ::chmod(ConfigFileName, 0);
  RunAndQuit();
  EXPECT_TRUE(Logged("Permission denied"));
  ::chmod(ConfigFileName, 0600);
  std::vector<uint8_t> after;
  ASSERT_TRUE(ReadWholeFile(ConfigFileName, after));
  EXPECT_EQ(after, stored);
  EXPECT_TRUE(fs::exists("Config.bin.new"));
}

}  // namespace
}  // namespace marblix
