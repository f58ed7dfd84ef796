// The animated logo: a ball dropping into the lettering, a spinning flare, a shine, a progress bar.
#pragma once

#include <cstdint>

#include "shell/defs.h"

namespace marblix {

// What the logo draws; the game draws with the render device, tests record.
class LogoPainter {
 public:
  virtual ~LogoPainter() = default;
  // The still scene: overlay, lettering, and letter and ball at `pattern`.
  virtual void DrawScene(int pattern) = 0;
  // The flare centred at (340, 160); angle in 1/256 turn, scale in 1/256.
  virtual void DrawFlare(int angle, int scale) = 0;
  // The shine over the lettering at (281, 233).
  virtual void DrawShine(int pattern) = 0;
  // The status line at (286, 330), clipped at `right`.
  virtual void DrawProgress(int right) = 0;
  // Pattern width of the status line picture.
  virtual int StatusLineWidth() = 0;
};

// The logo's clocks and the progress shared with the asset loader.
struct LogoState {
  double LogoClock = 0;
  uint8_t LogoPhase = 0;  // 0 ball, 1 flare, 2 shine
  double FlareClock = 0;
  double ShineClock = 0;
  double LoadProgress = 0;
  double ShownTime = 0;  // how long the logo has been shown, in units of 1/15 s
};

// A click or a key cuts the logo short once it has shown this long: one second.
inline constexpr double LogoSkippableAfter = 15;

// The progress bar is full at this much progress: about 77 units of logo and 118 textures.
inline constexpr double FullProgress = 195;

// The right edge of the progress bar: round(width / 195 * progress) + 286, halves to even.
int ProgressRight(int statusLineWidth, double progress);

// Draws the still scene with the letter and ball at LogoClock.
void DrawLogoScene(const LogoState& state, LogoPainter& painter);

// A click or a key during the logo: once it has shown for a second, ScreenState becomes
// LoadingScreen at once. Returns whether it did.
bool SkipLogo(const LogoState& state, TShellValues& values);

// One frame of the logo: advances its clocks by d (and the progress), draws it, and sets
// ScreenState to LoadingScreen when the shine has finished.
void StepLogo(LogoState& state, double d, LogoPainter& painter, TShellValues& values);

}  // namespace marblix
