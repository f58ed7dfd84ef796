// Pictures the fuzzers found troublesome: each loads safely or is refused with a picture error.
#include <gtest/gtest.h>

#include <filesystem>

#include "graphics/TGAReader.h"

namespace marblix {
namespace {

namespace fs = std::filesystem;

class PictureFuzzRegression : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() /
          ("marblix_fuzzreg_" + std::to_string(::getpid()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(Dir);
  }
  void TearDown() override { fs::remove_all(Dir); }

  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    WriteWholeFile((Dir / name).string(), bytes);
    return (Dir / name).string();
  }

  fs::path Dir;
};

// An uncompressed TGA of width and height 0 copied its (absent) pixels from a null buffer.
TEST_F(PictureFuzzRegression, TgaWithoutPixelsLoadsAsAnEmptyPicture) {
  std::vector<uint8_t> header(18, 0);
  header[2] = 2;      // true colour, uncompressed
  header[16] = 32;    // bits
  header[17] = 0x20;  // top first
  for (const char* name : {"empty.tga", "empty_rle.tga"}) {
    if (name[6] == 'r') header[2] = 10;
    TBitmapEx picture;
    picture.SetSize(3, 3);
    ASSERT_NO_THROW(picture.LoadFromFile(Write(name, header))) << name;
    EXPECT_EQ(picture.Width(), 0) << name;
    EXPECT_EQ(picture.Height(), 0) << name;
  }
  header[2] = 2;
  header[12] = 5;  // five pixels wide, no rows
  TBitmapEx flat;
  ASSERT_NO_THROW(flat.LoadFromFile(Write("flat.tga", header)));
  EXPECT_EQ(flat.Width(), 5);
  EXPECT_EQ(flat.Height(), 0);
}

}  // namespace
}  // namespace marblix
