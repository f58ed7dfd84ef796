// The sound table seen by the board: slots named by SoundSlot, played through PlayEffect and
// friends.
#pragma once

#include "board/BoardServices.h"
#include "shell/defs.h"
#include "sound/sounds.h"

namespace marblix {

// The sample in the slot, or 0 for a slot outside its table.
HSAMPLE SampleOf(SoundSlot slot);

// Plays at the shell values' SoundVolume; the values outlive the sounds.
class TBoardSounds final : public IBoardSounds {
 public:
  explicit TBoardSounds(const TShellValues& values) : values_(values) {}

  void PlayEffect(SoundSlot slot) override;
  void PlayEffectLooped(SoundSlot slot) override;
  void StopEffect(SoundSlot slot) override;

 private:
  const TShellValues& values_;
};

}  // namespace marblix
