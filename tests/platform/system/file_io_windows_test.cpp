// Replacing Config.bin while another program (a virus scanner, a backup or sync tool) holds it
// open without sharing: a short hold is waited out; a hold that lasts fails with the system's
// reason and keeps the old file; neither leaves the temporary file behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <io.h>
#include <share.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <thread>
#include <vector>

#include "platform/system/file_io.h"
#include "support/TempDir.h"

namespace marblix {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The file opened with no sharing at all, as such tools open it.
int Hold(const fs::path& file) {
  int descriptor = -1;
  _wsopen_s(&descriptor, file.c_str(), _O_RDONLY | _O_BINARY, _SH_DENYRW, 0);
  return descriptor;
}

TEST(WindowsFileIo, AHeldFileIsReplacedOnceLetGoAndNeverLeavesItsTemporaryFile) {
  const testing::TTempDir temp("marblix-held");
  const fs::path file = temp.Path / "Config.bin", temporary = temp.Path / "Config.bin.tmp";
  std::string error;
  ASSERT_TRUE(ReplaceFile(file, std::vector<uint8_t>(1450, 1), error)) << error;
  for (const bool letGo : {false, true}) {
    const int holder = Hold(file);
    ASSERT_GE(holder, 0);
    auto replaced = std::async(std::launch::async, [&] {
      return ReplaceFile(file, std::vector<uint8_t>(1450, 2), error);
    });
    // Let go a moment after the replacement has written its temporary file and met the hold (on
    // a slow machine it may meet none; it tries again for two seconds).
    while (letGo && !fs::exists(temporary) && replaced.wait_for(0s) != std::future_status::ready)
      std::this_thread::sleep_for(1ms);
    if (letGo) std::this_thread::sleep_for(300ms);
    if (letGo) _close(holder);
    EXPECT_EQ(replaced.get(), letGo) << error;
    if (!letGo) _close(holder);
    std::vector<uint8_t> read;
    ASSERT_EQ(ReadExistingFile(file, read, error), FileReading::Read) << error;
    EXPECT_EQ(read, std::vector<uint8_t>(1450, letGo ? 2 : 1));
    EXPECT_FALSE(fs::exists(temporary));
  }
}

}  // namespace
}  // namespace marblix
