// Whole files by path: a replacement over an existing file (which a plain rename refuses on
// Windows), in a folder whose name is not plain ASCII, read back; a missing file told from one
// that cannot be read.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/system/file_io.h"
#include "support/TempDir.h"

namespace marblix {
namespace {

namespace fs = std::filesystem;

TEST(FileIo, ReplacesAnExistingFileInAFolderNamedOutsideAscii) {
  const testing::TTempDir temp("marblix-files");
  const fs::path folder = temp.Path / fs::path(u8"José Ωmega");
  fs::create_directories(folder);
  const fs::path file = folder / "Config.bin";
  std::string error;
  for (uint8_t round = 1; round <= 3; ++round) {
    const std::vector<uint8_t> bytes(1450, round);
    ASSERT_TRUE(ReplaceFile(file, bytes, error)) << error;
    std::vector<uint8_t> read;
    ASSERT_EQ(ReadExistingFile(file, read, error), FileReading::Read) << error;
    EXPECT_EQ(read, bytes);
  }
  EXPECT_FALSE(fs::exists(folder / "Config.bin.tmp"));
  EXPECT_NE(PathText(file).find("Jos\xC3\xA9 \xCE\xA9mega"), std::string::npos);

  std::vector<uint8_t> read;
  EXPECT_EQ(ReadExistingFile(folder / "missing.bin", read, error), FileReading::Missing);
  fs::create_directory(folder / "folder.bin");
  error.clear();
  EXPECT_EQ(ReadExistingFile(folder / "folder.bin", read, error), FileReading::Unreadable);
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace marblix
