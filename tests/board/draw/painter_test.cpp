// The board's drawing: which picture, pattern, position and effect each part of the board is
// drawn with, and that a whole frame reaches the render device.
#include <array>
#include <map>

#include "board/BoardDoubles.h"
#include "board/draw/PowerBoardPainter.h"
#include "graphics/AGFUnit.h"
#include "graphics/GraphicsFixture.h"
#include "graphics/PowerTypes.h"

namespace marblix::testing {
namespace {

struct CanvasCall {
  std::string Op;
  const TAGFImage* Image = nullptr;
  int X = 0, Y = 0, Angle = 0, Scale = 0, Pattern = 0, Effect = 0;
  uint32_t Colour = 0;
};

class RecordingCanvas final : public IBoardCanvas {
 public:
  std::vector<CanvasCall> Calls;
  void DrawImage(const TAGFImage* image, int x, int y, int pattern, int effect) override {
    Calls.push_back({"DrawImage", image, x, y, 0, 0, pattern, effect, 0});
  }
  void DrawRotated(const TAGFImage* image, int x, int y, int angle, int scale, int pattern,
                   int effect) override {
    Calls.push_back({"DrawRotated", image, x, y, angle, scale, pattern, effect, 0});
  }
  void DrawRotatedColorTrunc(const TAGFImage* image, int x, int y, int angle, int scale,
                             uint32_t color, int pattern, int effect) override {
    Calls.push_back({"DrawRotatedColorTrunc", image, x, y, angle, scale, pattern, effect, color});
  }
  void FillRectangle(int left, int top, int, int, uint32_t color) override {
    Calls.push_back({"FillRectangle", nullptr, left, top, 0, 0, 0, 0, color});
  }
  std::vector<CanvasCall> With(const TAGFImage* image) const {
    std::vector<CanvasCall> out;
    for (const CanvasCall& c : Calls)
      if (c.Image == image) out.push_back(c);
    return out;
  }
};

// Pictures without textures: only their pattern sizes matter to the painter.
class Pictures {
 public:
  Pictures() {
    Field.PatternWidth = Field.PatternHeight = 51;
    for (auto& look : Balls)
      for (TAGFImage& image : look) image.PatternWidth = 48, image.PatternHeight = 50;
  }
  const TAGFImage* Of(BallPicture p) const {
    return p.Look < LookCount && p.Variant < 7 ? &Balls[p.Look][p.Variant] : nullptr;
  }
  TAGFImage Field;
  std::array<std::array<TAGFImage, 7>, LookCount> Balls;
};

class Painter : public BoardTest {
 protected:
  Pictures pictures;
  RecordingCanvas canvas;
  TPowerBoardPainter painter{canvas, &pictures.Field,
                             [this](BallPicture p) { return pictures.Of(p); }};
  void SetUp() override {
    BoardTest::SetUp();
    board.SetPainter(&painter);
  }
  const TAGFImage* Ball(int look, int variant = 0) { return &pictures.Balls[look][variant]; }
  void Frame(double elapsed = 1.0) {
    canvas.Calls.clear();
    board.UpdateHover();
    board.UpdateAndDraw(elapsed);
  }
};

TEST_F(Painter, CellsComeFirstThenRestingBallsCentredByTheirPictureSize) {
  Put(2, 3, 5);  // look 4
  values.MouseX = 0;
  Frame();
  ASSERT_GE(canvas.Calls.size(), 82u);
  for (int i = 0; i < 81; ++i) {
    const CanvasCall& c = canvas.Calls[i];
    EXPECT_EQ(c.Op, "DrawImage");
    EXPECT_EQ(c.Image, &pictures.Field);
    EXPECT_EQ(c.X, 298 + 52 * (i / 9));
    EXPECT_EQ(c.Y, 26 + 52 * (i % 9));
    EXPECT_EQ(c.Pattern, 0);
    EXPECT_EQ(c.Effect, blendAlpha);
  }
  const CanvasCall& ball = canvas.Calls[81];
  EXPECT_EQ(ball.Op, "DrawRotated");
  EXPECT_EQ(ball.Image, Ball(4));
  EXPECT_EQ(ball.X, 303 + 52 * 2 + 24);
  EXPECT_EQ(ball.Y, 31 + 52 * 3 + 25);
  EXPECT_EQ(ball.Angle, 64);
  EXPECT_EQ(ball.Scale, 256);
  EXPECT_EQ(ball.Pattern, 0);
}

TEST_F(Painter, TheSelectedHoveredAndPreviewBallsAnimateThroughThePhase) {
  Put(1, 1, 3);
  Put(4, 4, 7);
  ClickCell(1, 1);
  PointAt(4, 4);
  board.FPhase = 11.0f;
  board.FNextCount = 3;
  board.FPreview = {BallKinds[1], BallKinds[KindBomb], BallKinds[KindJoker], BallKinds[2]};
  Frame(1.5);  // FPhase 12.5
  const auto selected = canvas.With(Ball(2, SelectedVariant));
  ASSERT_EQ(selected.size(), 1u);
  EXPECT_EQ(selected[0].X, 303 + 52 + 24);
  EXPECT_EQ(selected[0].Pattern, 12);
  const auto hovered = canvas.With(Ball(6));
  ASSERT_EQ(hovered.size(), 1u);
  EXPECT_EQ(hovered[0].Pattern, 12);
  EXPECT_EQ(hovered[0].Y, 31 + 52 * 4 + 25);
  const auto bombPreview = canvas.With(Ball(BombLook));
  ASSERT_EQ(bombPreview.size(), 1u);
  EXPECT_EQ(bombPreview[0].X, 540 + 52);
  EXPECT_EQ(bombPreview[0].Y, 552);
  EXPECT_EQ(canvas.With(Ball(10)).size(), 1u);
  EXPECT_TRUE(canvas.With(Ball(1)).empty());  // the fourth preview ball is not shown
}

TEST_F(Painter, BombsUseTheirOwnAnimationsWithTheirTopLeftCorners) {
  Put(2, 2, KindBomb);
  Put(5, 6, KindBomb);
  ClickCell(2, 2);
  PointAt(5, 6);
  board.FBombPhase = 3.2;
  Frame(1.0);  // 4.2
  const auto selected = canvas.With(Ball(BombLook, 2));
  ASSERT_EQ(selected.size(), 1u);
  EXPECT_EQ(selected[0].Op, "DrawImage");
  EXPECT_EQ(selected[0].X, 303 + 52 * 2);
  EXPECT_EQ(selected[0].Y, 11 + 52 * 2);
  EXPECT_EQ(selected[0].Pattern, 4);
  const auto hovered = canvas.With(Ball(BombLook, 1));
  ASSERT_EQ(hovered.size(), 1u);
  EXPECT_EQ(hovered[0].X, 303 + 52 * 5);
  EXPECT_EQ(hovered[0].Y, 27 + 52 * 6);
}

TEST_F(Painter, TheGhostIsATranslucentCopyOnTheHoveredEmptyCell) {
  Put(0, 0, 2);
  ClickCell(0, 0);
  PointAt(3, 2);
  Frame();
  Frame();
  std::vector<CanvasCall> ghosts;
  for (const CanvasCall& c : canvas.Calls)
    if (c.Op == "DrawRotatedColorTrunc") ghosts.push_back(c);
  ASSERT_EQ(ghosts.size(), 1u);
  EXPECT_EQ(ghosts[0].Image, Ball(1));
  EXPECT_EQ(ghosts[0].X, 303 + 52 * 3 + 24);
  EXPECT_EQ(ghosts[0].Y, 31 + 52 * 2 + 25);
  EXPECT_EQ(ghosts[0].Colour, 0x44FFFFFFu);
  EXPECT_EQ(ghosts[0].Effect, 0x102);
  // The path's cells show pattern 1: column 0 down to row 2, then along row 2.
  std::map<std::pair<int, int>, int> patterns;
  for (const CanvasCall& c : canvas.With(&pictures.Field))
    patterns[{(c.X - 298) / 52, (c.Y - 26) / 52}] = c.Pattern;
  EXPECT_EQ((patterns[{3, 2}]), 1);
  EXPECT_EQ((patterns[{1, 2}]), 1);
  EXPECT_EQ((patterns[{5, 5}]), 0);
}

TEST_F(Painter, TheTravellingBallStartsHalfACellPastTheSourceAndMovesACellPerUnit) {
  Put(0, 0, 4);  // look 3
  ClickCell(0, 0);
  PointAt(3, 0);
  Frame();
  ClickCell(3, 0);
  std::vector<int> xs;
  while (board.FMovePending && board.FBusyTimer > 0.0) {
    Frame(0.25);
    for (const CanvasCall& c : canvas.With(Ball(3)))
      if (c.Y == 31 + 25) xs.push_back(c.X - 303 - 24);
  }
  // Cell c is drawn while its value c + 1 - t lies strictly between 0.5 and 1.5 (halves round to
  // even), at (t + 0.5) cells; at the target there is no next cell and the ball stays put.
  EXPECT_EQ(xs, (std::vector<int>{39, 65, 78, 91, 117, 130, 143, 156, 156}));
}

TEST_F(Painter, MissingPicturesDrawNothing) {
  TPowerBoardPainter bare{canvas, nullptr, {}};
  board.SetPainter(&bare);
  FillBoard(KindJoker);
  board.FNextCount = 4;
  Frame();
  EXPECT_TRUE(canvas.Calls.empty());
}

// A whole frame on the render device over the recording back end.
class PainterOnDevice : public RecordingDeviceTest {};

TEST_F(PainterOnDevice, ANewGamesFrameDrawsEveryCellBallAndPreviewBallAsAQuad) {
  Open();
  auto field = Image(51, 51, 51, 51, 64, 64);
  auto ball = Image(48, 48, 48, 48, 64, 64);
  TPowerGraphCanvas canvas(*Graph);
  TPowerBoardPainter painter(canvas, field.get(), [&](BallPicture) { return ball.get(); });
  TShellValues values;
  RecordingServices services{values};
  TGameField board{TBoardServices{services, services, services, services, services}, values};
  board.SetPainter(&painter);
  values.ScreenState = GameScreen;
  values.GameMode = ModeNormal;
  values.MeasuredFps = 0;
  values.MouseX = 0;
  values.RandSeed = 5;
  board.DropBalls(6, true);
  board.FNextCount = 3;
  for (int i = 0; i < 7; ++i) board.UpdateAndDraw(1.0);  // the new balls have appeared
  Recording->Clear();
  Graph->BeginFrame();
  board.UpdateAndDraw(1.0);
  Graph->EndFrame();
  int quads = 0;
  for (const TRecordedCall* draw : Recording->Named("DrawPrimitive"))
    quads += static_cast<int>(draw->Args[2]) / 2;
  EXPECT_EQ(quads, 81 + 6 + 3);
}

}  // namespace
}  // namespace marblix::testing
