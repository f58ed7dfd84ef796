// The board's pictures on the canvas: cell tiles, resting, selected, hovered, preview, ghost and
// travelling balls at their pixel positions.
#include "board/draw/PowerBoardPainter.h"

#include <cmath>

#include "board/BoardTypes.h"
#include "graphics/AGFUnit.h"
#include "graphics/PowerTypes.h"

namespace marblix {

namespace {
constexpr int Upright = 64;
constexpr int NaturalSize = 256;
constexpr uint32_t GhostColour = 0x44FFFFFF;
constexpr int GhostEffect = blendAlpha | blendDiffuseAlpha;
// A ball's picture in a cell is placed from (303, 31), 5 pixels inside the cell's corner.
constexpr int BallLeft = 303;
constexpr int BallTop = 31;
constexpr int PreviewLeft = 540;
constexpr int PreviewTop = 552;
constexpr uint8_t HoveredBombVariant = 1;
constexpr uint8_t SelectedBombVariant = 2;
constexpr int FrameThickness = 2;
}  // namespace

const TAGFImage* TPowerBoardPainter::Picture(uint8_t look, uint8_t variant) const {
  return FPictureOf ? FPictureOf({look, variant}) : nullptr;
}

bool TPowerBoardPainter::HalfSize(uint8_t look, int& halfW, int& halfH) const {
  const TAGFImage* ball = Picture(look, BallVariant);
  if (!ball) return false;
  halfW = ball->PatternWidth / 2;
  halfH = ball->PatternHeight / 2;
  return true;
}

void TPowerBoardPainter::DrawBallInCell(uint8_t look, uint8_t variant, int x, int y, int pattern) {
  int halfW = 0, halfH = 0;
  const TAGFImage* image = Picture(look, variant);
  if (!image || !HalfSize(look, halfW, halfH)) return;
  FCanvas.DrawRotated(image, BallLeft + CellPitch * x + halfW, BallTop + CellPitch * y + halfH,
                      Upright, NaturalSize, pattern, blendAlpha);
}

void TPowerBoardPainter::DrawCellBackground(int x, int y, int pattern) {
  if (!FField) return;
  FCanvas.DrawImage(FField, BoardOriginX + CellPitch * x, BoardOriginY + CellPitch * y, pattern,
                    blendAlpha);
}

void TPowerBoardPainter::DrawGhost(uint8_t look, int x, int y) {
  int halfW = 0, halfH = 0;
  if (!HalfSize(look, halfW, halfH)) return;
  FCanvas.DrawRotatedColorTrunc(Picture(look, BallVariant), BallLeft + CellPitch * x + halfW,
                                BallTop + CellPitch * y + halfH, Upright, NaturalSize, GhostColour,
                                0, GhostEffect);
}

void TPowerBoardPainter::DrawRestingBall(uint8_t look, int x, int y) {
  DrawBallInCell(look, BallVariant, x, y, 0);
}

void TPowerBoardPainter::DrawSelectedBall(uint8_t look, int x, int y, int pattern) {
  DrawBallInCell(look, SelectedVariant, x, y, pattern);
}

void TPowerBoardPainter::DrawHoveredBall(uint8_t look, int x, int y, int pattern) {
  DrawBallInCell(look, BallVariant, x, y, pattern);
}

void TPowerBoardPainter::DrawSelectedBomb(int x, int y, int pattern) {
  const TAGFImage* image = Picture(BombLook, SelectedBombVariant);
  if (image) FCanvas.DrawImage(image, 303 + CellPitch * x, 11 + CellPitch * y, pattern, blendAlpha);
}

void TPowerBoardPainter::DrawHoveredBomb(int x, int y, int pattern) {
  const TAGFImage* image = Picture(BombLook, HoveredBombVariant);
  if (image) FCanvas.DrawImage(image, 303 + CellPitch * x, 27 + CellPitch * y, pattern, blendAlpha);
}

void TPowerBoardPainter::DrawPreviewBall(uint8_t look, int m, int pattern) {
  const TAGFImage* image = Picture(look, BallVariant);
  if (!image) return;
  FCanvas.DrawRotated(image, PreviewLeft + CellPitch * m, PreviewTop, Upright, NaturalSize, pattern,
                      blendAlpha);
}

void TPowerBoardPainter::DrawTravellingBall(uint8_t look, int x, int y, float p, int dirX,
                                            int dirY) {
  int halfW = 0, halfH = 0;
  if (!HalfSize(look, halfW, halfH)) return;
  // From half a cell past the source, one cell per unit toward the next cell of the path.
  const double behind = static_cast<double>(p) - 1.5;
  const int px = static_cast<int>(std::nearbyint((x - behind * dirX) * CellPitch));
  const int py = static_cast<int>(std::nearbyint((y - behind * dirY) * CellPitch));
  FCanvas.DrawRotated(Picture(look, BallVariant), px + BallLeft + halfW, py + BallTop + halfH,
                      Upright, NaturalSize, 0, blendAlpha);
}

void TPowerBoardPainter::DrawCellFrame(int x, int y, uint32_t colour) {
  const int left = BoardOriginX + CellPitch * x, top = BoardOriginY + CellPitch * y;
  const int right = left + CellSize, bottom = top + CellSize;
  FCanvas.FillRectangle(left, top, right, top + FrameThickness, colour);
  FCanvas.FillRectangle(left, bottom - FrameThickness, right, bottom, colour);
  FCanvas.FillRectangle(left, top + FrameThickness, left + FrameThickness, bottom - FrameThickness,
                        colour);
  FCanvas.FillRectangle(right - FrameThickness, top + FrameThickness, right,
                        bottom - FrameThickness, colour);
}

}  // namespace marblix
