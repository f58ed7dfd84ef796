// Where a frame is shown in a larger or smaller area: scaled to fit, centred, black bars around it.
#pragma once

namespace marblix {

// The frame's place in the area, in area pixels from the top-left corner.
struct TFrameFit {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Smooth = false;  // filtered linearly; otherwise every frame pixel is a block of whole pixels

  friend constexpr bool operator==(const TFrameFit&, const TFrameFit&) = default;
};

// The rule: the largest whole-number scale that fits is used, point-filtered, as long as it keeps
// at least nine tenths of the size that fits (1600 x 1200 shows the frame at 2x, 1700 x 1250 too,
// with bars); otherwise the frame is scaled smoothly to the largest size that fits (1280 x 960
// shows it at 1.6x). An area smaller than the frame always scales it down smoothly.
TFrameFit FitFrame(int frameWidth, int frameHeight, int areaWidth, int areaHeight);

}  // namespace marblix
