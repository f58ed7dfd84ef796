// Finding a ball's picture among the loaded game pictures.
#include "assets/game_resources.h"

namespace marblix {

TAGFImage* TGameResources::BallImage(BallPicture picture) const {
  const int look = picture.Look;
  if (look >= LookCount) return nullptr;
  if (look == BombLook) {
    // The bomb's pictures: bomb_0 (its ball, although 22_0 is loaded too), bomb_1 hovered,
    // bomb_2 selected.
    return picture.Variant <= 2 ? GameImage(GpBomb0 + picture.Variant) : nullptr;
  }
  switch (picture.Variant) {
    case BallVariant:
      return GameImage(GpFirstBall + 2 * look);
    case SelectedVariant:
      return GameImage(GpFirstBall + 2 * look + 1);
    default:
      if (look >= PlainLookCount || picture.Variant > PaintVariant) return nullptr;
      return GameImage(GpFirstRest + 5 * look + (picture.Variant - RestVariant2));
  }
}

}  // namespace marblix
