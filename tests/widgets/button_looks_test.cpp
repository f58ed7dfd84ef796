// How the bar draws: normal, highlighted and pressed looks, hidden page buttons, dialogs in front.
#include <gtest/gtest.h>

#include "graphics/GraphicsFixture.h"
#include "shell/defs.h"
#include "support/DrawnQuads.h"
#include "text/qz_strings.h"
#include "widgets/qz_Menus.h"

namespace marblix {
namespace {

using testing::DrawnQuads;
using testing::TDrawnQuad;

class ButtonLooksTest : public testing::RecordingDeviceTest {
 protected:
  void SetUp() override {
    RecordingDeviceTest::SetUp();
    Open();
    Picture = Image(100, 60, 100, 20, 128, 64);  // three looks stacked
    Bar = std::make_unique<TButtons>(Graph.get(), Values);
    for (int n = 0; n < 18; ++n) {
      Bar->AddButton(10, 30 * n, Picture.get(), n >= 14 && n <= 15 ? DialogOpen : MenuScreen, {});
    }
    Strings.LastHelpPage = 4;
    Bar->Strings = &Strings;
    Values.ScreenState = MenuScreen;
    Values.HelpPage = 2;
    Values.GameMode = ModeNormal;
    Values.MouseX = 500;
    Values.MouseY = 500;
    ASSERT_TRUE(Graph->BeginFrame());
  }
  // (top, pattern) of every button drawn since the frame began.
  std::vector<std::pair<int, int>> Drawn() {
    Graph->EndFrame();
    std::vector<std::pair<int, int>> drawn;
    const std::vector<TDrawnQuad> quads = DrawnQuads(*Recording);
    for (size_t index = Seen; index < quads.size(); ++index) {
      EXPECT_EQ(quads[index].Left(), 10);
      EXPECT_TRUE(quads[index].AlphaBlended());
      drawn.emplace_back(quads[index].Top(), quads[index].Pattern(*Picture));
    }
    Seen = quads.size();
    Graph->BeginFrame();
    return drawn;
  }
  std::pair<int, int> Look(int button, int pattern) const { return {30 * button, pattern}; }

  std::unique_ptr<TAGFImage> Picture;
  TShellValues Values;
  std::unique_ptr<TButtons> Bar;
  size_t Seen = 0;
  TQzStrings Strings;
};

TEST_F(ButtonLooksTest, NormalHighlightedAndPressedOrSelectedLooks) {
  (*Bar)[5].selected = true;
  Values.MouseX = 50;
  Values.MouseY = 30 * 2 + 5;
  Bar->DrawButtons();
  auto drawn = Drawn();
  ASSERT_EQ(drawn.size(), 16u) << "the live buttons: all but the dialog's two";
  EXPECT_EQ(drawn[0], Look(0, 0));
  EXPECT_EQ(drawn[2], Look(2, 1)) << "under the pointer";
  EXPECT_EQ(drawn[5], Look(5, 2)) << "selected";

  Bar->PressButtons();
  Bar->DrawButtons();
  drawn = Drawn();
  EXPECT_EQ(drawn[2], Look(2, 2)) << "pressed";
  Bar->ReleaseButtons();
  Bar->DrawButtons();
  EXPECT_EQ(Drawn()[2], Look(2, 1));
}

TEST_F(ButtonLooksTest, PageButtonsHideOnTheFirstAndLastPages) {
  Values.HelpPage = 0;
  Bar->DrawButtons();
  auto drawn = Drawn();
  EXPECT_EQ(drawn.size(), 15u);
  EXPECT_EQ(drawn.back(), Look(17, 0));
  Values.HelpPage = 4;
  Bar->DrawButtons();
  drawn = Drawn();
  EXPECT_EQ(drawn.size(), 15u);
  EXPECT_EQ(drawn.back(), Look(16, 0));
}

TEST_F(ButtonLooksTest, BehindADialogButtonsLookNormalWhileItsOwnButtonsLightUp) {
  Values.ScreenState = MenuScreen | ExitDialog | DialogOpen;
  (*Bar)[1].selected = true;
  Values.MouseX = 50;
  Values.MouseY = 30 * 3 + 5;
  Bar->DrawButtons();
  Values.MouseY = 30 * YesButton + 5;
  Bar->DrawButton(YesButton);
  Bar->DrawButton(NoButton);
  const auto drawn = Drawn();
  ASSERT_EQ(drawn.size(), 20u) << "18 behind the dialog, then yes and no again";
  EXPECT_EQ(drawn[1], Look(1, 2)) << "selected keeps its pressed look";
  EXPECT_EQ(drawn[3], Look(3, 0)) << "no highlight behind a dialog";
  EXPECT_EQ(drawn[14], Look(14, 0));
  EXPECT_EQ(drawn[18], Look(14, 1)) << "DrawButton highlights the yes button";
  EXPECT_EQ(drawn[19], Look(15, 0));
}

}  // namespace
}  // namespace marblix
