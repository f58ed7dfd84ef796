// The three drawing operations the board uses, and their forwarding to the render device.
#pragma once

#include <cstdint>

namespace marblix {

class TAGFImage;
class TPowerGraph;

class IBoardCanvas {
 public:
  virtual ~IBoardCanvas() = default;
  // Top-left corner at (x, y).
  virtual void DrawImage(const TAGFImage* image, int x, int y, int pattern, int effect) = 0;
  // Centred at (x, y).
  virtual void DrawRotated(const TAGFImage* image, int x, int y, int angle, int scale, int pattern,
                           int effect) = 0;
  virtual void DrawRotatedColorTrunc(const TAGFImage* image, int x, int y, int angle, int scale,
                                     uint32_t color, int pattern, int effect) = 0;
  // An untextured rectangle from (left, top) to (right, bottom), blended by its colour's alpha.
  virtual void FillRectangle(int left, int top, int right, int bottom, uint32_t color) = 0;
};

// The game's canvas: the render device itself.
class TPowerGraphCanvas final : public IBoardCanvas {
 public:
  explicit TPowerGraphCanvas(TPowerGraph& graph) : FGraph(graph) {}
  void DrawImage(const TAGFImage* image, int x, int y, int pattern, int effect) override;
  void DrawRotated(const TAGFImage* image, int x, int y, int angle, int scale, int pattern,
                   int effect) override;
  void DrawRotatedColorTrunc(const TAGFImage* image, int x, int y, int angle, int scale,
                             uint32_t color, int pattern, int effect) override;
  void FillRectangle(int left, int top, int right, int bottom, uint32_t color) override;

 private:
  TPowerGraph& FGraph;
};

}  // namespace marblix
