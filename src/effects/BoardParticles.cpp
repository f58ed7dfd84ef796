// Forwarding the board's particle requests to the engine with the pictures they name.
#include "effects/BoardParticles.h"

namespace marblix {

void TBoardParticles::AddText(const std::string& text, float x, float y) {
  Engine.AddText(text, x, y);
}

void TBoardParticles::AddBall(BallPicture picture, bool appear, float x, float y) {
  Engine.AddBall(Image(picture), appear, x, y);
}

void TBoardParticles::AddFlyingBall(BallPicture picture, float x, float y, float vx, float vy) {
  Engine.AddFlyingBall(Image(picture), x, y, vx, vy);
}

void TBoardParticles::AddExplosion(float x, float y) {
  Engine.AddExplosion(x, y);
}

void TBoardParticles::AddAnimation(BallPicture picture, int frames, float x, float y, float speed,
                                   int loops) {
  Engine.AddAnimation(Image(picture), frames, x, y, speed, loops);
}

void TBoardParticles::RemoveNear(float x, float y) {
  Engine.RemoveNear(x, y);
}

void TBoardParticles::ClearAnimations() {
  Engine.ClearAnimations();
}

void TBoardParticles::EndAnimationsNear(float x, float y) {
  Engine.RemoveAnimationsNear(x, y);
}

}  // namespace marblix
