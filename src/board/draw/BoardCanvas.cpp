// The board's drawing operations handed to the render device; its results are not needed.
#include "board/draw/BoardCanvas.h"

#include "graphics/PowerD3D.h"
#include "graphics/PowerTypes.h"

namespace marblix {

void TPowerGraphCanvas::DrawImage(const TAGFImage* image, int x, int y, int pattern, int effect) {
  FGraph.DrawImage(image, x, y, pattern, effect);
}

void TPowerGraphCanvas::DrawRotated(const TAGFImage* image, int x, int y, int angle, int scale,
                                    int pattern, int effect) {
  FGraph.DrawRotated(image, x, y, angle, scale, pattern, effect);
}

void TPowerGraphCanvas::DrawRotatedColorTrunc(const TAGFImage* image, int x, int y, int angle,
                                              int scale, uint32_t color, int pattern, int effect) {
  FGraph.DrawRotatedColorTrunc(image, x, y, angle, scale, color, pattern, effect);
}

void TPowerGraphCanvas::FillRectangle(int left, int top, int right, int bottom, uint32_t color) {
  FGraph.DrawQuadColor(nullptr, left, top, right, top, right, bottom, left, bottom, color, 0,
                       blendAlpha);
}

}  // namespace marblix
