// The sound table seen by the board: slots named by SoundSlot, played through PlayEffect and
// friends.
#pragma once

#include "board/BoardServices.h"
#include "sound/sounds.h"

namespace marblix {

// The sample in the slot, or 0 for a slot outside its table.
HSAMPLE SampleOf(SoundSlot slot);

class TBoardSounds final : public IBoardSounds {
 public:
  void PlayEffect(SoundSlot slot) override;
  void PlayEffectLooped(SoundSlot slot) override;
  void StopEffect(SoundSlot slot) override;
};

}  // namespace marblix
