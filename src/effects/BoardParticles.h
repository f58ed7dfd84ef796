// The particle engine seen by the board: ball pictures named by look and variant, found through the
// loaded images.
#pragma once

#include <functional>

#include "board/BoardServices.h"
#include "effects/qz_pengine.h"

namespace marblix {

class TBoardParticles final : public IBoardParticles {
 public:
  // Finds the loaded image of a ball picture (null when it has none).
  using TPictureLookup = std::function<TAGFImage*(BallPicture)>;

  TBoardParticles(TQzParticleEngine& engine, TPictureLookup pictureOf)
      : Engine(engine), PictureOf(std::move(pictureOf)) {}

  void AddText(const std::string& text, float x, float y) override;
  void AddBall(BallPicture picture, bool appear, float x, float y) override;
  void AddFlyingBall(BallPicture picture, float x, float y, float vx, float vy) override;
  void AddExplosion(float x, float y) override;
  void AddAnimation(BallPicture picture, int frames, float x, float y, float speed,
                    int loops) override;
  void RemoveNear(float x, float y) override;
  void ClearAnimations() override;
  void EndAnimationsNear(float x, float y) override;

 private:
  TAGFImage* Image(BallPicture picture) const { return PictureOf ? PictureOf(picture) : nullptr; }

  TQzParticleEngine& Engine;
  TPictureLookup PictureOf;
};

}  // namespace marblix
