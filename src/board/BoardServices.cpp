// Names of the sound table's slots, as the sound list file writes them.
#include "board/BoardServices.h"

#include <array>

namespace marblix {

namespace {
constexpr std::array<const char*, 10> NamedSoundNames{
    "s_app", "s_disapp", "s_disapp2", "s_disapp3", "s_ballmove",
    "s_pin", "s_click",  "s_hover",   "s_press",   "s_paint",
};
}  // namespace

std::string SoundSlotName(SoundSlot slot) {
  switch (slot.Table) {
    case SoundTable::Named:
      return slot.Index < NamedSoundNames.size() ? NamedSoundNames[slot.Index] : "?";
    case SoundTable::Select:
      return std::string("_") + (slot.Sample < 4 ? static_cast<char>('a' + slot.Sample) : '?') +
             std::to_string(slot.Index);
    case SoundTable::Hover:
      return "_h" + std::to_string(slot.Index);
    case SoundTable::Blast:
      return "_f" + std::to_string(slot.Index);
    case SoundTable::Arrive:
      return "_r" + std::to_string(slot.Index);
    case SoundTable::Vanish:
      return "_o" + std::to_string(slot.Index);
  }
  return "?";
}

}  // namespace marblix
