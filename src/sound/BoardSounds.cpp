// Mapping the board's sound slots onto the sound table.
#include "sound/BoardSounds.h"

namespace marblix {

HSAMPLE SampleOf(SoundSlot slot) {
  const HSAMPLE* sample = GameSounds.Slot(slot);
  return sample != nullptr ? *sample : 0;
}

void TBoardSounds::PlayEffect(SoundSlot slot) {
  marblix::PlayEffect(SampleOf(slot), values_.SoundVolume);
}

void TBoardSounds::PlayEffectLooped(SoundSlot slot) {
  marblix::PlayEffectLooped(SampleOf(slot), values_.SoundVolume);
}

void TBoardSounds::StopEffect(SoundSlot slot) {
  marblix::StopEffect(SampleOf(slot));
}

}  // namespace marblix
