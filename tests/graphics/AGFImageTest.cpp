// Images: pattern layout, texture coordinates, refusals, auto size, texel contents per format.
#include <filesystem>

#include "GraphicsFixture.h"
#include "graphics/PDrawEx.h"
#include "support/TempDir.h"

namespace marblix {
namespace {

using testing::Gradient;
using testing::RecordingDeviceTest;

class Images : public RecordingDeviceTest {
 protected:
  void SetUp() override {
    RecordingDeviceTest::SetUp();
    Open();
  }
  TVertex Corner[4];
  PDirect3DTexture8 Texture;
  TRecordingTexture* Recorded(const TAGFImage& image, int index) {
    return static_cast<TRecordingTexture*>(image.Textures[index].get());
  }
};

TEST_F(Images, FiveCellsInOneStripTexture) {
  auto image = Image(256, 64, 51, 51, 256, 64);
  EXPECT_EQ(image->PatternCount, 5);
  EXPECT_EQ(image->PatternsPerTexture, 5);
  ASSERT_EQ(image->Textures.size(), 1u);
  ASSERT_TRUE(image->SelectPattern(4, false, false, Corner, &Texture));
  EXPECT_FLOAT_EQ(Corner[0].u, 204.0f / 256);
  EXPECT_FLOAT_EQ(Corner[3].u, 255.0f / 256);
  EXPECT_FLOAT_EQ(Corner[0].v, 0.0f);
  EXPECT_FLOAT_EQ(Corner[3].v, 51.0f / 64);
  // Pattern 4's first texel is picture pixel (204, 0).
  EXPECT_EQ(Recorded(*image, 0)->Texel(204, 0), 0xFF000000u | 204u << 8);
  EXPECT_EQ(Recorded(*image, 0)->Texel(254, 50), 0xFF000000u | 254u << 8 | 50u);
  EXPECT_EQ(Recording->CountOf("LockRect"), 1);
  EXPECT_EQ(Recording->Named("CreateTexture")[0]->Args,
            (std::vector<int64_t>{256, 64, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED}));
}

TEST_F(Images, QuartersOfABackgroundInFourTextures) {
  auto image = Image(800, 600, 400, 300, 512, 512);
  EXPECT_EQ(image->PatternCount, 4);
  ASSERT_EQ(image->Textures.size(), 4u);
  ASSERT_TRUE(image->SelectPattern(3, false, false, Corner, &Texture));
  EXPECT_EQ(Texture, image->Textures[3]);
  EXPECT_FLOAT_EQ(Corner[3].u, 400.0f / 512);
  EXPECT_FLOAT_EQ(Corner[3].v, 300.0f / 512);
  // The bottom-right quarter: texel (0, 0) is picture pixel (400, 300).
  EXPECT_EQ(Recorded(*image, 3)->Texel(0, 0), 0xFF000000u | (400u & 0xFF) << 8 | (300u & 0xFF));
}

TEST_F(Images, RefusedSizesAndFormats) {
  TAGFImage none;
  EXPECT_EQ(none.LoadPatternsFromBitmap(Graph->D3DDevice8(), Gradient(130, 60), 64, 64, 128, 128,
                                        D3DFMT_A8R8G8B8),
            -3)
      << "no complete pattern";
  EXPECT_EQ(none.LoadPatternsFromBitmap(Graph->D3DDevice8(), Gradient(300, 300), 200, 200, 128, 128,
                                        D3DFMT_A8R8G8B8),
            -3);
  EXPECT_EQ(none.LoadPatternsFromBitmap(Graph->D3DDevice8(), Gradient(8, 8), 8, 8, 8, 8, D3DFMT_A8),
            -2);
  EXPECT_FALSE(none.Loaded);
  EXPECT_EQ(Recording->CountOf("CreateTexture"), 0);
  Recording->Fail("CreateTexture", E_FAIL, 1, 1);
  EXPECT_EQ(none.LoadPatternsFromBitmap(Graph->D3DDevice8(), Gradient(800, 600), 400, 300, 512, 512,
                                        D3DFMT_A8R8G8B8),
            -4);
  EXPECT_EQ(Recording->TexturesAlive, 0);
  EXPECT_EQ(none.ReleaseTextures(), -1);
  D3DLOCKED_RECT locked;
  EXPECT_EQ(none.LockTexture(0, locked), -3);

  auto image = Image(64, 32, 64, 32, 64, 32);
  EXPECT_EQ(image->LoadPatternsFromBitmap(Graph->D3DDevice8(), Gradient(8, 8), 8, 8, 8, 8,
                                          D3DFMT_A8R8G8B8),
            -4);
  EXPECT_EQ(image->PatternWidth, 64) << "first load intact";
  EXPECT_EQ(image->LockTexture(1, locked), -3);
  Recording->Fail("LockRect");
  EXPECT_EQ(image->LockTexture(0, locked), -1);
  EXPECT_EQ(image->ReleaseTextures(), 0);
  EXPECT_EQ(Recording->TexturesAlive, 0);
}

TEST_F(Images, LockFailureKeepsTheTexturesMade) {
  Recording->Fail("UnlockRect");
  TAGFImage image;
  EXPECT_EQ(image.LoadPatternsFromBitmap(Graph->D3DDevice8(), Gradient(64, 64), 32, 32, 64, 64,
                                         D3DFMT_A8R8G8B8),
            -1);
  EXPECT_TRUE(image.Loaded);
}

TEST_F(Images, AutoSizeAndFilesThroughTheReader) {
  const testing::TTempDir folder("marblix_agf");
  const std::filesystem::path& dir = folder.Path;
  TBitmapEx picture;
  static_cast<TBitmap&>(picture) = Gradient(100, 125);
  picture.SaveToFile((dir / "status.tga").string());
  TAGFImage image;
  ASSERT_EQ(image.LoadAutoSize(Graph->D3DDevice8(), (dir / "status.tga").string(), 21), 0);
  EXPECT_EQ(image.TextureWidth, 128);
  EXPECT_EQ(image.TextureHeight, 128);
  EXPECT_EQ(image.PatternCount, 1);
  ASSERT_TRUE(image.SelectPattern(0, false, false, Corner, &Texture));
  EXPECT_FLOAT_EQ(Corner[3].u, 100.0f / 128);
  EXPECT_FLOAT_EQ(Corner[3].v, 125.0f / 128);
  EXPECT_EQ(Recorded(image, 0)->Texel(99, 124), 0xFF000000u | 99u << 8 | 124u);

  TAGFImage missing;
  ASSERT_EQ(
      missing.LoadPatterns(Graph->D3DDevice8(), (dir / "none.tga").string(), 0, 0, 64, 64, 21), 0);
  EXPECT_EQ(missing.PatternWidth, 64) << "the placeholder";
  EXPECT_EQ(
      missing.LoadPatterns(Graph->D3DDevice8(), (dir / "none.tga").string(), 0, 0, 64, 64, 21), -4);
  EXPECT_EQ(NextPowerOfTwo(1), 1);
  EXPECT_EQ(NextPowerOfTwo(100), 128);
  EXPECT_EQ(NextPowerOfTwo(128), 128);
  EXPECT_EQ(NextPowerOfTwo(129), 256);
}

TEST_F(Images, MirrorAndFlipExchangeCoordinates) {
  auto image = Image(128, 64, 64, 64, 128, 64);
  ASSERT_TRUE(image->SelectPattern(1, true, true, Corner, &Texture));
  // The top-left corner shows the pattern's bottom-right texel.
  EXPECT_FLOAT_EQ(Corner[0].u, 1.0f);
  EXPECT_FLOAT_EQ(Corner[0].v, 1.0f);
  EXPECT_FLOAT_EQ(Corner[3].u, 0.5f);
  EXPECT_FLOAT_EQ(Corner[3].v, 0.0f);
  ASSERT_TRUE(image->SelectPattern(1, true, false, Corner, &Texture));
  EXPECT_FLOAT_EQ(Corner[1].u, 0.5f);
  EXPECT_FLOAT_EQ(Corner[1].v, 0.0f);
  TAGFImage empty;
  EXPECT_FALSE(empty.SelectPattern(0, false, false, Corner, &Texture));
  EXPECT_EQ(Texture, nullptr);
}

TEST_F(Images, EveryFormatConvertsItsRows) {
  TBitmap picture;
  picture.SetPixelFormat(TPixelFormat::pf32bit);
  picture.SetSize(2, 1);
  picture.SetPixel(0, 0, 0x80FF8040u);  // alpha 0x80, red 0xFF, green 0x80, blue 0x40
  picture.SetPixel(1, 0, 0x10204060u);
  const std::vector<std::pair<int, uint32_t>> expected{
      {D3DFMT_A8R8G8B8, 0x80FF8040u}, {D3DFMT_X8R8G8B8, 0xFFFF8040u}, {D3DFMT_R5G6B5, 0xFC08u},
      {D3DFMT_X1R5G5B5, 0xFE08u},     {D3DFMT_A1R5G5B5, 0xFE08u},     {D3DFMT_A4R4G4B4, 0x8F84u},
      {D3DFMT_R3G3B2, 0xF1u},         {D3DFMT_A8R3G3B2, 0x80F1u},     {D3DFMT_X4R4G4B4, 0xFF84u}};
  for (const auto& [format, texel] : expected) {
    TAGFImage image;
    ASSERT_EQ(image.LoadPatternsFromBitmap(Graph->D3DDevice8(), picture, 2, 1, 2, 1, format), 0);
    EXPECT_EQ(Recorded(image, 0)->Texel(0, 0), texel) << "format " << format;
  }
  TAGFImage low;
  ASSERT_EQ(low.LoadPatternsFromBitmap(Graph->D3DDevice8(), picture, 2, 1, 2, 1, D3DFMT_A1R5G5B5),
            0);
  EXPECT_EQ(Recorded(low, 0)->Texel(1, 0) >> 15, 0u) << "alpha 0x10 drops to 0";
}

}  // namespace
}  // namespace marblix
