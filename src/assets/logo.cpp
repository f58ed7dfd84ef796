// The logo sequence: three phases on the logo's own clocks, each drawn in the frame it runs.
#include "assets/logo.h"

#include <cmath>

namespace marblix {
namespace {

int RoundHalfEven(double v) {
  return static_cast<int>(std::nearbyint(v));
}

}  // namespace

int ProgressRight(int statusLineWidth, double progress) {
  return RoundHalfEven(statusLineWidth / FullProgress * progress) + 286;
}

void DrawLogoScene(const LogoState& state, LogoPainter& painter) {
  painter.DrawScene(static_cast<int>(std::trunc(state.LogoClock)));
}

bool SkipLogo(const LogoState& state, TShellValues& values) {
  if (values.ScreenState != LogoScreen || state.ShownTime < LogoSkippableAfter) return false;
  values.ScreenState = LoadingScreen;
  return true;
}

void StepLogo(LogoState& state, double d, LogoPainter& painter, TShellValues& values) {
  state.LoadProgress += d;
  state.ShownTime += d;
  const double step = 1.25 * d;
  if (state.LogoPhase == 0) {
    state.LogoClock += step;
    if (state.LogoClock > 32) {
      state.LogoClock = 3;
      state.LogoPhase = 1;
    }
  }
  DrawLogoScene(state, painter);
  if (state.LogoPhase == 1) {
    state.FlareClock += step;
    if (state.FlareClock >= 16) state.LogoPhase = 2;
    const double growing = 30 * state.FlareClock;
    const int scale =
        32 * state.FlareClock < 256 ? RoundHalfEven(growing) : RoundHalfEven(512 - growing);
    painter.DrawFlare(RoundHalfEven(16 * state.FlareClock), scale);
  }
  if (state.LogoPhase == 2) {
    state.ShineClock += step;
    if (state.ShineClock >= 28) values.ScreenState = LoadingScreen;
    painter.DrawShine(RoundHalfEven(state.ShineClock));
  }
  painter.DrawProgress(ProgressRight(painter.StatusLineWidth(), state.LoadProgress));
}

}  // namespace marblix
