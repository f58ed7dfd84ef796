// The particle engine's kinds, their update rules on the previous frame's elapsed time, and their
// removal.
#include "effects/qz_pengine.h"

#include <algorithm>
#include <cmath>

#include "graphics/AGFUnit.h"
#include "graphics/PowerD3D.h"
#include "graphics/PowerTypes.h"
#include "text/qz_text.h"

namespace marblix {

namespace {

constexpr uint32_t ShadowColour = 0x888888;
constexpr uint32_t TextColour = 0xFFFFFF;
constexpr uint32_t White = 0xFFFFFFFF;
constexpr uint32_t ExplosionColour = 0x00FFFFFF;
constexpr float FlyingBallFloor = 600;
constexpr double NearDistance = 3;
constexpr float ShadowOffset = 2;

TParticle MakeParticle(TParticleKind kind, float x, float y) {
  TParticle particle;
  particle.Kind = kind;
  particle.X = x;
  particle.Y = y;
  particle.Colour = White;
  return particle;
}

constexpr int Upright = 64;
constexpr int ExplosionAngle = 90;
constexpr int NaturalScale = 256;
constexpr uint32_t ExplosionTint = 0x110066FF;

// To an integer, held within its range: an explosion's flash grows by the inverse of the frame
// time, without bound while frames take almost no time.
int ToInt(double value) {
  return static_cast<int>(std::clamp(value, -2147483648.0, 2147483647.0));
}
// Rounds to the nearest integer, halves to the even neighbour.
int Round(double value) {
  return ToInt(std::nearbyint(value));
}
int Trunc(double value) {
  return ToInt(value);
}

// The colour's low three bytes under the given alpha.
uint32_t WithAlpha(uint32_t colour, int alpha) {
  return static_cast<uint32_t>(std::clamp(alpha, 0, 255)) << 24 | (colour & 0x00FFFFFF);
}

// Stores a sum computed in double into a single-precision field.
void AddTo(float& field, double amount) {
  field = static_cast<float>(field + amount);
}

}  // namespace

TQzParticleEngine::TQzParticleEngine(TPowerGraph* device, TShellValues& values)
    : Device(device), Values(values) {}

float TQzParticleEngine::ShiftIntoTextArea(const std::string& text, float x) const {
  if (!TextArea || Font == nullptr) return 0;
  const float right = x + ShadowOffset + static_cast<float>(Font->TextWidth(text));
  if (right > static_cast<float>(TextArea->Right))
    return static_cast<float>(TextArea->Right) - right;
  if (x < static_cast<float>(TextArea->Left)) return static_cast<float>(TextArea->Left) - x;
  return 0;
}

void TQzParticleEngine::AddText(const std::string& text, float x, float y) {
  x += ShiftIntoTextArea(text, x);
  for (const bool shadow : {true, false}) {
    const float offset = shadow ? ShadowOffset : 0;
    TParticle particle = MakeParticle(pkText, x + offset, y + offset);
    if (TextArea) particle.TopLimit = static_cast<float>(TextArea->Top) + offset;
    particle.Colour = shadow ? ShadowColour : TextColour;
    particle.VY = -20;
    particle.Life = 1.0f;
    particle.Frames = static_cast<uint16_t>(Values.Random(360));
    particle.Text = text;
    List.push_back(std::move(particle));
  }
}

void TQzParticleEngine::AddBall(TAGFImage* image, bool appear, float x, float y) {
  TParticle particle = MakeParticle(pkBall, x, y);
  particle.Image = image;
  particle.Value = appear ? 0 : 256;
  particle.Life = appear ? 0.24f : 0.23f;
  particle.Grow = appear ? 1 : 0;
  particle.Frames = 64;
  List.push_back(std::move(particle));
}

void TQzParticleEngine::AddExplosion(float x, float y) {
  TParticle particle = MakeParticle(pkExplosion, x, y);
  particle.Value = 128;
  particle.Life = 0.05f;
  particle.Colour = ExplosionColour;
  List.push_back(std::move(particle));
}

void TQzParticleEngine::AddFlyingBall(TAGFImage* image, float x, float y, float vx, float vy) {
  TParticle particle = MakeParticle(pkFlyingBall, x, y);
  particle.Image = image;
  particle.Value = 256;
  particle.VX = vx;
  particle.VY = vy;
  List.push_back(std::move(particle));
}

void TQzParticleEngine::AddAnimation(TAGFImage* image, int frames, float x, float y, float speed,
                                     int loops) {
  TParticle particle = MakeParticle(pkAnimation, x, y);
  particle.Image = image;
  particle.Frames = static_cast<uint16_t>(frames);
  particle.VY = speed;
  particle.Life = static_cast<float>(static_cast<double>(frames) * loops / speed);
  List.push_back(std::move(particle));
}

bool TQzParticleEngine::Advance(TParticle& p, double e) {
  switch (p.Kind) {
    case pkText:
      AddTo(p.X, p.VX * e / 10);
      AddTo(p.Y, p.VY * e / 10);
      AddTo(p.Age, e / 30);
      return p.Age >= p.Life;
    case pkBall:
      p.Value += p.Grow ? 40 * e : -40 * e;
      AddTo(p.Age, e / 30);
      return p.Age >= p.Life;
    case pkAnimation:
      p.Value += e * p.VY;
      if (p.Value > p.Frames) p.Value -= p.Frames;
      AddTo(p.Age, e);
      return p.Age >= p.Life;
    case pkFlyingBall:
      AddTo(p.X, p.VX * e);
      AddTo(p.Y, p.VY * e);
      AddTo(p.VY, 5 * e);
      AddTo(p.Age, e / 30);
      return p.Y >= FlyingBallFloor;
    case pkExplosion:
      AddTo(p.X, p.VX * e / 10);
      AddTo(p.Y, p.VY * e / 10);
      AddTo(p.Age, e / 30);
      if (p.Age >= p.Life) return true;
      ++p.Frames;
      // The flash grows by the inverse of the frame time; a frame that took no time adds nothing.
      if (e > 0) p.Value += 0.5 / e;
      return false;
    default:
      return false;
  }
}

void TQzParticleEngine::Update(double elapsed) {
  const double e = PreviousElapsed;
  // Ended particles are taken out and the gap closes in place, keeping the order of the rest.
  size_t kept = 0;
  for (size_t index = 0; index < List.size(); ++index) {
    if (Advance(List[index], e)) continue;
    if (kept != index) List[kept] = std::move(List[index]);
    ++kept;
  }
  List.erase(List.begin() + static_cast<std::ptrdiff_t>(kept), List.end());
  PreviousElapsed = elapsed;
}

void TQzParticleEngine::ClearAnimations() {
  std::erase_if(List, [](const TParticle& particle) { return particle.Kind == pkAnimation; });
}

namespace {
bool IsNear(const TParticle& particle, float x, float y) {
  return std::fabs(static_cast<double>(particle.X) - x) < NearDistance &&
         std::fabs(static_cast<double>(particle.Y) - y) < NearDistance;
}
}  // namespace

void TQzParticleEngine::RemoveNear(float x, float y) {
  std::erase_if(List, [x, y](const TParticle& particle) { return IsNear(particle, x, y); });
}

void TQzParticleEngine::RemoveAnimationsNear(float x, float y) {
  std::erase_if(List, [x, y](const TParticle& particle) {
    return particle.Kind == pkAnimation && IsNear(particle, x, y);
  });
}

void TQzParticleEngine::Draw(uint8_t layer) {
  if (Device == nullptr) return;
  for (const TParticle& particle : List) {
    if (particle.Layer == layer) DrawParticle(particle);
  }
}

void TQzParticleEngine::DrawParticle(const TParticle& p) {
  const int x = Trunc(p.X);
  const int y = Trunc(p.Y);
  switch (p.Kind) {
    case pkText:
      if (Font != nullptr) {
        const int alpha = Round(255.0 * p.Life - 255.0 * p.Age);
        Font->DrawLeft(p.Text, x, Trunc(std::max(p.Y, p.TopLimit)), WithAlpha(p.Colour, alpha));
      }
      break;
    case pkBall:
      Device->DrawRotated(p.Image, x, y, Upright, Trunc(p.Value), 0, blendAlpha);
      break;
    case pkAnimation:
      Device->DrawRotated(p.Image, x, y, Upright, NaturalScale, Trunc(p.Value), blendAlpha);
      break;
    case pkFlyingBall: {
      const int pattern = FlyingBallPhase ? Trunc(FlyingBallPhase()) : 0;
      Device->DrawRotated(p.Image, x, y, Upright, Trunc(p.Value), pattern, blendAlpha);
      break;
    }
    case pkExplosion: {
      const int alpha = Round(100.0 * p.Life - 100.0 * p.Age) / 10;
      const int cx = Round(p.X);
      const int cy = Round(p.Y);
      const int scale = Round(p.Value);
      Device->DrawRotatedColor(ExplosionImage, cx, cy, ExplosionAngle, scale,
                               WithAlpha(p.Colour, alpha), 0, blendAdd);
      if (p.Age < 1) {
        Device->DrawRotatedColor(ExplosionImage, cx, cy, ExplosionAngle, scale, ExplosionTint, 0,
                                 blendAdd);
      }
      break;
    }
    default:
      break;
  }
}

}  // namespace marblix
