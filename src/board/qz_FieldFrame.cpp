// TGameField's per-frame work: the timers count down, the board is drawn, sounds and rest
// animations start, the game-over removal runs and the turn cycle moves on.
#include <algorithm>
#include <cmath>

#include "board/qz_Field.h"
#include "shell/defs.h"

namespace marblix {

namespace {

// Delphi-style rounding: to nearest, halves to even.
int RoundHalfEven(double value) {
  return static_cast<int>(std::nearbyint(value));
}

// A rest animation: which rest picture, how many patterns, how often, and its height offset.
struct RestAnimation {
  uint8_t Variant;
  int Frames;
  int Loops;
  int OffsetY;
};
constexpr RestAnimation RestAnimations[4] = {
    {RestVariant2, 36, 2, 0},
    {RestVariant4, 54, 1, 1},
    {RestVariant3, 44, 3, 0},
    {RestVariant5, 2, 20, 0},
};

// Random(MeasuredFps) with a rate that can never be negative.
uint32_t RandomBelowFps(TShellValues& values) {
  return values.Random(static_cast<uint32_t>(std::max(values.MeasuredFps, 0)));
}

}  // namespace

void TGameField::UpdateAndDraw(double elapsed) {
  if (!(FValues.ScreenState & GameScreen)) return;
  CountDownPathMap(elapsed);
  DrawCellBackgrounds();
  CountDownTimers(elapsed);
  AdvancePhases(elapsed);
  DrawRestingBalls();
  DrawSelectedBall();
  UpdateHoveredBall(elapsed);
  DrawPreview();
  UpdateTravellingBall();
  DrawMarkFrames();
  if (!FSelected) StartRestAnimation();
  if (FGameOver) RemoveOneBallAtGameOver();
  FinishStep();
  UndoWhenResting();
  if (FHintWanted && FBusyTimer <= 0.0) ShowHint();
  // Last, so that nothing this frame changed is drawn with an animation over it.
  EndStaleRestAnimations();
}

void TGameField::CountDownPathMap(double elapsed) {
  for (float& value : FPathMap)
    if (value > 0.0f) value = static_cast<float>(value - elapsed);
}

void TGameField::CountDownTimers(double elapsed) {
  for (double& timer : FCellTimers)
    if (timer > 0.0) timer -= elapsed;
  if (FBusyTimer > 0.0) FBusyTimer -= elapsed;
  if (FHintTimer > 0.0) FHintTimer -= elapsed;
  if (FNoLineTimer > 0.0) FNoLineTimer -= elapsed;
}

void TGameField::AdvancePhases(double elapsed) {
  FPhase = static_cast<float>(FPhase + elapsed);
  StepSoundTimer = static_cast<float>(StepSoundTimer + elapsed);
  PlayJumpSound();
  if (FPhase > 25.0f) FPhase -= 25.0f;
  FBombPhase += elapsed;
  if (FBombPhase > 6.0) FBombPhase -= 6.0;
}

void TGameField::PlayJumpSound() {
  if (!FSelected || StepSoundTimer < 5.0f || RoundHalfEven(FPhase) % 5 != 0) return;
  StepSoundTimer = 0.0f;
  // A fresh selection starts the index past the cycle, so its first sound is entry 0.
  ++StepSoundIndex;
  if (StepSoundIndex >= 4) StepSoundIndex = 0;
  const uint8_t look = LookOf(FCells(FSelX, FSelY));
  if (look < BombLook) FServices.Sounds.PlayEffect(SelectSoundOf(look, StepSoundIndex));
}

void TGameField::DrawCellBackgrounds() {
  if (!FPainter) return;
  const bool pointerOnBoard = FValues.MouseX > BoardOriginX;
  for (int x = 0; x <= FMaxX; ++x) {
    for (int y = 0; y <= FMaxY; ++y) {
      const uint8_t mark = FHighlight(x, y);
      if (mark == HighlightUnreachable) {
        FPainter->DrawCellBackground(x, y, 2);
        continue;
      }
      FPainter->DrawCellBackground(x, y, (pointerOnBoard && mark != 0) || IsMarked(x, y) ? 1 : 0);
      const bool hovered = x == FHoverX && y == FHoverY;
      if (FSelected && hovered && FCells(x, y).Mask == 0 && pointerOnBoard && IsKnownLook(FSelLook))
        FPainter->DrawGhost(FSelLook, x, y);
    }
  }
}

void TGameField::DrawRestingBalls() {
  if (!FPainter) return;
  for (int x = 0; x <= FMaxX; ++x) {
    for (int y = 0; y <= FMaxY; ++y) {
      const TCell& cell = FCells(x, y);
      if (cell.Mask == 0 || FCellTimers(x, y) > 0.0) continue;
      if (FSelected && x == FSelX && y == FSelY) continue;
      if (x == FHoverX && y == FHoverY) continue;
      if (IsKnownLook(LookOf(cell))) FPainter->DrawRestingBall(LookOf(cell), x, y);
    }
  }
}

void TGameField::DrawSelectedBall() {
  if (!FPainter || !FSelected) return;
  if (FCells(FSelX, FSelY).Mask == MaskBomb) {
    FPainter->DrawSelectedBomb(FSelX, FSelY, static_cast<int>(FBombPhase));
  } else if (IsKnownLook(FSelLook)) {
    FPainter->DrawSelectedBall(FSelLook, FSelX, FSelY, static_cast<int>(FPhase));
  }
}

void TGameField::UpdateHoveredBall(double elapsed) {
  const int x = FHoverX, y = FHoverY;
  if (!OnBoard(x, y)) return;
  const TCell& cell = FCells(x, y);
  if (cell.Mask == 0 || FCellTimers(x, y) > 0.0 || (x == FSelX && y == FSelY)) return;
  const uint8_t look = LookOf(cell);
  if (FPainter && cell.Mask == MaskBomb) {
    FPainter->DrawHoveredBomb(x, y, static_cast<int>(FBombPhase));
  } else if (FPainter && IsKnownLook(look)) {
    FPainter->DrawHoveredBall(look, x, y, static_cast<int>(FPhase));
  }
  FHoverTimer += elapsed;
  const bool isDestination = x == FDestX && y == FDestY;
  const bool soundedLast = x == FHoverSoundX && y == FHoverSoundY;
  if (isDestination || soundedLast || FHoverTimer <= 10.0) return;
  PlayLookSound(HoverSoundOf(look), look, LookCount);
  if (cell.Mask == MaskBomb) FServices.Sounds.PlayEffect(HBombSound);
  FHoverSoundX = static_cast<uint8_t>(x);
  FHoverSoundY = static_cast<uint8_t>(y);
  FHoverTimer = 0.0;
}

void TGameField::DrawPreview() {
  if (!FPainter) return;
  const int shown = std::clamp(FNextCount, 0, PreviewSize);
  for (int m = 0; m < shown; ++m) {
    const uint8_t look = LookOf(FPreview[m]);
    if (IsKnownLook(look)) FPainter->DrawPreviewBall(look, m, static_cast<int>(FPhase));
  }
}

void TGameField::UpdateTravellingBall() {
  if (FSelected) return;
  const auto roundsTo = [this](int x, int y, int value) {
    return OnBoard(x, y) && RoundHalfEven(FPathMap(x, y)) == value;
  };
  for (int x = 0; x <= FMaxX; ++x) {
    for (int y = 0; y <= FMaxY; ++y) {
      if (!roundsTo(x, y, 1)) continue;
      const int16_t oldX = FMoveDirX, oldY = FMoveDirY;
      FMoveDirX = static_cast<int16_t>(roundsTo(x + 1, y, 2) ? 1 : roundsTo(x - 1, y, 2) ? -1 : 0);
      FMoveDirY = static_cast<int16_t>(roundsTo(x, y + 1, 2) ? 1 : roundsTo(x, y - 1, 2) ? -1 : 0);
      if (FMoveDirX != oldX || FMoveDirY != oldY)
        FServices.Sounds.PlayEffect(SoundOf(NamedSound::s_pin));
      if (FPainter && IsKnownLook(FSelLook))
        FPainter->DrawTravellingBall(FSelLook, x, y, FPathMap(x, y), FMoveDirX, FMoveDirY);
    }
  }
}

void TGameField::StartRestAnimation() {
  if (RandomBelowFps(FValues) != 10) return;
  const uint32_t g = FValues.Random(4);
  const int x = static_cast<int>(FValues.Random(FMaxX + 1u));
  const int y = static_cast<int>(FValues.Random(FMaxY + 1u));
  const TCell& cell = FCells(x, y);
  if (cell.Mask == 0 || LookOf(cell) >= PlainLookCount) return;
  // A resting ball only: none while a move, a drop, a blast or the game's end is under way.
  if (!Resting() || FCellTimers(x, y) > 0.0) return;
  const RestAnimation& rest = RestAnimations[g];
  FServices.Particles.AddAnimation({LookOf(cell), rest.Variant}, rest.Frames, CellCentreX(x),
                                   CellCentreY(y) + rest.OffsetY, 1.0f, rest.Loops);
  FRestLooks(x, y) = LookOf(cell);
}

void TGameField::EndStaleRestAnimations() {
  for (int x = 0; x <= FMaxX; ++x) {
    for (int y = 0; y <= FMaxY; ++y) {
      const uint8_t look = FRestLooks(x, y);
      if (look == NoRestAnimation) continue;
      const TCell& cell = FCells(x, y);
      const bool selected = FSelected && x == FSelX && y == FSelY;
      const bool atRest = cell.Mask != 0 && LookOf(cell) == look && FCellTimers(x, y) <= 0.0;
      if (atRest && !selected) continue;
      FServices.Particles.EndAnimationsNear(CellCentreX(x), CellCentreY(y));
      FRestLooks(x, y) = NoRestAnimation;
    }
  }
}

void TGameField::ClearAllAnimations() {
  FServices.Particles.ClearAnimations();
  FRestLooks.Fill(NoRestAnimation);
}

void TGameField::RemoveOneBallAtGameOver() {
  if (RandomBelowFps(FValues) >= 100 || !AnyBall()) return;
  int x = 0, y = 0;
  do {
    x = static_cast<int>(FValues.Random(FMaxX + 1u));
    y = static_cast<int>(FValues.Random(FMaxY + 1u));
  } while (FCells(x, y).Mask == 0);
  AddBallParticle(LookOf(FCells(x, y)), false, CellCentreX(x), CellCentreY(y));
  FCells(x, y).Mask = 0;
  FBusyTimer = GameOverRemovalTime;
}

}  // namespace marblix
