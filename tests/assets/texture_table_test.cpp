// The picture tables: order, sizes and the log line the loader writes for each picture.
#include <gtest/gtest.h>

#include "assets/texture_table.h"

namespace marblix {
namespace {

TEST(TextureTable, GameTexturesInLoadingOrder) {
  const auto& t = GameTextures();
  ASSERT_EQ(t.size(), static_cast<size_t>(GpCount));
  EXPECT_EQ(TextureLogLine(t[0]),
            "Loaded Texture \".\\graphics\\buttons\\new game.tga\". Size 128x32. Format 21");
  EXPECT_EQ(t[GpField].Path, ".\\graphics\\field.tga");
  EXPECT_EQ(t[GpFirstBall + 2 * 11].Path, ".\\graphics\\balls\\12_0.tga");
  EXPECT_EQ(t[GpFirstBall + 2 * 11].PatternWidth, 44);
  EXPECT_EQ(t[GpFirstBall + 2 * 11 + 1].PatternHeight, 52);
  EXPECT_EQ(t[GpFirstBall + 2 * 21].Path, ".\\graphics\\balls\\22_0.tga");
  EXPECT_EQ(t[GpBomb0].Path, ".\\graphics\\balls\\bomb_0.tga");
  EXPECT_EQ(t[GpFirstRest + 5 * 6 + 4].Path, ".\\graphics\\balls\\7_6.tga");
  EXPECT_EQ(t[GpInform].Path, ".\\graphics\\inform.tga");
  EXPECT_EQ(t[GpSoundOptG].PatternWidth, 194);
  EXPECT_EQ(TextureLogLine(t[GpExplosion]),
            "Loaded Texture \".\\graphics\\explosion.bmp\". Size 128x128. Format 23");
  EXPECT_EQ(t[GpFirstHelp + 5].Path, ".\\graphics\\help5.tga");
  EXPECT_EQ(t[GpLogoSmall].Path, ".\\graphics\\logo_small.tga");
  EXPECT_EQ(t[GpLau].Path, ".\\graphics\\lau.tga");
}

TEST(TextureTable, StartupTexturesAndAutoSizedLines) {
  const auto& t = StartupTextures();
  ASSERT_EQ(t.size(), 11u);
  EXPECT_EQ(TextureLogLine(t[PicBackground]),
            "Loaded Texture \".\\graphics\\background.jpg\". Size 512x512. Format 23");
  EXPECT_EQ(TextureLogLine(t[PicFlare]),
            "Loaded Texture \".\\graphics\\logo\\flare.tga\". Size AUTO. Format 21");
  EXPECT_EQ(t[PicLogoZantic].Path, ".\\graphics\\logo\\zantic.tga");
}

TEST(TextureTable, GamePathsBecomeFilePaths) {
  EXPECT_EQ(FilePathOf(".\\graphics\\buttons\\new game.tga"), "graphics/buttons/new game.tga");
  EXPECT_EQ(FilePathOf("./music/theme.ogg"), "music/theme.ogg");
}

}  // namespace
}  // namespace marblix
