// Text at natural size and at 70 %, buttons in their three looks and a burst of every particle
// kind, drawn with the game's art through the OpenGL device and read back into middle_layer.tga.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "effects/qz_pengine.h"
#include "graphics/PowerD3D.h"
#include "platform/video/Forms.h"
#include "platform/video/OpenGLDevice.h"
#include "shell/defs.h"
#include "support/Environment.h"
#include "text/qz_text.h"
#include "widgets/qz_Menus.h"

namespace marblix {
namespace {

const std::string Data = MARBLIX_DATA_DIR;

// Mean brightness (r + g + b) / 3 of a rectangle of the picture.
double Brightness(const TBitmap& picture, int left, int top, int width, int height) {
  double sum = 0;
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x) {
      const uint32_t p = picture.Pixel(x, y);
      sum += ((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF)) / 3.0;
    }
  }
  return sum / (width * height);
}

class MiddleLayerPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(Data + "/graphics/font/font.rls")) {
      GTEST_SKIP() << "no generated art in " << Data;
    }
    testing::UseHeadlessVideo();
    ASSERT_TRUE(InitVideo());
    Form = std::make_unique<TForm>(Application);
    ASSERT_TRUE(Form->Show());
    Graph = std::make_unique<TPowerGraph>(Form.get(), OpenGLDirect3DCreate());
    Graph->SetWidth(800);
    Graph->SetHeight(600);
    ASSERT_EQ(Graph->CreateDevice(), 0);
  }
  std::unique_ptr<TAGFImage> Load(const std::string& file, int pw, int ph, int tw, int th,
                                  int format = D3DFMT_A8R8G8B8) {
    auto image = std::make_unique<TAGFImage>();
    EXPECT_EQ(image->LoadPatterns(Graph->D3DDevice8(), Data + "/graphics/" + file, pw, ph, tw, th,
                                  format),
              0)
        << file;
    return image;
  }

  TApplication Application;
  std::unique_ptr<TForm> Form;
  std::unique_ptr<TPowerGraph> Graph;
};

TEST_F(MiddleLayerPicture, TextButtonsAndParticlesOverTheGameBackground) {
  auto background = Load("ingame.tga", 400, 300, 512, 512);
  auto button = Load("buttons/new game.tga", 126, 26, 128, 32);
  auto ball = Load("balls/1_0.tga", 40, 40, 256, 256);
  auto rest = Load("balls/2_2.tga", 44, 42, 512, 256);
  auto flash = Load("explosion.bmp", 128, 128, 128, 128, D3DFMT_R5G6B5);
  TQzFont font(Graph.get());
  ASSERT_TRUE(font.LoadMetrics(Data + "/graphics/font/font.rls"));
  ASSERT_TRUE(font.LoadGlyphs(Data + "/graphics/font/font.bmp"));

  TShellValues values;
  TButtons bar(Graph.get(), values);
  for (int n = 0; n < 3; ++n) bar.AddButton(40, 300 + 40 * n, button.get(), MenuScreen, {});
  bar[2].selected = true;
  values.ScreenState = MenuScreen;
  values.MouseX = 100;
  values.MouseY = 300 + 40 + 10;

  TQzParticleEngine engine(Graph.get(), values);
  engine.Font = &font;
  engine.ExplosionImage = flash.get();
  engine.FlyingBallPhase = [] { return 0.0; };
  values.RandSeed = 7;
  engine.AddText("+250", 500, 330);
  engine.AddBall(ball.get(), true, 420, 420);
  engine.AddBall(ball.get(), false, 480, 420);
  engine.AddAnimation(rest.get(), 20, 540, 420, 1, 4);
  engine.AddFlyingBall(ball.get(), 600, 420, 2, -10);
  engine.Update(2);
  engine.Update(0);
  engine.AddExplosion(700, 420);  // a flash lasts 1.5 units: it starts now

  ASSERT_TRUE(Graph->BeginFrame());
  for (int quarter = 0; quarter < 4; ++quarter) {
    Graph->DrawImage(background.get(), 400 * (quarter % 2), 300 * (quarter / 2), quarter, 2);
  }
  font.DrawCentered("Marblix 1.00", 532, 27, 0xFF888888);
  font.DrawCentered("Marblix 1.00", 530, 25, 0xFFFFFFFF);
  font.DrawLeft("Natural size: AaBbWw 0123456789", 40, 90, 0xFFFFFFFF);
  font.DrawCenteredScaled("Seventy percent: AaBbWw 0123456789", 400, 130, 70, 0xFFFFFFFF);
  font.DrawLinesCentered({"Line one at 75 %", "Line two", "Line three"}, 400, 170, 75, 0xFF00FFFF);
  font.DrawNumberRight(-12345, 760, 240, 0xFF80FF80);
  font.DrawCenteredScaledCaret("Player", 400, 240, 85, 0xFFFFFFFF, true);
  bar.DrawButtons();
  engine.Draw(0);
  ASSERT_TRUE(Graph->EndFrame());

  TBitmap picture;
  ASSERT_TRUE(ReadBackBuffer(Graph->D3DDevice8(), picture));
  picture.SaveToFile("middle_layer.bmp");

  // The three looks of one picture differ: normal, highlighted, selected.
  const double normal = Brightness(picture, 45, 305, 110, 16);
  const double lit = Brightness(picture, 45, 345, 110, 16);
  const double pressed = Brightness(picture, 45, 385, 110, 16);
  EXPECT_NE(normal, lit);
  EXPECT_NE(normal, pressed);
  EXPECT_NE(lit, pressed);
  // White text over the background brightens its line; 70 % text is narrower than natural text.
  EXPECT_GT(Brightness(picture, 40, 92, 200, 12), Brightness(picture, 40, 62, 200, 12));
  // The explosion adds light where it stands.
  EXPECT_GT(Brightness(picture, 690, 410, 20, 20), Brightness(picture, 690, 520, 20, 20));
}

}  // namespace
}  // namespace marblix
