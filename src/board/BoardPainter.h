// What the board draws each frame, in cells: a painter turns it into the device's drawing calls.
#pragma once

#include <cstdint>

namespace marblix {

// Positions are cells (x column, y row); looks are always 0..21; patterns are picture patterns.
class IBoardPainter {
 public:
  virtual ~IBoardPainter() = default;
  // Field picture pattern 0 plain, 1 on the highlighted path, 2 unreachable target.
  virtual void DrawCellBackground(int x, int y, int pattern) = 0;
  // The translucent copy of the selected ball over the hovered empty cell.
  virtual void DrawGhost(uint8_t look, int x, int y) = 0;
  virtual void DrawRestingBall(uint8_t look, int x, int y) = 0;
  virtual void DrawSelectedBall(uint8_t look, int x, int y, int pattern) = 0;
  virtual void DrawSelectedBomb(int x, int y, int pattern) = 0;
  virtual void DrawHoveredBall(uint8_t look, int x, int y, int pattern) = 0;
  virtual void DrawHoveredBomb(int x, int y, int pattern) = 0;
  // Preview ball m (0..3) of the next drop.
  virtual void DrawPreviewBall(uint8_t look, int m, int pattern) = 0;
  // The travelling ball in cell (x, y) whose path value is p, heading (dirX, dirY).
  virtual void DrawTravellingBall(uint8_t look, int x, int y, float p, int dirX, int dirY) = 0;
  // A thin frame just inside the cell's square, in colour (alpha, blue, green, red).
  virtual void DrawCellFrame(int x, int y, uint32_t colour) = 0;
};

}  // namespace marblix
