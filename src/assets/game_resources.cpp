// Finding a ball's picture among the loaded game pictures.
#include "assets/game_resources.h"

namespace marblix {

TAGFImage* TGameResources::BallImage(BallPicture picture) const {
  const int look = picture.Look;
  if (look >= LookCount) return nullptr;
  switch (picture.Variant) {
    case BallVariant:
      // The bomb's ball picture comes from bomb_0, although 22_0 is loaded too.
      return GameImage(look == BombLook ? GpBomb0 : GpFirstBall + 2 * look);
    case SelectedVariant:
      return GameImage(look == BombLook ? GpBomb2 : GpFirstBall + 2 * look + 1);
    default:
      if (look >= PlainLookCount || picture.Variant > PaintVariant) return nullptr;
      return GameImage(GpFirstRest + 5 * look + (picture.Variant - RestVariant2));
  }
}

}  // namespace marblix
