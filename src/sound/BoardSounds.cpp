// Mapping the board's sound slots onto the sound table.
#include "sound/BoardSounds.h"

namespace marblix {

namespace {

template <typename Table>
HSAMPLE Entry(const Table& table, uint8_t index) {
  return index >= 1 && index < table.size() ? table[index] : 0;
}

HSAMPLE SelectEntry(uint8_t index, uint8_t sample) {
  const auto& table = GameSounds.KindSelectSounds;
  if (index < 1 || index >= table.size()) return 0;
  const TSelectSounds& sounds = table[index];
  switch (sample) {
    case 0:
      return sounds.a;
    case 1:
      return sounds.b;
    case 2:
      return sounds.c;
    case 3:
      return sounds.d;
    default:
      return 0;
  }
}

HSAMPLE NamedEntry(uint8_t index) {
  const TSoundTable& t = GameSounds;
  const HSAMPLE named[] = {t.s_app, t.s_disapp, t.s_disapp2, t.s_disapp3, t.s_ballmove,
                           t.s_pin, t.s_click,  t.s_hover,   t.s_press,   t.s_paint};
  return index < std::size(named) ? named[index] : 0;
}

}  // namespace

HSAMPLE SampleOf(SoundSlot slot) {
  switch (slot.Table) {
    case SoundTable::Named:
      return NamedEntry(slot.Index);
    case SoundTable::Select:
      return SelectEntry(slot.Index, slot.Sample);
    case SoundTable::Hover:
      return Entry(GameSounds.KindHoverSounds, slot.Index);
    case SoundTable::Blast:
      return Entry(GameSounds.KindBlastSounds, slot.Index);
    case SoundTable::Arrive:
      return Entry(GameSounds.KindArriveSounds, slot.Index);
    case SoundTable::Vanish:
      return Entry(GameSounds.KindVanishSounds, slot.Index);
  }
  return 0;
}

void TBoardSounds::PlayEffect(SoundSlot slot) {
  marblix::PlayEffect(SampleOf(slot));
}

void TBoardSounds::PlayEffectLooped(SoundSlot slot) {
  marblix::PlayEffectLooped(SampleOf(slot));
}

void TBoardSounds::StopEffect(SoundSlot slot) {
  marblix::StopEffect(SampleOf(slot));
}

}  // namespace marblix
