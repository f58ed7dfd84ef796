// How each particle kind draws: fading texts, scaled balls, animation frames, flying-ball phase,
// additive explosions.
#include <gtest/gtest.h>

#include "effects/qz_pengine.h"
#include "graphics/GraphicsFixture.h"
#include "support/DrawnQuads.h"
#include "support/TempDir.h"
#include "text/qz_text.h"

namespace marblix {
namespace {

using testing::DrawnQuads;
using testing::TDrawnQuad;

class ParticleDrawTest : public testing::RecordingDeviceTest {
 protected:
  void SetUp() override {
    RecordingDeviceTest::SetUp();
    Open();
    Ball = Image(160, 40, 40, 40, 256, 64);  // four frames
    Flash = Image(128, 128, 128, 128, 128, 128);
    Font = std::make_unique<TQzFont>(Graph.get());
    std::string metrics(258, '\x08');
    metrics[0] = metrics[1] = 16;
    ASSERT_TRUE(Font->LoadMetrics(Dir.Write("font.rls", metrics)));
    Font->GlyphImage = Image(256, 256, 16, 16, 256, 256);
    Engine = std::make_unique<TQzParticleEngine>(Graph.get(), Values);
    Engine->Font = Font.get();
    Engine->ExplosionImage = Flash.get();
    ASSERT_TRUE(Graph->BeginFrame());
  }
  std::vector<TDrawnQuad> Draw(uint8_t layer = 0) {
    Engine->Draw(layer);
    Graph->EndFrame();
    std::vector<TDrawnQuad> quads = DrawnQuads(*Recording);
    quads.erase(quads.begin(), quads.begin() + static_cast<std::ptrdiff_t>(Seen));
    Seen += quads.size();
    Graph->BeginFrame();
    return quads;
  }

  testing::TTempDir Dir;
  std::unique_ptr<TAGFImage> Ball;
  std::unique_ptr<TAGFImage> Flash;
  std::unique_ptr<TQzFont> Font;
  TShellValues Values;
  std::unique_ptr<TQzParticleEngine> Engine;
  size_t Seen = 0;
};

TEST_F(ParticleDrawTest, TextsFadeOverTheirLifeAndDrawAtTheirTruncatedPlace) {
  Engine->AddText("7", 100.7f, 200.9f);
  Engine->Update(15);
  Engine->Update(0);  // half the life gone: alpha round(127.5) = 128
  const auto quads = Draw();
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_EQ(quads[0].Colour(), 0x80888888u) << "the shadow first";
  EXPECT_EQ(quads[1].Colour(), 0x80FFFFFFu);
  EXPECT_EQ(quads[1].Left(), 100);
  EXPECT_EQ(quads[1].Top(), 170) << "200.9 risen by 30";
  EXPECT_EQ(quads[0].Left(), 102);
  EXPECT_TRUE(quads[1].DiffuseAlpha());
}

TEST_F(ParticleDrawTest, ATextThatWouldLeaveItsAreaIsShiftedInwardWithItsShadow) {
  Engine->TextArea = TRect{298, 26, 765, 493};
  struct Case {
    float X, Y;
    int Left, Top;  // of the text after half its life, 30 pixels risen
  };
  // Eight pixels a glyph: "+50 Chain Bonus" is 120 wide, its shadow ends 2 further right.
  for (const Case& c : {Case{700, 300, 765 - 2 - 120, 270}, Case{220, 300, 298, 270},
                        Case{400, 300, 400, 270}, Case{400, 31, 400, 26}}) {
    Engine->AddText("+50 Chain Bonus", c.X, c.Y);
    Engine->Update(15);
    Engine->Update(0);
    const auto quads = Draw();
    ASSERT_EQ(quads.size(), 2u * 15);
    EXPECT_EQ(quads[15].Left(), c.Left) << c.X;
    EXPECT_EQ(quads[15].Top(), c.Top) << c.Y;
    EXPECT_EQ(quads[0].Left(), c.Left + 2) << "the shadow keeps its offset";
    Engine->Update(30);
    Engine->Update(0);  // gone
  }
}

TEST_F(ParticleDrawTest, BallsScaleByTheirValueAndAnimationsShowTheirFrame) {
  Engine->AddBall(Ball.get(), true, 200.9f, 300);
  Engine->AddAnimation(Ball.get(), 4, 100, 100, 1, 3);
  Engine->AddFlyingBall(Ball.get(), 50, 50, 0, 0);
  Engine->FlyingBallPhase = [] { return 3.7; };
  Engine->Update(2.5);
  Engine->Update(0);
  const auto quads = Draw();
  ASSERT_EQ(quads.size(), 3u);
  EXPECT_EQ(quads[0].Width(), 40 * 100 / 256) << "scale 100 after 2.5 units of growth";
  EXPECT_EQ(quads[0].Left(), 200 - 15 / 2) << "centred on trunc 200.9";
  EXPECT_EQ(quads[0].Pattern(*Ball), 0);
  EXPECT_EQ(quads[1].Pattern(*Ball), 2) << "frame 2.5";
  EXPECT_EQ(quads[1].Width(), 40);
  EXPECT_EQ(quads[2].Pattern(*Ball), 3) << "the board's phase 3.7";
  for (const TDrawnQuad& quad : quads) EXPECT_TRUE(quad.AlphaBlended());
}

TEST_F(ParticleDrawTest, AnExplosionDrawsTwiceAdditivelyWithTheOrangeTint) {
  Engine->AddExplosion(400.4f, 300.6f);
  const auto quads = Draw();
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_EQ(quads[0].Colour(), 0x00FFFFFFu) << "alpha (round(5) div 10) = 0";
  EXPECT_EQ(quads[1].Colour(), 0x110066FFu);
  for (const TDrawnQuad& quad : quads) {
    EXPECT_TRUE(quad.Additive());
    EXPECT_NEAR(quad.CentreX(), 400, 1);
    EXPECT_NEAR(quad.CentreY(), 301, 1);
  }
  EXPECT_NE(quads[0].TopLeft.x, quads[0].BottomLeft.x) << "turned a little from upright";
}

// The frame timer reports a pass that measured no time as 15 / 2147483647 of a unit: the flash
// grows by 0.5 / e, some seventy million per such frame, and its scale must stay an integer.
TEST_F(ParticleDrawTest, AnExplosionAfterFramesOfNoMeasurableTimeDrawsWithoutOverflow) {
  Engine->AddExplosion(400, 300);
  const double noTime = 15.0 / 2147483647.0;
  for (int frame = 0; frame < 40; ++frame) Engine->Update(noTime);
  ASSERT_EQ(Engine->Particles().size(), 1u);
  ASSERT_GT(Engine->Particles()[0].Value, 2147483647.0);
  const auto quads = Draw();
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_NEAR(quads[0].CentreX(), 400, 1);
  EXPECT_NEAR(quads[0].CentreY(), 300, 1);
  EXPECT_GT(quads[0].Width(), 800) << "the flash covers the screen";
}

TEST_F(ParticleDrawTest, OnlyTheAskedLayerIsDrawnInOrderOfAdding) {
  Engine->AddBall(Ball.get(), false, 100, 100);
  Engine->AddBall(Ball.get(), false, 300, 100);
  EXPECT_TRUE(Draw(1).empty());
  const auto quads = Draw(0);
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_EQ(quads[0].CentreX(), 100);
  EXPECT_EQ(quads[1].CentreX(), 300);
  Engine->ClearAnimations();
  Engine->RemoveNear(100, 100);
  Engine->RemoveNear(300, 100);
  EXPECT_TRUE(Draw().empty());
}

}  // namespace
}  // namespace marblix
