// Replacing Config.bin while another program (a virus scanner, a backup or sync tool) holds it
// open without sharing: a short hold is waited out, a hold that lasts fails with the system's
// reason, keeps the old file and leaves no temporary file.
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

// The file opened with no sharing at all, as such tools open it, until Release.
class THeldFile {
 public:
  explicit THeldFile(const fs::path& file) {
    _wsopen_s(&descriptor_, file.c_str(), _O_RDONLY | _O_BINARY, _SH_DENYRW, 0);
  }
  ~THeldFile() { Release(); }
  THeldFile(const THeldFile&) = delete;
  THeldFile& operator=(const THeldFile&) = delete;
  bool Held() const { return descriptor_ >= 0; }
  void Release() {
    if (descriptor_ >= 0) _close(descriptor_);
    descriptor_ = -1;
  }

 private:
  int descriptor_ = -1;
};

TEST(WindowsFileIo, AHeldFileIsReplacedOnceLetGoAndNeverLeavesItsTemporaryFile) {
  const testing::TTempDir temp("marblix-held");
  const fs::path file = temp.Path / "Config.bin";
  const fs::path temporary = temp.Path / "Config.bin.tmp";
  const std::vector<uint8_t> old(1450, 1), kept(1450, 2), lost(1450, 3);
  std::string error;
  ASSERT_TRUE(ReplaceFile(file, old, error)) << error;

  // Held throughout: the replacement gives up with the system's reason.
  {
    THeldFile holder(file);
    ASSERT_TRUE(holder.Held());
    EXPECT_FALSE(ReplaceFile(file, lost, error));
    EXPECT_NE(error.find("Cannot replace"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(temporary));
  }
  std::vector<uint8_t> read;
  ASSERT_EQ(ReadExistingFile(file, read, error), FileReading::Read) << error;
  EXPECT_EQ(read, old);

  // Let go once the replacement has written its temporary file and met the hold.
  THeldFile holder(file);
  ASSERT_TRUE(holder.Held());
  auto replaced = std::async(std::launch::async, [&] {
    std::string reason;
    return ReplaceFile(file, kept, reason);
  });
  while (!fs::exists(temporary) && replaced.wait_for(0s) != std::future_status::ready) {
    std::this_thread::sleep_for(1ms);
  }
  holder.Release();
  EXPECT_TRUE(replaced.get());
  ASSERT_EQ(ReadExistingFile(file, read, error), FileReading::Read) << error;
  EXPECT_EQ(read, kept);
  EXPECT_FALSE(fs::exists(temporary));
}

}  // namespace
}  // namespace marblix
