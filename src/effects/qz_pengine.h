// TQzParticleEngine: score texts, appearing and vanishing balls, thrown balls, explosions and
// looped animations.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "graphics/PowerTypes.h"
#include "shell/defs.h"

namespace marblix {

class TAGFImage;
class TPowerGraph;
class TQzFont;

enum TParticleKind : uint8_t {
  pkText = 1,
  pkBall = 2,
  pkAnimation = 3,
  pkFlyingBall = 4,
  pkExplosion = 6,
};

struct TParticle {
  TAGFImage* Image = nullptr;  // not used by texts and explosions
  uint8_t Kind = 0;
  uint8_t Layer = 0;
  double Value = 0;     // scale in 1/256, or an animation's frame position
  uint16_t Frames = 0;  // animation frames; counts an explosion's updates
  uint32_t Colour = 0;  // 0xAABBGGRR; texts and explosions get their alpha when drawn
  float Age = 0;
  float X = 0;
  float Y = 0;
  float VX = 0;
  float VY = 0;  // an animation's speed in frames per unit
  float Life = 0;
  std::string Text;
  uint8_t Grow = 0;                                       // a ball: 1 appearing, 0 vanishing
  float TopLimit = std::numeric_limits<float>::lowest();  // a rising text stops here
};

class TQzParticleEngine {
 public:
  // The shell values lend the engine their random generator; they outlive the engine.
  TQzParticleEngine(TPowerGraph* device, TShellValues& values);

  void AddText(const std::string& text, float x, float y);
  void AddBall(TAGFImage* image, bool appear, float x, float y);
  void AddExplosion(float x, float y);
  void AddFlyingBall(TAGFImage* image, float x, float y, float vx, float vy);
  void AddAnimation(TAGFImage* image, int frames, float x, float y, float speed, int loops);

  // Advances every particle by the previous call's elapsed time (so the first call moves nothing).
  void Update(double elapsed);
  // Draws the particles of the layer in the order they were added.
  void Draw(uint8_t layer);
  void ClearAnimations();
  // Takes out every particle closer than 3 pixels to (x, y) in both directions.
  void RemoveNear(float x, float y);
  // The same for animation particles only.
  void RemoveAnimationsNear(float x, float y);

  const std::vector<TParticle>& Particles() const { return List; }
  double LastElapsed() const { return PreviousElapsed; }

  // What drawing needs besides the device: the font of the score texts, the explosion picture
  // (".\graphics\explosion.bmp") and the board's animation phase that picks a flying ball's
  // pattern.
  TQzFont* Font = nullptr;
  TAGFImage* ExplosionImage = nullptr;
  std::function<double()> FlyingBallPhase;
  // The area the score texts are drawn in: a text that would cross its left or right edge is
  // shifted inward as it is added, and a rising text stops at its top, so that none is cut.
  std::optional<TRect> TextArea;

 private:
  // How far a text and its shadow, added at x, must move to lie inside TextArea.
  float ShiftIntoTextArea(const std::string& text, float x) const;
  // Advances one particle by e; true when it has ended.
  static bool Advance(TParticle& particle, double e);
  void DrawParticle(const TParticle& particle);

  TPowerGraph* Device;
  TShellValues& Values;
  std::vector<TParticle> List;
  double PreviousElapsed = 0;
};

}  // namespace marblix
