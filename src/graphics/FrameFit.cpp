// The scale and place of a frame shown in an area of another size.
#include "graphics/FrameFit.h"

#include <algorithm>
#include <cstdint>

namespace marblix {

TFrameFit FitFrame(int frameWidth, int frameHeight, int areaWidth, int areaHeight) {
  if (frameWidth <= 0 || frameHeight <= 0 || areaWidth <= 0 || areaHeight <= 0) return {};
  const int64_t fw = frameWidth, fh = frameHeight, aw = areaWidth, ah = areaHeight;
  TFrameFit fit;
  const int64_t whole = std::min(aw / fw, ah / fh);
  // whole / (the fitting scale) >= 9 / 10, the fitting scale being min(aw / fw, ah / fh).
  const bool crisp = whole >= 1 && (10 * whole * fw >= 9 * aw || 10 * whole * fh >= 9 * ah);
  if (crisp) {
    fit.Width = static_cast<int>(whole * fw);
    fit.Height = static_cast<int>(whole * fh);
  } else if (aw * fh <= ah * fw) {  // the width limits
    fit.Width = areaWidth;
    fit.Height = static_cast<int>((aw * fh + fw / 2) / fw);
  } else {
    fit.Height = areaHeight;
    fit.Width = static_cast<int>((ah * fw + fh / 2) / fh);
  }
  fit.Smooth = !crisp;
  fit.Left = (areaWidth - fit.Width) / 2;
  fit.Top = (areaHeight - fit.Height) / 2;
  return fit;
}

}  // namespace marblix
