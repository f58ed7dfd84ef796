// The OpenGL device read back pixel by pixel under the offscreen driver: texel-exact placement,
// every effect against its factors, every texture format, the clip, rotation, scaling.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <utility>

#include <epoxy/gl.h>

#include "graphics/PowerD3D.h"
#include "platform/video/Forms.h"
#include "platform/video/OpenGLDevice.h"
#include "support/Environment.h"

namespace marblix {
namespace {

struct TColor {
  int r, g, b, a;
};

TColor ColorOf(uint32_t argb) {
  return {int((argb >> 16) & 0xFF), int((argb >> 8) & 0xFF), int(argb & 0xFF), int(argb >> 24)};
}

class OpenGL : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    testing::UseHeadlessVideo();
    ASSERT_TRUE(InitVideo());
  }
  // Video stays up until the process ends, so the driver it loaded stays mapped for the leak check.

  void SetUp() override {
    ASSERT_TRUE(Form.Show());
    Graph = std::make_unique<TPowerGraph>(&Form, OpenGLDirect3DCreate());
    Graph->SetWidth(800);
    Graph->SetHeight(600);
    ASSERT_EQ(Graph->CreateDevice(), 0);
    White = LoadPicture(Solid(1, 1, 0xFFFFFFFFu), 1, 1, 1, 1);
    ASSERT_TRUE(Graph->BeginFrame());
  }
  void TearDown() override {
    Images.clear();
    Graph.reset();
  }

  static TBitmap Solid(int w, int h, uint32_t argb) {
    TBitmap picture;
    picture.SetPixelFormat(TPixelFormat::pf32bit);
    picture.SetSize(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) picture.SetPixel(x, y, argb);
    return picture;
  }
  TAGFImage* LoadPicture(const TBitmap& picture, int pw, int ph, int tw, int th,
                         int format = D3DFMT_A8R8G8B8) {
    auto image = std::make_unique<TAGFImage>();
    EXPECT_EQ(image->LoadPatternsFromBitmap(Graph->D3DDevice8(), picture, pw, ph, tw, th, format),
              0);
    Images.push_back(std::move(image));
    return Images.back().get();
  }
  // Fills a rectangle with an opaque colour (0xAARRGGBB).
  void Fill(int x, int y, int w, int h, uint32_t argb) {
    Graph->DrawQuadColor(White, x, y, x + w, y, x + w, y + h, x, y + h, SwapRedBlue(argb), 0,
                         blendOpaque);
  }
  TBitmap Frame() {
    EXPECT_TRUE(Graph->EndFrame());
    TBitmap frame;
    EXPECT_TRUE(ReadBackBuffer(Graph->D3DDevice8(), frame));
    EXPECT_TRUE(Graph->BeginFrame());
    return frame;
  }

  TApplication Application;
  TForm Form{Application};
  std::unique_ptr<TPowerGraph> Graph;
  std::vector<std::unique_ptr<TAGFImage>> Images;
  TAGFImage* White = nullptr;
};

void ExpectColor(const TBitmap& frame, int x, int y, TColor want, int tolerance,
                 const std::string& what) {
  const TColor got = ColorOf(frame.Pixel(x, y));
  EXPECT_LE(std::abs(got.r - want.r), tolerance) << what << " red " << got.r << " vs " << want.r;
  EXPECT_LE(std::abs(got.g - want.g), tolerance) << what << " green " << got.g << " vs " << want.g;
  EXPECT_LE(std::abs(got.b - want.b), tolerance) << what << " blue " << got.b << " vs " << want.b;
}

TEST_F(OpenGL, PatternsLandTexelForPixel) {
  // Two 16 x 16 patterns side by side, every texel different; linear filtering is on.
  TBitmap picture;
  picture.SetPixelFormat(TPixelFormat::pf32bit);
  picture.SetSize(32, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x)
      picture.SetPixel(x, y, 0xFF000000u | uint32_t(x * 8) << 16 | uint32_t(y * 16) << 8 | 0x55);
  TAGFImage* image = LoadPicture(picture, 16, 16, 64, 16);
  ASSERT_TRUE(Graph->Antialias());
  Fill(0, 0, 800, 600, 0xFF000000u);
  Graph->DrawImage(image, 10, 20, 1, blendOpaque);
  Graph->DrawImage(image, 799, 599, 0, blendOpaque);
  const TBitmap frame = Frame();
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      ASSERT_EQ(frame.Pixel(10 + x, 20 + y), picture.Pixel(16 + x, y)) << x << "," << y;
  EXPECT_EQ(frame.Pixel(9, 20), 0xFF000000u);
  EXPECT_EQ(frame.Pixel(26, 20), 0xFF000000u);
  EXPECT_EQ(frame.Pixel(10, 19), 0xFF000000u);
  EXPECT_EQ(frame.Pixel(10, 36), 0xFF000000u);
  EXPECT_EQ(frame.Pixel(799, 599), picture.Pixel(0, 0)) << "bottom-right pixel";
}

TEST_F(OpenGL, ScaledDrawsRepeatTexelsUnderPointFiltering) {
  Graph->SetAntialias(false);
  TBitmap picture = Solid(2, 2, 0xFF102030u);
  picture.SetPixel(1, 0, 0xFFF0E0D0u);
  TAGFImage* image = LoadPicture(picture, 2, 2, 2, 2);
  Graph->DrawImageScaled(image, 100, 100, 1024, 0xFFFFFFFFu, 0, blendOpaque);
  const TBitmap frame = Frame();
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      ASSERT_EQ(frame.Pixel(100 + x, 100 + y), picture.Pixel(x / 4, y / 4)) << x << "," << y;
}

TEST_F(OpenGL, LinearFilteringBlendsScaledDrawsAndKeepsUnscaledOnesExact) {
  // The same picture unscaled and four times as large, alone and together in one batch: the
  // unscaled draws show its texels exactly, the scaled ones blend between neighbouring texels.
  ASSERT_TRUE(Graph->Antialias());
  TBitmap picture = Solid(2, 1, 0xFF000000u);
  picture.SetPixel(1, 0, 0xFFFFFFFFu);
  TAGFImage* image = LoadPicture(picture, 2, 1, 2, 1);
  // Each frame is whole: it begins with an opaque background, as the game's frames do.
  Fill(0, 0, 800, 600, 0xFF000000u);
  Graph->DrawImage(image, 10, 10, 0, blendOpaque);
  const TBitmap unscaledAlone = Frame();
  Fill(0, 0, 800, 600, 0xFF000000u);
  Graph->DrawImageScaled(image, 10, 20, 1024, 0xFFFFFFFFu, 0, blendOpaque);
  const TBitmap scaledAlone = Frame();
  Fill(0, 0, 800, 600, 0xFF000000u);
  Graph->DrawImage(image, 10, 40, 0, blendOpaque);
  Graph->DrawImageScaled(image, 10, 50, 1024, 0xFFFFFFFFu, 0, blendOpaque);
  const TBitmap together = Frame();
  for (const auto& [frame, y] : {std::pair{&unscaledAlone, 10}, {&together, 40}}) {
    EXPECT_EQ(frame->Pixel(10, y), 0xFF000000u) << y;
    EXPECT_EQ(frame->Pixel(11, y), 0xFFFFFFFFu) << y;
  }
  for (const auto& [frame, y] : {std::pair{&scaledAlone, 20}, {&together, 50}}) {
    const int middle = int(frame->Pixel(13, y) & 0xFF), next = int(frame->Pixel(14, y) & 0xFF);
    EXPECT_GT(middle, 0x10) << y;
    EXPECT_LT(middle, 0xF0) << y;
    EXPECT_LT(middle, next) << y;
  }
}

// What the factor tables give for source s (alpha sa) over destination d, per channel.
int Blend(int effect, int s, int sa, int d) {
  const double S = s / 255.0, A = sa / 255.0, D = d / 255.0;
  double r = 0;
  switch (effect) {
    case 0:
      r = S;
      break;
    case 1:
      r = S + D;
      break;
    case 2:
    case 9:
      r = S * A + D * (1 - A);
      break;
    case 3:
      r = S * A + D;
      break;
    case 4:
      r = D * S;
      break;
    case 5:
      r = S * S + D * (1 - S);
      break;
    case 6:
      r = S * S + D;
      break;
    case 7:
      r = D * (1 - S);
      break;
    case 8:
      r = D * (1 - A);
      break;
  }
  return int(std::lround(std::clamp(r, 0.0, 1.0) * 255));
}

TEST_F(OpenGL, EveryEffectFollowsItsFactors) {
  const uint32_t destination = 0xFF4080C0u;
  const uint32_t sourceTexel = 0xA0C06020u;  // alpha 0xA0
  TAGFImage* source = LoadPicture(Solid(8, 8, sourceTexel), 8, 8, 8, 8);
  const TColor d = ColorOf(destination), s = ColorOf(sourceTexel);
  const std::vector<int> effects{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0x102, 0x203, 0x408};
  for (size_t i = 0; i < effects.size(); ++i) {
    Fill(int(i) * 10, 0, 8, 8, destination);
    // Tinted with half alpha: only 0x100 lets the tint's alpha through.
    Graph->DrawImageColor(source, int(i) * 10, 0, 0x80FFFFFFu, 0, effects[i]);
  }
  const TBitmap frame = Frame();
  for (size_t i = 0; i < effects.size(); ++i) {
    const int effect = effects[i] & 0xFF;
    const int alpha = (effects[i] & blendDiffuseAlpha) ? (s.a * 0x80 + 127) / 255 : s.a;
    const TColor want{Blend(effect, s.r, alpha, d.r), Blend(effect, s.g, alpha, d.g),
                      Blend(effect, s.b, alpha, d.b), 255};
    ExpectColor(frame, int(i) * 10 + 4, 4, want, 2, "effect " + std::to_string(effects[i]));
  }
}

TEST_F(OpenGL, EveryTextureFormatUploads) {
  const uint32_t texel = 0x9F3C7AE5u;  // alpha 0x9F, red 0x3C, green 0x7A, blue 0xE5
  struct TCase {
    int Format;
    int RedBits, GreenBits, BlueBits, AlphaBits;
  };
  const std::vector<TCase> cases{
      {D3DFMT_A8R8G8B8, 8, 8, 8, 8}, {D3DFMT_X8R8G8B8, 8, 8, 8, 0}, {D3DFMT_R5G6B5, 5, 6, 5, 0},
      {D3DFMT_X1R5G5B5, 5, 5, 5, 0}, {D3DFMT_A1R5G5B5, 5, 5, 5, 1}, {D3DFMT_A4R4G4B4, 4, 4, 4, 4},
      {D3DFMT_R3G3B2, 3, 3, 2, 0},   {D3DFMT_A8R3G3B2, 3, 3, 2, 8}, {D3DFMT_X4R4G4B4, 4, 4, 4, 0}};
  const auto reduce = [](int value, int bits) {
    if (bits == 0) return 255;
    const int max = (1 << bits) - 1;
    return ((value >> (8 - bits)) * 255 + max / 2) / max;
  };
  const TColor t = ColorOf(texel);
  for (size_t i = 0; i < cases.size(); ++i) {
    TAGFImage* image = LoadPicture(Solid(4, 4, texel), 4, 4, 4, 4, cases[i].Format);
    Graph->DrawImage(image, int(i) * 10, 100, 0, blendOpaque);
    Fill(int(i) * 10, 110, 4, 4, 0xFFFFFFFFu);
    Graph->DrawImage(image, int(i) * 10, 110, 0, blendAlpha);
  }
  const TBitmap frame = Frame();
  for (size_t i = 0; i < cases.size(); ++i) {
    const TCase& c = cases[i];
    const TColor want{reduce(t.r, c.RedBits), reduce(t.g, c.GreenBits), reduce(t.b, c.BlueBits),
                      c.AlphaBits ? reduce(t.a, c.AlphaBits) : 255};
    const std::string what = "format " + std::to_string(c.Format);
    ExpectColor(frame, int(i) * 10 + 1, 101, want, 1, what);
    const TColor over{Blend(2, want.r, want.a, 255), Blend(2, want.g, want.a, 255),
                      Blend(2, want.b, want.a, 255), 255};
    ExpectColor(frame, int(i) * 10 + 1, 111, over, 2, what + " over white");
  }
}

TEST_F(OpenGL, SixteenBitPicturesShowAlikeWithOrWithoutSixteenBitTextures) {
  // Every R5G6B5 value once, drawn from 16-bit textures and then from the 8-bit ones a driver
  // without them gets; the second load starts with an unrelated OpenGL error pending.
  TBitmap picture;
  picture.SetPixelFormat(TPixelFormat::pf32bit);
  picture.SetSize(256, 256);
  for (uint32_t v = 0; v < 65536; ++v)
    picture.SetPixel(int(v % 256), int(v / 256),
                     0xFF000000u | (v >> 11) << 19 | ((v >> 5) & 63) << 10 | (v & 31) << 3);
  std::vector<TBitmap> frames;
  for (const bool native : {true, false}) {
    Images.clear();
    Graph = std::make_unique<TPowerGraph>(&Form, OpenGLDirect3DCreate({.Rgb565Textures = native}));
    Graph->SetWidth(800);
    Graph->SetHeight(600);
    ASSERT_EQ(Graph->CreateDevice(), 0);
    glEnable(GLenum(0xFFFF));  // GL_INVALID_ENUM, left pending
    TAGFImage* image = LoadPicture(picture, 256, 256, 256, 256, D3DFMT_R5G6B5);
    ASSERT_TRUE(Graph->BeginFrame());
    Graph->DrawImage(image, 0, 0, 0, blendOpaque);
    frames.push_back(Frame());
  }
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x)
      ASSERT_EQ(frames[0].Pixel(x, y), frames[1].Pixel(x, y)) << x << "," << y;
}

TEST_F(OpenGL, DrawsBeyondOneVertexBufferAllLand) {
  // 12,000 one-pixel quads, each a draw of its own (two pictures take turns), hold more vertices
  // than one vertex buffer: the buffer starts afresh on the way and every quad still lands.
  TAGFImage* red = LoadPicture(Solid(1, 1, 0xFFFF0000u), 1, 1, 1, 1);
  Fill(0, 0, 800, 600, 0xFF000000u);
  constexpr int Quads = 12000, Row = 200;
  for (int frame = 0; frame < 2; ++frame) {
    for (int i = 0; i < Quads; ++i)
      Graph->DrawImage(i % 2 ? red : White, i % Row, i / Row, 0, blendOpaque);
    const TBitmap picture = Frame();
    for (int i = 0; i < Quads; ++i)
      ASSERT_EQ(picture.Pixel(i % Row, i / Row), i % 2 ? 0xFFFF0000u : 0xFFFFFFFFu)
          << "frame " << frame << " quad " << i;
    EXPECT_EQ(picture.Pixel(Row, 0), 0xFF000000u);
  }
}

TEST_F(OpenGL, TexturesLockAsZerosUntilFilledThenAsWritten) {
  for (int format : {D3DFMT_A8R8G8B8, D3DFMT_R5G6B5, D3DFMT_A8R3G3B2}) {
    PDirect3DTexture8 texture;
    ASSERT_EQ(Graph->D3DDevice8()->CreateTexture(8, 4, 1, 0, format, D3DPOOL_MANAGED, &texture),
              D3D_OK);
    D3DLOCKED_RECT locked;
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    auto* bits = static_cast<uint8_t*>(locked.pBits);
    const size_t size = size_t(locked.Pitch) * 4;
    EXPECT_TRUE(std::all_of(bits, bits + size, [](uint8_t b) { return b == 0; })) << format;
    for (size_t i = 0; i < size; ++i) bits[i] = uint8_t(i * 37 + 5);
    ASSERT_EQ(texture->UnlockRect(0), D3D_OK);
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    bits = static_cast<uint8_t*>(locked.pBits);
    for (size_t i = 0; i < size; ++i) ASSERT_EQ(bits[i], uint8_t(i * 37 + 5)) << format << " " << i;
    ASSERT_EQ(texture->UnlockRect(0), D3D_OK);
  }
}

TEST_F(OpenGL, ClipLimitsDrawing) {
  Fill(0, 0, 800, 600, 0xFF000000u);
  Graph->SetClipRectangle({100, 50, 150, 80});
  Fill(0, 0, 800, 600, 0xFFFF0000u);
  Graph->SetClipRectangle({0, 0, 800, 600});
  Fill(300, 300, 2, 2, 0xFF00FF00u);
  const TBitmap frame = Frame();
  EXPECT_EQ(frame.Pixel(100, 50), 0xFFFF0000u);
  EXPECT_EQ(frame.Pixel(149, 79), 0xFFFF0000u);
  EXPECT_EQ(frame.Pixel(99, 50), 0xFF000000u);
  EXPECT_EQ(frame.Pixel(150, 60), 0xFF000000u);
  EXPECT_EQ(frame.Pixel(120, 49), 0xFF000000u);
  EXPECT_EQ(frame.Pixel(120, 80), 0xFF000000u);
  EXPECT_EQ(frame.Pixel(301, 301), 0xFF00FF00u) << "clip restored";
}

TEST_F(OpenGL, RotatedSpriteTurnsClockwise) {
  // Left half red, right half blue; a quarter turn clockwise puts red on top.
  TBitmap picture = Solid(20, 20, 0xFFFF0000u);
  for (int y = 0; y < 20; ++y)
    for (int x = 10; x < 20; ++x) picture.SetPixel(x, y, 0xFF0000FFu);
  TAGFImage* image = LoadPicture(picture, 20, 20, 32, 32);
  Fill(0, 0, 800, 600, 0xFF000000u);
  Graph->DrawRotated(image, 200, 200, 128, 256, 0, blendOpaque);
  Graph->DrawRotated(image, 300, 200, 64, 256, 0, blendAlpha | blendMirror);
  const TBitmap frame = Frame();
  EXPECT_EQ(frame.Pixel(200, 192), 0xFFFF0000u);
  EXPECT_EQ(frame.Pixel(200, 207), 0xFF0000FFu);
  EXPECT_EQ(frame.Pixel(190, 195), 0xFFFF0000u) << "covers columns 190..209";
  EXPECT_EQ(frame.Pixel(209, 204), 0xFF0000FFu);
  EXPECT_EQ(frame.Pixel(189, 195), 0xFF000000u);
  EXPECT_EQ(frame.Pixel(210, 195), 0xFF000000u);
  EXPECT_EQ(frame.Pixel(292, 200), 0xFF0000FFu) << "mirrored: blue on the left";
  EXPECT_EQ(frame.Pixel(307, 200), 0xFFFF0000u);
}

TEST_F(OpenGL, DeviceReportsItselfAndPresents) {
  EXPECT_NE(std::string(Graph->AdapterIdentifier().Description).find("OpenGL"), std::string::npos);
  EXPECT_TRUE(Graph->EndFrame());
  EXPECT_TRUE(Graph->PresentFrame());
  EXPECT_TRUE(Graph->ResetDevice());
  EXPECT_EQ(Graph->ReleaseDevice(), 0);
  EXPECT_EQ(Graph->CreateDevice(), 0) << "a second device on the same window";
}

}  // namespace
}  // namespace marblix
