// TPowerBoardPainter: draws the board's cells, balls, preview and travelling ball with the game's
// pictures on a canvas.
#pragma once

#include <functional>

#include "board/BoardPainter.h"
#include "board/BoardServices.h"
#include "board/draw/BoardCanvas.h"

namespace marblix {

class TPowerBoardPainter final : public IBoardPainter {
 public:
  // The loaded image of a ball picture, or null when there is none. Look 21's variants 1 and 2
  // are the hovered-bomb and selected-bomb pictures.
  using TPictureLookup = std::function<const TAGFImage*(BallPicture)>;

  TPowerBoardPainter(IBoardCanvas& canvas, const TAGFImage* field, TPictureLookup pictureOf)
      : FCanvas(canvas), FField(field), FPictureOf(std::move(pictureOf)) {}

  void DrawCellBackground(int x, int y, int pattern) override;
  void DrawGhost(uint8_t look, int x, int y) override;
  void DrawRestingBall(uint8_t look, int x, int y) override;
  void DrawSelectedBall(uint8_t look, int x, int y, int pattern) override;
  void DrawSelectedBomb(int x, int y, int pattern) override;
  void DrawHoveredBall(uint8_t look, int x, int y, int pattern) override;
  void DrawHoveredBomb(int x, int y, int pattern) override;
  void DrawPreviewBall(uint8_t look, int m, int pattern) override;
  void DrawTravellingBall(uint8_t look, int x, int y, float p, int dirX, int dirY) override;
  void DrawCellFrame(int x, int y, uint32_t colour) override;

 private:
  const TAGFImage* Picture(uint8_t look, uint8_t variant) const;
  // The ball picture of the look, and half its pattern size (toward zero); false without it.
  bool HalfSize(uint8_t look, int& halfW, int& halfH) const;
  void DrawBallInCell(uint8_t look, uint8_t variant, int x, int y, int pattern);

  IBoardCanvas& FCanvas;
  const TAGFImage* FField;
  TPictureLookup FPictureOf;
};

}  // namespace marblix
