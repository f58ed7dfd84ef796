// The start-up trace: line format, recreation at each start, and errors when the file is unusable.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "assets/qz_logs.h"
#include "support/TempDir.h"

namespace marblix {
namespace {

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class LogTest : public ::testing::Test {
 protected:
  testing::TScopedWorkingDirectory dir_;
};

TEST_F(LogTest, StartLineEmptyLineThenOneLinePerMessageInCrLf) {
  StartLog();
  LogMessage("Initializing Direct3D Device...");
  LogMessage("...Ok");
  const std::string text = ReadAll(LogFileName);
  const std::regex layout(
      "\\d\\d:\\d\\d:\\d\\d -=- Program started\r\n"
      "\r\n"
      "\\d\\d:\\d\\d:\\d\\d -=- Initializing Direct3D Device\\.\\.\\.\r\n"
      "\\d\\d:\\d\\d:\\d\\d -=- \\.\\.\\.Ok\r\n");
  EXPECT_TRUE(std::regex_match(text, layout)) << text;
}

TEST_F(LogTest, EveryStartReplacesTheOldLog) {
  StartLog();
  LogMessage("first run");
  StartLog();
  LogMessage("second run");
  const std::string text = ReadAll(LogFileName);
  EXPECT_EQ(text.find("first run"), std::string::npos);
  EXPECT_NE(text.find("second run"), std::string::npos);
}

TEST_F(LogTest, MessageBeforeStartAppendsToAnOldFileOrRaises) {
  EXPECT_THROW(LogMessage("nobody started the log"), LogError);
  EXPECT_FALSE(std::filesystem::exists(LogFileName));
  { std::ofstream(LogFileName, std::ios::binary) << "old\r\n"; }
  LogMessage("appended");
  const std::string text = ReadAll(LogFileName);
  EXPECT_EQ(text.rfind("old\r\n", 0), 0u);
  EXPECT_NE(text.find(" -=- appended\r\n"), std::string::npos);
}

TEST_F(LogTest, UnwritableLogRaises) {
  std::filesystem::create_directory(LogFileName);  // a folder where the file should be
  EXPECT_THROW(StartLog(), LogError);
  EXPECT_THROW(LogMessage("x"), LogError);
}

}  // namespace
}  // namespace marblix
