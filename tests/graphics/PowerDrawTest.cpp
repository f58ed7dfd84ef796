// Drawing through the recording device: quad corners, rotation, the batch, effects, clip, loss.
#include <cmath>

#include "GraphicsFixture.h"

namespace marblix {
namespace {

using testing::RecordingDeviceTest;

struct TPoint {
  float x, y;
};

void ExpectCorners(const std::vector<TVertex>& strip, std::vector<TPoint> expected) {
  ASSERT_EQ(strip.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(strip[i].x, expected[i].x) << "corner " << i;
    EXPECT_FLOAT_EQ(strip[i].y, expected[i].y) << "corner " << i;
  }
}

class Drawing : public RecordingDeviceTest {};

TEST_F(Drawing, ImageQuadsSitHalfAPixelBeforeTheirCorners) {
  Open();
  auto image = Image(64, 32, 64, 32, 64, 32);
  ASSERT_TRUE(Graph->BeginFrame());
  EXPECT_TRUE(Graph->DrawImage(image.get(), 10, 20, 0, blendAlpha));
  ASSERT_TRUE(Graph->EndFrame());
  ExpectCorners(Draws(), {{9.5f, 19.5f}, {73.5f, 19.5f}, {9.5f, 51.5f}, {73.5f, 51.5f}});
  for (const TVertex& v : Draws()) {
    EXPECT_EQ(v.Diffuse, 0xFFFFFFFFu);
    EXPECT_EQ(v.z, 0.0f);
    EXPECT_EQ(v.rhw, 1.0f);
  }
  EXPECT_EQ(Draws()[3].u, 1.0f);
  EXPECT_EQ(Draws()[3].v, 1.0f);

  auto cell = Image(51, 51, 51, 51, 64, 64);
  Graph->DrawImageScaled(cell.get(), 0, 0, 128, 0xFF00CC99u, 0, blendAlpha);
  Graph->EndFrame();
  ExpectCorners(Draws(), {{-0.5f, -0.5f}, {24.5f, -0.5f}, {-0.5f, 24.5f}, {24.5f, 24.5f}});
  EXPECT_EQ(Draws()[0].Diffuse, 0xFF99CC00u) << "red and blue exchanged";
}

TEST_F(Drawing, RotatedQuadsTurnAboutTheirCentre) {
  Open();
  auto image = Image(52, 52, 52, 52, 64, 64);
  Graph->DrawRotated(image.get(), 100, 100, 64, 256, 0, blendAlpha);
  Graph->EndFrame();
  ExpectCorners(Draws(), {{73.5f, 73.5f}, {125.5f, 73.5f}, {73.5f, 125.5f}, {125.5f, 125.5f}});
  Graph->DrawRotated(image.get(), 100, 100, 0, 256, 0, blendAlpha);
  Graph->EndFrame();
  // A quarter turn counter-clockwise: the top-left corner lands at (74, 126).
  ExpectCorners(Draws(), {{73.5f, 125.5f}, {73.5f, 73.5f}, {125.5f, 125.5f}, {125.5f, 73.5f}});
  Graph->DrawRotated(image.get(), 100, 100, 128, 256, 0, blendAlpha);
  Graph->EndFrame();
  ExpectCorners(Draws(), {{125.5f, 73.5f}, {125.5f, 125.5f}, {73.5f, 73.5f}, {73.5f, 125.5f}});
}

TEST_F(Drawing, AHugeScaleIsHeldToASideNoScreenNeeds) {
  Open();
  auto image = Image(128, 128, 128, 128, 128, 128);
  Graph->DrawRotatedColor(image.get(), 400, 300, 64, 71582917, 0xFFFFFFFFu, 0, blendAdd);
  Graph->EndFrame();
  ASSERT_EQ(Draws().size(), 4u);
  EXPECT_FLOAT_EQ(Draws()[0].x, 400 - 32768 - 0.5f) << "a side of 65536";
  EXPECT_FLOAT_EQ(Draws()[3].y, 300 + 32768 - 0.5f);
  Graph->DrawRotated(image.get(), 400, 300, 64, -2147483647, 0, blendAlpha);
  Graph->EndFrame();
  EXPECT_EQ(Draws().size(), 4u);
}

TEST_F(Drawing, TruncatedRotationRoundsTowardZero) {
  Open();
  auto image = Image(51, 51, 51, 51, 64, 64);
  // At 45 degrees the corners lie at non-integer offsets: rounding and truncation differ.
  Graph->DrawRotatedColor(image.get(), 200, 200, 96, 256, 0xFFFFFFFFu, 0, blendAlpha);
  Graph->EndFrame();
  const auto rounded = Draws();
  Graph->DrawRotatedColorTrunc(image.get(), 200, 200, 96, 256, 0x44FFFFFFu, 0, 0x102);
  Graph->EndFrame();
  const auto truncated = Draws();
  ASSERT_EQ(rounded.size(), 4u);
  ASSERT_EQ(truncated.size(), 4u);
  // Top-left offset (-25, -25) turned by 45 degrees: (0, -35.36).
  EXPECT_FLOAT_EQ(rounded[0].y, 200 - 35 - 0.5f);
  EXPECT_FLOAT_EQ(truncated[0].y, 200 - 35 - 0.5f);
  // Top-right (26, -25) turned: (36.06, 0.71): rounds to 1, truncates to 0.
  EXPECT_FLOAT_EQ(rounded[1].x, 236 - 0.5f);
  EXPECT_FLOAT_EQ(rounded[1].y, 201 - 0.5f);
  EXPECT_FLOAT_EQ(truncated[1].y, 200 - 0.5f);
  EXPECT_EQ(truncated[0].Diffuse, 0x44FFFFFFu);
}

TEST_F(Drawing, FortyThreeQuadsMakeAListOf42AndAStripOf1) {
  Open();
  auto image = Image(64, 32, 64, 32, 64, 32);
  Graph->BeginFrame();
  for (int i = 0; i < 43; ++i) ASSERT_TRUE(Graph->DrawImage(image.get(), i, 0, 0, blendAlpha));
  ASSERT_EQ(Recording->CountOf("DrawPrimitive"), 1);
  Graph->EndFrame();
  const auto draws = Recording->Named("DrawPrimitive");
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0]->Args, (std::vector<int64_t>{D3DPT_TRIANGLELIST, 0, 84}));
  EXPECT_EQ(draws[0]->Vertices.size(), 252u);
  EXPECT_FLOAT_EQ(draws[0]->Vertices[size_t{41} * 6].x, 41 - 0.5f);
  EXPECT_EQ(draws[1]->Args, (std::vector<int64_t>{D3DPT_TRIANGLESTRIP, 0, 2}));
  EXPECT_FLOAT_EQ(draws[1]->Vertices[0].x, 42 - 0.5f);
  // Triangles 0,1,2 and 2,1,3 of the template.
  const auto& v = draws[0]->Vertices;
  EXPECT_EQ(v[2].x, v[3].x);
  EXPECT_EQ(v[1].y, v[4].y);
  EXPECT_FLOAT_EQ(v[5].x, 63.5f);
  EXPECT_FLOAT_EQ(v[5].y, 31.5f);
  EXPECT_EQ(Recording->CountOf("SetTexture"), 1) << "one bind for the whole run";
}

TEST_F(Drawing, BeginFrameDiscardsQueuedQuads) {
  Open();
  auto image = Image(64, 32, 64, 32, 64, 32);
  Graph->DrawImage(image.get(), 0, 0, 0, blendAlpha);
  Graph->BeginFrame();
  Graph->EndFrame();
  EXPECT_EQ(Recording->CountOf("DrawPrimitive"), 0);
}

int DrawsAfter(TRecording& recording, const std::function<void()>& act) {
  const int before = recording.CountOf("DrawPrimitive");
  act();
  return recording.CountOf("DrawPrimitive") - before;
}

TEST_F(Drawing, OnlyBlendAndAlphaChangesFlush) {
  Open();
  auto image = Image(64, 32, 64, 32, 64, 32);
  Graph->BeginFrame();
  Graph->DrawImage(image.get(), 0, 0, 0, blendAlpha);
  EXPECT_EQ(DrawsAfter(*Recording,
                       [&] {
                         for (int i = 0; i < 6; ++i)
                           Graph->DrawImage(
                               image.get(), 0, 0, 0,
                               i % 2 ? blendAlpha : blendAlpha | blendMirror | blendFlip);
                       }),
            0);
  EXPECT_EQ(DrawsAfter(*Recording,
                       [&] {
                         for (int i = 0; i < 4; ++i)
                           Graph->DrawImage(image.get(), 0, 0, 0, i % 2 ? blendAlpha : blendAdd);
                       }),
            4);
  EXPECT_EQ(DrawsAfter(*Recording, [&] { Graph->DrawImage(image.get(), 0, 0, 0, 0x102); }), 1);
  EXPECT_EQ(Recording->StageStates[D3DTSS_ALPHAOP], D3DTOP_MODULATE);
  EXPECT_EQ(Recording->StageStates[D3DTSS_ALPHAARG2], D3DTA_DIFFUSE);
  Graph->DrawImage(image.get(), 0, 0, 0, blendAlpha);
  EXPECT_EQ(Recording->StageStates[D3DTSS_ALPHAOP], D3DTOP_SELECTARG1);
}

TEST_F(Drawing, EveryEffectSetsItsFactors) {
  Open();
  auto image = Image(64, 32, 64, 32, 64, 32);
  const uint32_t expected[10][2] = {
      {0, 0},
      {D3DBLEND_ONE, D3DBLEND_ONE},
      {D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA},
      {D3DBLEND_SRCALPHA, D3DBLEND_ONE},
      {D3DBLEND_ZERO, D3DBLEND_SRCCOLOR},
      {D3DBLEND_SRCCOLOR, D3DBLEND_INVSRCCOLOR},
      {D3DBLEND_SRCCOLOR, D3DBLEND_ONE},
      {D3DBLEND_ZERO, D3DBLEND_INVSRCCOLOR},
      {D3DBLEND_ZERO, D3DBLEND_INVSRCALPHA},
      {D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA},
  };
  for (int effect : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0}) {
    Graph->DrawImage(image.get(), 0, 0, 0, effect);
    EXPECT_EQ(Recording->RenderStates[D3DRS_ALPHABLENDENABLE], effect ? 1u : 0u) << effect;
    if (effect == 0) continue;
    EXPECT_EQ(Recording->RenderStates[D3DRS_SRCBLEND], expected[effect][0]) << effect;
    EXPECT_EQ(Recording->RenderStates[D3DRS_DESTBLEND], expected[effect][1]) << effect;
  }
  Graph->DrawImage(image.get(), 0, 0, 0, blendAdd);
  Recording->Clear();
  Graph->DrawImage(image.get(), 0, 0, 0, 12);
  EXPECT_EQ(Recording->CountOf("SetRenderState"), 0) << "effect 12 keeps the blend";
  EXPECT_EQ(Recording->CountOf("DrawPrimitive"), 1) << "but flushes as a new effect";
  Graph->DrawImage(image.get(), 0, 0, 0, blendAdd);
  EXPECT_EQ(Recording->CountOf("SetRenderState"), 3) << "12 was remembered as current";
}

TEST_F(Drawing, PatternsAreClampedAndTexturesBoundOncePerChange) {
  Open();
  auto balls = Image(256, 64, 51, 51, 256, 64);
  auto other = Image(64, 32, 64, 32, 64, 32);
  Graph->DrawImage(balls.get(), 0, 0, -5, blendAlpha);
  Graph->EndFrame();
  EXPECT_EQ(Draws()[0].u, 0.0f);
  Graph->DrawImage(balls.get(), 0, 0, 99, blendAlpha);
  Graph->EndFrame();
  EXPECT_FLOAT_EQ(Draws()[0].u, 204.0f / 256.0f);
  Recording->Clear();
  Graph->DrawImage(balls.get(), 0, 0, 0, blendAlpha);
  Graph->DrawImage(other.get(), 0, 0, 0, blendAlpha);
  Graph->DrawImage(balls.get(), 0, 0, 1, blendAlpha);
  EXPECT_EQ(
      Recording->Names(),
      (std::vector<std::string>{"Lock", "Unlock", "SetStreamSource", "SetVertexShader",
                                "DrawPrimitive", "SetTexture", "Lock", "Unlock", "SetStreamSource",
                                "SetVertexShader", "DrawPrimitive", "SetTexture"}));
}

TEST_F(Drawing, NothingIsDrawnWithoutDeviceOrImage) {
  auto image = std::make_unique<TAGFImage>();
  EXPECT_FALSE(Graph->DrawImage(image.get(), 0, 0, 0, blendAlpha)) << "closed";
  EXPECT_FALSE(Graph->BeginFrame());
  EXPECT_FALSE(Graph->EndFrame());
  EXPECT_FALSE(Graph->PresentFrame());
  Graph->SetClipRectangle({0, 0, 10, 10});
  EXPECT_TRUE(Recording->Calls.empty());
  Open();
  EXPECT_FALSE(Graph->DrawImage(image.get(), 0, 0, 0, blendAlpha)) << "not loaded";
  EXPECT_FALSE(Graph->DrawImage(nullptr, 0, 0, 0, blendAlpha));
  EXPECT_FALSE(Graph->DrawRotated(nullptr, 0, 0, 64, 256, 0, blendAlpha));
  Graph->EndFrame();
  EXPECT_EQ(Recording->CountOf("DrawPrimitive"), 0);
}

TEST_F(Drawing, ClipFlushesAndSetsTheViewport) {
  Open();
  auto image = Image(64, 32, 64, 32, 64, 32);
  Graph->DrawImage(image.get(), 0, 0, 0, blendAlpha);
  Graph->SetClipRectangle({100, 50, 300, 80});
  EXPECT_EQ(Recording->Calls.back().Name, "SetViewport");
  EXPECT_EQ(Recording->Calls.back().Args, (std::vector<int64_t>{100, 50, 200, 30}));
  EXPECT_EQ(Recording->CountOf("DrawPrimitive"), 1);
}

TEST_F(Drawing, FailedFlushesLoseTheirQuads) {
  Open();
  auto image = Image(64, 32, 64, 32, 64, 32);
  Graph->DrawImage(image.get(), 0, 0, 0, blendAlpha);
  Recording->Fail("Lock", E_FAIL, 1);
  EXPECT_EQ(Graph->FlushBatch(), -9);
  EXPECT_EQ(Graph->FlushBatch(), 0) << "emptied";
  Graph->DrawImage(image.get(), 0, 0, 0, blendAlpha);
  Graph->DrawImage(image.get(), 0, 0, 0, blendAlpha);
  Recording->Fail("DrawPrimitive", E_FAIL, 1);
  EXPECT_EQ(Graph->FlushBatch(), -10);
  Graph->DrawImage(image.get(), 0, 0, 0, blendAlpha);
  Recording->Fail("SetStreamSource", E_FAIL, 1);
  EXPECT_FALSE(Graph->EndFrame());
  EXPECT_EQ(Recording->CountOf("EndScene"), 0) << "no end of scene after a failed flush";
}

TEST_F(Drawing, LostDeviceRebindsTextureAndEffect) {
  Open();
  auto image = Image(64, 32, 64, 32, 64, 32);
  int lost = 0;
  Graph->OnDeviceLost = [&](TObject* sender) {
    EXPECT_EQ(sender, Graph.get());
    ++lost;
    Graph->ResetDevice();
  };
  Graph->BeginFrame();
  Graph->DrawImage(image.get(), 0, 0, 0, blendAlpha);
  Graph->EndFrame();
  Recording->Fail("Present", D3DERR_DEVICELOST, 1);
  EXPECT_FALSE(Graph->PresentFrame());
  EXPECT_EQ(lost, 1);
  EXPECT_EQ(Recording->CountOf("Reset"), 1);
  Recording->Clear();
  Graph->BeginFrame();
  Graph->DrawImage(image.get(), 0, 0, 0, blendAlpha);
  EXPECT_EQ(Recording->CountOf("SetTexture"), 1) << "same image bound again";
  EXPECT_EQ(Recording->RenderStates[D3DRS_SRCBLEND], D3DBLEND_SRCALPHA);
  EXPECT_EQ(Recording->CountOf("SetRenderState"), 3);
}

TEST_F(Drawing, LossWithoutHandlerKeepsTheBindings) {
  Open();
  auto image = Image(64, 32, 64, 32, 64, 32);
  Graph->DrawImage(image.get(), 0, 0, 0, blendAlpha);
  Graph->EndFrame();
  Recording->Fail("Present", D3DERR_DEVICELOST);
  EXPECT_FALSE(Graph->PresentFrame());
  Recording->Clear();
  Graph->DrawImage(image.get(), 0, 0, 0, blendAlpha);
  EXPECT_TRUE(Recording->Calls.empty());
}

TEST_F(Drawing, CornerCacheEvictsTheLastSlotWhenFull) {
  Open();
  auto image = Image(64, 64, 64, 64, 64, 64);
  // Scale 4i gives a size of i x i (64 * 4i / 256): 2048 distinct sizes.
  for (int i = 1; i <= TPowerGraph::CornerCacheSize; ++i)
    Graph->DrawRotated(image.get(), 0, 0, 64, i * 4, 0, blendAlpha);
  EXPECT_EQ(Graph->CornerCacheCount(), 2048);
  EXPECT_EQ(Graph->CornerCacheSlotOf(2048, 2048), 2047);
  Graph->DrawRotated(image.get(), 0, 0, 64, 256, 0, blendAlpha);  // 64 x 64: found, nothing moves
  EXPECT_EQ(Graph->CornerCacheSlotOf(64, 64), 63);
  Graph->DrawRotated(image.get(), 0, 0, 64, 2049 * 4, 0, blendAlpha);
  EXPECT_EQ(Graph->CornerCacheCount(), 2048);
  EXPECT_EQ(Graph->CornerCacheSlotOf(2049, 2049), 0);
  EXPECT_EQ(Graph->CornerCacheSlotOf(2048, 2048), -1) << "the last slot was dropped";
  EXPECT_EQ(Graph->CornerCacheSlotOf(1, 1), 1);
  EXPECT_EQ(Graph->CornerCacheSlotOf(2047, 2047), 2047);
  // A rebuilt table places its corners as before.
  Graph->EndFrame();
  Graph->DrawRotated(image.get(), 5000, 5000, 64, 2048 * 4, 0, blendAlpha);
  Graph->EndFrame();
  ExpectCorners(Draws(),
                {{3975.5f, 3975.5f}, {6023.5f, 3975.5f}, {3975.5f, 6023.5f}, {6023.5f, 6023.5f}});
}

}  // namespace
}  // namespace marblix
