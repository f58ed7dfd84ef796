// Reading and writing pictures: TGA row order, packets, refusals, round trips, BMP, JPEG,
// placeholder.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "graphics/TGAReader.h"
#include "support/TempDir.h"

namespace marblix {
namespace {

namespace fs = std::filesystem;

class PictureFiles : public ::testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return Folder.File(name); }

  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    WriteWholeFile(PathOf(name), bytes);
    return PathOf(name);
  }

  static std::vector<uint8_t> Header(uint8_t type, int w, int h, uint8_t bits, uint8_t desc,
                                     uint8_t colorMap = 0, uint8_t idLength = 0) {
    return TgaHeaderBytes({idLength, colorMap, type, w, h, bits, desc});
  }

  testing::TTempDir Folder{"marblix_tga"};
};

std::vector<uint8_t> operator+(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(PictureFiles, BottomFirstRowsAreTurnedOver) {
  // File rows A (blue) then B (red), bottom first: the top row shows B.
  const auto file = Header(2, 2, 2, 24, 0) + std::vector<uint8_t>{255, 0, 0,   255, 0, 0,  // A
                                                                  0,   0, 255, 0,   0, 255};
  TBitmapEx bmp;
  bmp.LoadFromFile(Write("rows.tga", file));
  ASSERT_EQ(bmp.Width(), 2);
  EXPECT_EQ(bmp.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(bmp.Pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(bmp.Pixel(1, 1), 0xFF0000FFu);

  const auto topFirst = Header(2, 2, 2, 24, 0x20, 0, 3) + std::vector<uint8_t>{9, 9, 9} +
                        std::vector<uint8_t>{255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255};
  bmp.LoadFromFile(Write("TOP.TGA", topFirst));
  EXPECT_EQ(bmp.Pixel(0, 0), 0xFF0000FFu) << "image ID skipped, first row on top";
}

TEST_F(PictureFiles, RunLengthPacketsCrossRows) {
  // 3 x 2, 32-bit: a run of four and a literal pair.
  const auto file = Header(10, 3, 2, 32, 0x20) +
                    std::vector<uint8_t>{0x83, 1, 2, 3, 4, 0x01, 10, 11, 12, 13, 20, 21, 22, 23};
  TBitmapEx bmp;
  bmp.LoadFromFile(Write("rle.tga", file));
  EXPECT_EQ(bmp.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(bmp.Pixel(2, 0), 0x04030201u);
  EXPECT_EQ(bmp.Pixel(0, 1), 0x04030201u);
  EXPECT_EQ(bmp.Pixel(1, 1), 0x0D0C0B0Au);
  EXPECT_EQ(bmp.Pixel(2, 1), 0x17161514u);
}

void ExpectRefused(TBitmapEx& bmp, const std::string& path, const std::string& message) {
  try {
    bmp.LoadFromFile(path);
    ADD_FAILURE() << "accepted " << path;
  } catch (const EPictureError& e) {
    EXPECT_EQ(std::string(e.what()), message);
  }
}

TEST_F(PictureFiles, MalformedHeadersAreRefusedInOrderAndLeaveThePicture) {
  TBitmapEx bmp;
  bmp.LoadFromFile(Write("ok.tga", Header(2, 1, 1, 24, 0) + std::vector<uint8_t>{7, 8, 9}));
  const std::vector<uint8_t> pixel{1, 2, 3, 4};
  ExpectRefused(bmp, Write("grey.tga", Header(3, 1, 1, 32, 0, 1) + pixel),
                "TGA graphics is not in True-Color");
  ExpectRefused(bmp, Write("mapped.tga", Header(1, 1, 1, 32, 0, 1) + pixel),
                "TGA graphics is not in True-Color");
  ExpectRefused(bmp, Write("map2.tga", Header(2, 1, 1, 32, 0, 1) + pixel),
                "Color-mapped TGA is not supported");
  ExpectRefused(bmp, Write("16.tga", Header(2, 1, 1, 16, 0) + pixel), "Invalid TGA Bit-depth!");
  ExpectRefused(bmp, Write("mirror.tga", Header(2, 1, 1, 32, 0x10) + pixel),
                "Mirrored TGA is not supported!");
  // A packet of 128 pixels into a 2-pixel picture must not write past the buffer.
  ExpectRefused(bmp,
                Write("over.tga", Header(10, 2, 1, 24, 0) + std::vector<uint8_t>{0xFF, 1, 2, 3}),
                "TGA run-length packet overruns the picture in \"" + PathOf("over.tga") + "\"");
  EXPECT_EQ(bmp.Width(), 1);
  EXPECT_EQ(bmp.Pixel(0, 0), 0xFF090807u);
}

TEST_F(PictureFiles, TruncatedOrOversizedFilesRaiseIoErrors) {
  TBitmapEx bmp;
  EXPECT_THROW(bmp.LoadFromFile(Write("short.tga", {0, 0, 2, 0})), EInOutError);
  // Claims 65535 x 65535 pixels with a few bytes of data.
  EXPECT_THROW(bmp.LoadFromFile(Write(
                   "huge.tga", Header(2, 65535, 65535, 32, 0) + std::vector<uint8_t>{1, 2, 3, 4})),
               EInOutError);
  EXPECT_THROW(bmp.LoadFromFile(Write("hugerle.tga", Header(10, 65535, 65535, 32, 0) +
                                                         std::vector<uint8_t>{0xFF, 1, 2, 3, 4})),
               EInOutError);
  EXPECT_THROW(
      bmp.LoadFromFile(Write("cut.tga", Header(2, 2, 2, 24, 0) + std::vector<uint8_t>{1, 2, 3})),
      EInOutError);
  EXPECT_THROW(bmp.LoadFromFile(Write(
                   "cutrle.tga", Header(10, 4, 1, 24, 0) + std::vector<uint8_t>{0x03, 1, 2, 3})),
               EInOutError);
  EXPECT_EQ(bmp.Width(), 0);
}

TBitmapEx TestPicture(TPixelFormat format, int w, int h) {
  TBitmapEx bmp;
  bmp.SetPixelFormat(format);
  bmp.SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      bmp.SetPixel(x, y,
                   (x < w / 2 ? 0x80u : 0xFFu) << 24 | uint32_t(x * 7) << 16 | y * 13u << 8 |
                       ((x / 3) % 2 ? 0x11u : 0xEEu));
  return bmp;
}

void ExpectSamePixels(const TBitmap& a, const TBitmap& b) {
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  ASSERT_EQ(a.PixelFormat(), b.PixelFormat());
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) ASSERT_EQ(a.Pixel(x, y), b.Pixel(x, y)) << x << "," << y;
}

TEST_F(PictureFiles, WholeFilesReadBackByteForByte) {
  // Every byte value, over several read blocks and a partial last one; and an empty file.
  std::vector<uint8_t> bytes(3 * 65536 + 17);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i * 7 + i / 256);
  EXPECT_EQ(ReadWholeFile(Write("long.bin", bytes)), bytes);
  EXPECT_TRUE(ReadWholeFile(Write("empty.bin", {})).empty());
  EXPECT_THROW(ReadWholeFile(PathOf("missing.bin")), EInOutError);
}

TEST_F(PictureFiles, SavedPicturesLoadBackUnchanged) {
  for (bool runLength : {false, true}) {
    for (TPixelFormat format : {TPixelFormat::pf32bit, TPixelFormat::pf24bit}) {
      TBitmapEx saved = TestPicture(format, 300, 5);
      saved.TgaRunLength = runLength;
      saved.SaveToFile(PathOf("round.tga"));
      TBitmapEx loaded;
      loaded.LoadFromFile(PathOf("round.tga"));
      ExpectSamePixels(saved, loaded);
    }
  }
  const auto file = ReadWholeFile(PathOf("round.tga"));
  EXPECT_EQ(file[2], 10);
  EXPECT_EQ(file[17], 0x20);
  TBitmapEx plain = TestPicture(TPixelFormat::pf32bit, 3, 2);
  plain.SaveToFile(PathOf("plain.TGA"));
  EXPECT_EQ(ReadWholeFile(PathOf("plain.TGA")).size(), 18u + 3 * 2 * 4);

  for (TPixelFormat format : {TPixelFormat::pf32bit, TPixelFormat::pf24bit}) {
    TBitmapEx saved = TestPicture(format, 7, 3);
    saved.SaveToFile(PathOf("round.bmp"));
    TBitmapEx loaded;
    loaded.LoadFromFile(PathOf("round.bmp"));
    ExpectSamePixels(saved, loaded);
  }
}

TEST_F(PictureFiles, EightBitPictureIsNotWrittenAsTga) {
  TBitmapEx bmp;
  bmp.SetPixelFormat(TPixelFormat::pf8bit);
  bmp.SetSize(2, 2);
  EXPECT_THROW(
      {
        try {
          bmp.SaveToFile(PathOf("eight.tga"));
        } catch (const EPictureError& e) {
          EXPECT_STREQ(e.what(), "Invalid pixel format!");
          throw;
        }
      },
      EPictureError);
  EXPECT_FALSE(fs::exists(PathOf("eight.tga")));
}

TEST_F(PictureFiles, MissingFileGivesThePlaceholder) {
  TBitmapEx bmp;
  EXPECT_NO_THROW(bmp.LoadFromFile(PathOf("nothing.tga")));
  EXPECT_EQ(bmp.Width(), 64);
  EXPECT_EQ(bmp.Height(), 64);
  EXPECT_EQ(bmp.PixelFormat(), TPixelFormat::pf32bit);
  int orange = 0, black = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      orange += bmp.Pixel(x, y) == 0xFFFFAE00u;
      black += bmp.Pixel(x, y) == 0xFF000000u;
    }
  EXPECT_GT(orange, 400);
  EXPECT_GT(black, 400);
  EXPECT_EQ(bmp.Pixel(5, 25), 0xFF000000u) << "the N's first stroke";
  EXPECT_EQ(bmp.Pixel(6, 25), 0xFFFFAE00u) << "text on orange";
}

void WriteJpeg(const std::string& path, int w, int h, uint8_t r, uint8_t g, uint8_t b) {
  TBitmap picture;
  picture.SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) picture.SetPixel(x, y, 0xFF000000u | r << 16 | g << 8 | b);
  WriteWholeFile(path, EncodeJpeg(picture, 100));
}

TEST_F(PictureFiles, JpegTakesOnlyTheJpgExtension) {
  WriteJpeg(PathOf("sky.JPG"), 20, 10, 40, 120, 200);
  TBitmapEx bmp;
  bmp.LoadFromFile(PathOf("sky.JPG"));
  ASSERT_EQ(bmp.Width(), 20);
  EXPECT_EQ(bmp.Height(), 10);
  EXPECT_EQ(bmp.PixelFormat(), TPixelFormat::pf24bit);
  const uint32_t p = bmp.Pixel(10, 5);
  EXPECT_NEAR(int((p >> 16) & 0xFF), 40, 3);
  EXPECT_NEAR(int((p >> 8) & 0xFF), 120, 3);
  EXPECT_NEAR(int(p & 0xFF), 200, 3);

  fs::copy_file(PathOf("sky.JPG"), PathOf("sky.jpeg"));
  EXPECT_THROW(bmp.LoadFromFile(PathOf("sky.jpeg")), EPictureError) << "goes to the BMP reader";
  EXPECT_EQ(bmp.Width(), 20);
}

TEST_F(PictureFiles, UndecodableFilesNameTheFile) {
  TBitmapEx bmp;
  for (const char* name : {"bad.jpg", "bad.bmp"}) {
    const std::string path = Write(name, {0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3, 'B', 'M', 0});
    try {
      bmp.LoadFromFile(path);
      ADD_FAILURE() << name << " accepted";
    } catch (const EPictureError& e) {
      EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(bmp.Width(), 0);
}

TEST_F(PictureFiles, BackslashPathsAreFound) {
  TestPicture(TPixelFormat::pf32bit, 2, 2).SaveToFile(PathOf("slash.tga"));
  const std::string cwd = fs::current_path().string();
  fs::current_path(Folder.Path);
  TBitmapEx bmp;
  bmp.LoadFromFile(".\\slash.tga");
  fs::current_path(cwd);
  EXPECT_EQ(bmp.Width(), 2);
}

}  // namespace
}  // namespace marblix
