// Pictures the fuzzers found troublesome: each loads safely or is refused with a picture error.
#include <gtest/gtest.h>

#include <filesystem>

#include "graphics/TGAReader.h"
#include "support/TempDir.h"

namespace marblix {
namespace {

// A small JPEG through libjpeg, with the size in its frame header then changed to claim w x h.
std::vector<uint8_t> JpegClaiming(unsigned w, unsigned h) {
  TBitmap picture;
  picture.SetSize(16, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) picture.SetPixel(x, y, 0xFF808080u);
  std::vector<uint8_t> bytes = EncodeJpeg(picture, 75);
  for (size_t i = 0; i + 8 < bytes.size(); ++i) {
    if (bytes[i] != 0xFF || bytes[i + 1] != 0xC0) continue;  // start of the baseline frame
    bytes[i + 5] = uint8_t(h >> 8);
    bytes[i + 6] = uint8_t(h);
    bytes[i + 7] = uint8_t(w >> 8);
    bytes[i + 8] = uint8_t(w);
    break;
  }
  return bytes;
}

class PictureFuzzRegression : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    WriteWholeFile(Dir.File(name), bytes);
    return Dir.File(name);
  }

  testing::TTempDir Dir{"marblix_fuzzreg"};
};

// An uncompressed TGA of width and height 0 copied its (absent) pixels from a null buffer.
TEST_F(PictureFuzzRegression, TgaWithoutPixelsLoadsAsAnEmptyPicture) {
  std::vector<uint8_t> header = TgaHeaderBytes({.ImageType = 2, .BitsPerPixel = 32});
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

// A 600-byte JPEG claiming 20000 x 20000 pixels made the reader allocate 1.2 GB and decode
// for a minute; pictures larger than any texture are refused before decoding.
TEST_F(PictureFuzzRegression, JpegLargerThanAnyTextureIsRefusedBeforeDecoding) {
  TBitmapEx picture;
  EXPECT_THROW(picture.LoadFromFile(Write("huge.jpg", JpegClaiming(20000, 20000))), EPictureError);
  EXPECT_THROW(picture.LoadFromFile(Write("wide.jpg", JpegClaiming(4097, 8))), EPictureError);
  EXPECT_THROW(picture.LoadFromFile(Write("tall.jpg", JpegClaiming(16, 4097))), EPictureError);
  // The largest side a texture has still loads, its missing rows filled by the decoder.
  ASSERT_NO_THROW(picture.LoadFromFile(Write("edge.jpg", JpegClaiming(4096, 8))));
  EXPECT_EQ(picture.Width(), 4096);
  EXPECT_EQ(picture.Height(), 8);
}

}  // namespace
}  // namespace marblix
