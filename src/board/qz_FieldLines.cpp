// TGameField's lines, bombs and scoring: RemoveLines, PaintBomb and ExplodeBomb.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>

#include "board/qz_Field.h"
#include "shell/defs.h"

namespace marblix {

namespace {

constexpr int LineLength = 5;

// The floating score texts sit on rows 51 pixels apart, a pixel less than the cells.
constexpr int TextRowPitch = 51;

// Adds points to the score, stopping at the largest score the game can hold: a resumed game may
// carry any score, and an overflow would turn it negative.
void AddToScore(int32_t& score, int points) {
  score = static_cast<int32_t>(std::clamp<int64_t>(int64_t{score} + points, INT32_MIN, INT32_MAX));
}

NamedSound RemovalSound(int factor) {
  if (factor < 7) return NamedSound::s_disapp;
  if (factor <= 12) return NamedSound::s_disapp2;
  return NamedSound::s_disapp3;
}

// The colour 1..7 of a colour bomb, from its lowest colour bit; 0 when it carries none.
uint8_t ColourOf(uint32_t mask) {
  const uint32_t colours = mask & MaskColours;
  return colours == 0 ? 0 : static_cast<uint8_t>(std::countr_zero(colours) + 1);
}

// The chain's score text in the language spoken: "{1}" in it stands for the bonus.
std::string ChainBonusText(const std::string& form, int bonus) {
  std::string text = form;
  const std::size_t at = text.find("{1}");
  if (at != std::string::npos) text.replace(at, 3, std::to_string(bonus));
  return text;
}

}  // namespace

bool TGameField::WindowMatches(int x, int y, int dx, int dy) const {
  uint32_t common = FCells(x, y).Mask;
  if (common == 0) return false;
  for (int k = 1; k < LineLength; ++k) common &= FCells(x + k * dx, y + k * dy).Mask;
  return common != 0;
}

void TGameField::MarkWindow(int x, int y, int dx, int dy) {
  for (int k = 0; k < LineLength; ++k) FMarks(x + k * dx, y + k * dy) = 1;
}

int TGameField::FindLines() {
  FMarks.Fill(0);
  int lines = 0;
  const auto test = [&](int x, int y, int dx, int dy) {
    if (!WindowMatches(x, y, dx, dy)) return;
    MarkWindow(x, y, dx, dy);
    // Overlapping windows of one direction make one longer line.
    const bool continues = OnBoard(x - dx, y - dy) && WindowMatches(x - dx, y - dy, dx, dy);
    if (!continues) ++lines;
  };
  for (int x = 0; x <= FMaxX; ++x) {
    for (int y = 0; y <= FMaxY; ++y) {
      const bool down = y < FMaxY - 3, right = x<FMaxX - 3, up = y> 3;
      if (down) test(x, y, 0, 1);
      if (right) test(x, y, 1, 0);
      if (right && down) test(x, y, 1, 1);
      if (right && up) test(x, y, 1, -1);
    }
  }
  return lines;
}

uint8_t TGameField::RemoveLines() {
  const int lines = FindLines();
  if (lines == 0) return 0;
  uint32_t multiplier = 1;
  int removed = 0;
  int minX = FMaxX, maxX = 0, minY = FMaxY, maxY = 0;
  for (int x = 0; x <= FMaxX; ++x) {
    for (int y = 0; y <= FMaxY; ++y) {
      if (FMarks(x, y) == 0) continue;
      TCell& cell = FCells(x, y);
      FServices.Particles.RemoveNear(CellCentreX(x), CellCentreY(y) + 1);
      FServices.Particles.RemoveNear(CellCentreX(x), CellCentreY(y));
      if (cell.Mask & MaskMultiplier) multiplier = cell.Mask >> 28;
      AddBallParticle(LookOf(cell), false, CellCentreX(x) + 1, CellCentreY(y) + 2);
      cell.Mask = 0;
      ++removed;
      minX = std::min(minX, x), maxX = std::max(maxX, x);
      minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
  }
  FValues.Tally.Lines += static_cast<uint32_t>(lines);
  FValues.Tally.Balls += static_cast<uint32_t>(removed);
  const int base = 2 * removed - LineLength;
  const int m = static_cast<int>(multiplier);
  const int cx = (minX + maxX) / 2, cy = (minY + maxY) / 2;

  std::string text = "+" + std::to_string(10 * base);
  if (m > 1) text += "x" + std::to_string(m);
  FServices.Particles.AddText(text, 303 + CellPitch * cx, 31 + TextRowPitch * cy);
  AddToScore(FValues.Score, base * m * 10);

  const int bonus = base * FChain * 10;
  if (FChain > 0) {
    FServices.Particles.AddText(ChainBonusText(FValues.ChainBonusText, bonus), 220 + CellPitch * cx,
                                51 + TextRowPitch * cy);
  }
  AddToScore(FValues.Score, bonus);

  if (base * m <= 100) FServices.Sounds.PlayEffect(SoundOf(RemovalSound(base * m)));
  return static_cast<uint8_t>(removed);
}

// ---- Colour bomb
// ---------------------------------------------------------------------------------

bool TGameField::PaintBomb(int x, int y, uint32_t mask) {
  if (!(mask & MaskColourBomb)) return false;
  // A colour bomb without a colour (only a damaged save holds one) has nothing to paint with.
  const uint8_t colour = ColourOf(mask);
  if (colour == 0 || !OnBoard(x, y)) return false;
  ClearAllAnimations();
  bool hit = false;
  for (int i = std::max(x - 1, 0); i <= std::min(x + 1, int{FMaxX}); ++i) {
    for (int j = std::max(y - 1, 0); j <= std::min(y + 1, int{FMaxY}); ++j) {
      if (FCells(i, j).Mask == 0) continue;
      FServices.Particles.RemoveNear(CellCentreX(i), CellCentreY(j));
      if (i == x && j == y) continue;
      FPaintColour = colour;
      FServices.Particles.AddAnimation(PaintPictureOf(colour), 18, CellCentreX(i), CellCentreY(j),
                                       2.0f, 1);
      hit = true;
    }
  }
  if (!hit) return false;
  ++FValues.Tally.Bombs;
  RemoveLines();
  AddBallParticle(LookOf(FCells(x, y)), false, CellCentreX(x) + 1, CellCentreY(y) + 2);
  FServices.Sounds.PlayEffect(SoundOf(NamedSound::s_paint));
  FCells(x, y).Mask = 0;
  FBusyTimer = PaintTime;
  FMovePending = false;
  return true;
}

// ---- Bomb
// ----------------------------------------------------------------------------------------

void TGameField::ThrowBall(int i, int j, int x, int y) {
  TCell& cell = FCells(i, j);
  cell.Mask = 0;
  ++FValues.Tally.Balls;
  const double r1 = FValues.Random(100), r2 = FValues.Random(100), r3 = FValues.Random(100);
  const float vx = static_cast<float>((r1 / 11 + 5) * (i - x) + r2 / 50 - 1);
  const float vy = static_cast<float>((r3 / 3 + 5) * (j - y));
  const uint8_t look = LookOf(cell);
  if (IsKnownLook(look)) {
    FServices.Particles.AddFlyingBall(BallPictureOf(look), CellCentreX(i) + 1, CellCentreY(j) + 2,
                                      vx, vy);
  }
  PlayLookSound(VanishSoundOf(look), look, LookCount);
}

bool TGameField::ExplodeBomb(int x, int y, uint32_t mask) {
  if (!(mask & MaskBomb) || !OnBoard(x, y)) return false;
  FCells(x, y).Mask = MaskBombExploding;
  bool hit = false;
  for (int i = std::max(x - 1, 0); i <= std::min(x + 1, int{FMaxX}); ++i) {
    for (int j = std::max(y - 1, 0); j <= std::min(y + 1, int{FMaxY}); ++j) {
      if (FCells(i, j).Mask == 0) continue;
      FServices.Particles.RemoveNear(CellCentreX(i), CellCentreY(j));
      if (i == x && j == y) continue;
      if (FCells(i, j).Mask == MaskBomb) {
        ExplodeBomb(i, j, MaskBomb);
      } else {
        ThrowBall(i, j, x, y);
        hit = true;
      }
    }
  }
  if (!hit) return false;
  ++FValues.Tally.Bombs;
  FCells(x, y).Mask = 0;
  AddBallParticle(LookOf(FCells(x, y)), false, CellCentreX(x) + 1, CellCentreY(y) + 2);
  FServices.Particles.AddExplosion(CellCentreX(x) + 1, CellCentreY(y) + 2);
  FServices.Sounds.PlayEffect(BombBoomSound);
  return true;
}

}  // namespace marblix
