// TGameField's moves: the pointer's cell, selecting and moving with Click, the path search, the
// hover.
#include <cmath>

#include "board/qz_Field.h"
#include "shell/defs.h"

namespace marblix {

namespace {
constexpr float Occupied = 255.0f;
}  // namespace

bool TGameField::CellAt(int px, int py, int& x, int& y) const {
  // Truncation toward zero: up to 51 pixels left of or above the board still give column or row 0.
  x = (px - BoardOriginX) / CellPitch;
  y = (py - BoardOriginY) / CellPitch;
  return OnBoard(x, y);
}

void TGameField::Click() {
  if (FBusyTimer > 0.0) return;
  if (FValues.MouseButton != 0) {
    Deselect();
    ClearPathMap();
    FServices.Sounds.StopEffect(ABombSound);
    return;
  }
  int x = 0, y = 0;
  if (!CellAt(FValues.MouseX, FValues.MouseY, x, y)) return;
  FServices.Sounds.StopEffect(ABombSound);

  TCell& cell = FCells(x, y);
  if (cell.Mask == 0) {
    if (!FSelected) return;
    const uint8_t steps = FindPath(FSelX, FSelY, x, y);
    if (steps >= 1 && steps <= 254) {
      TakeSnapshot();
      FCellTimers(FSelX, FSelY) = steps + 1;
      FBusyTimer = steps;
      FMovePending = true;
      FSelected = false;
      FDestX = x;
      FDestY = y;
      FHintTimer = 0.0;
      FNoLineTimer = 0.0;
      FServices.Sounds.PlayEffectLooped(SoundOf(NamedSound::s_ballmove));
    } else if (steps == NoPath) {
      Deselect();
    }
    return;
  }

  if (!FSelected && LookOf(cell) == BombLook) FServices.Sounds.PlayEffectLooped(ABombSound);
  FServices.Particles.RemoveNear(CellCentreX(x), CellCentreY(y) + 1);
  FServices.Particles.RemoveNear(CellCentreX(x), CellCentreY(y));
  StepSoundTimer = 5.0f;
  StepSoundIndex = 15;
  if (FSelected && FSelX == x && FSelY == y) {
    Deselect();
    // The last hover's path must not count down as a phantom travelling ball.
    ClearPathMap();
  } else {
    FSelX = static_cast<uint8_t>(x);
    FSelY = static_cast<uint8_t>(y);
    FSelLook = LookOf(cell);
    FSelected = true;
  }
}

// ---- Path search
// ---------------------------------------------------------------------------------

void TGameField::FillSearchMap(int fromX, int fromY) {
  for (int x = 0; x <= FMaxX; ++x)
    for (int y = 0; y <= FMaxY; ++y) FPathMap(x, y) = FCells(x, y).Mask != 0 ? Occupied : 0.0f;
  FPathMap(fromX, fromY) = 1.0f;
}

void TGameField::SweepLevel(float level) {
  static constexpr int Dx[4] = {1, -1, 0, 0};
  static constexpr int Dy[4] = {0, 0, 1, -1};
  for (int x = 0; x <= FMaxX; ++x) {
    for (int y = 0; y <= FMaxY; ++y) {
      if (FPathMap(x, y) != level) continue;
      for (int k = 0; k < 4; ++k) {
        const int nx = x + Dx[k], ny = y + Dy[k];
        if (OnBoard(nx, ny) && FPathMap(nx, ny) == 0.0f) FPathMap(nx, ny) = level + 1.0f;
      }
    }
  }
}

void TGameField::TraceBack(int toX, int toY, int level) {
  // Walking back from the target, the predecessor is tried left, right, above, below.
  static constexpr int Dx[4] = {-1, 1, 0, 0};
  static constexpr int Dy[4] = {0, 0, -1, 1};
  int cx = toX, cy = toY;
  for (int n = 0; n < FMaxX * FMaxY; ++n, --level) {
    for (int x = 0; x <= FMaxX; ++x)
      for (int y = 0; y <= FMaxY; ++y)
        if ((x != cx || y != cy) && FPathMap(x, y) == static_cast<float>(level))
          FPathMap(x, y) = 0.0f;
    const float previous = FPathMap(cx, cy) - 1.0f;
    for (int k = 0; k < 4; ++k) {
      const int nx = cx + Dx[k], ny = cy + Dy[k];
      if (OnBoard(nx, ny) && FPathMap(nx, ny) == previous) {
        cx = nx;
        cy = ny;
        break;
      }
    }
  }
  // Occupied cells keep their search mark until here: only the path keeps a number.
  for (float& value : FPathMap)
    if (value == Occupied) value = 0.0f;
}

uint8_t TGameField::FindPath(int fromX, int fromY, int toX, int toY) {
  if (!OnBoard(fromX, fromY) || !OnBoard(toX, toY)) return NoPath;
  if ((fromX == toX && fromY == toY) || FCells(toX, toY).Mask != 0) return NoPath;
  FillSearchMap(fromX, fromY);

  const int sweepLimit = FMaxX * FMaxY;
  float level = 1.0f;
  int sweeps = 0;
  do {
    ++sweeps;
    SweepLevel(level);
    level += 1.0f;
  } while (sweeps <= sweepLimit && FPathMap(toX, toY) == 0.0f);

  if (sweeps > sweepLimit) {
    FHighlight(toX, toY) = HighlightUnreachable;
    ClearPathMap();
    return NoPath;
  }
  const int length = static_cast<int>(std::nearbyint(FPathMap(toX, toY)));
  TraceBack(toX, toY, length);
  return static_cast<uint8_t>(length - 1);
}

// ---- Hover
// ---------------------------------------------------------------------------------------

void TGameField::UpdateHover() {
  FHoverX = NoHover;
  FHoverY = NoHover;
  int x = 0, y = 0;
  if (!CellAt(FValues.MouseX, FValues.MouseY, x, y)) return;
  FHoverX = static_cast<uint8_t>(x);
  FHoverY = static_cast<uint8_t>(y);
  if (!FSelected) {
    FHighlight.Fill(0);
    return;
  }
  for (int i = 0; i <= FMaxX; ++i) {
    for (int j = 0; j <= FMaxY; ++j) {
      const float value = std::nearbyint(FPathMap(i, j));
      FHighlight(i, j) = value >= Occupied ? 254 : value <= 0.0f ? 0 : static_cast<uint8_t>(value);
    }
  }
  const uint8_t steps = FindPath(FSelX, FSelY, FHoverX, FHoverY);
  if (steps >= 1 && steps <= 254) return;
  for (uint8_t& mark : FHighlight)
    if (mark != HighlightUnreachable) mark = 0;
  FHighlight(FSelX, FSelY) = 0;
}

}  // namespace marblix
