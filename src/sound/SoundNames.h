// The names sounds.txt gives the sound table's slots ("s_app", "_h3", ...): the named slots, the
// per-look tables with their letters and sizes, and the three fixed bomb samples. The sound table
// reads its list by them and the asset generator writes the list from them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "board/BoardServices.h"

namespace marblix {

inline constexpr const char* SoundListFile = "sounds.txt";

// In the order of NamedSound.
inline constexpr std::array<std::string_view, NamedSoundCount> NamedSoundNames{
    "s_app", "s_disapp", "s_disapp2", "s_disapp3", "s_ballmove",
    "s_pin", "s_click",  "s_hover",   "s_press",   "s_paint",
};

// Looks numbered N = Look + 1: 1..22 are the balls, 23 the bomb.
inline constexpr int KindSoundLooks = 23;
inline constexpr int BallSoundLooks = 22;
inline constexpr int BombLookNumber = 23;

// A per-look table: its entries are named "_", a letter and N (1..Looks); a table holding several
// samples per look has one letter per sample.
struct TLookSoundTable {
  SoundTable Table;
  std::string_view Letters;
  int Looks;
};

// In the order sounds.txt lists them for each look.
inline constexpr std::array<TLookSoundTable, 5> LookSoundTables{{
    {SoundTable::Select, "abcd", KindSoundLooks},
    {SoundTable::Hover, "h", KindSoundLooks},
    {SoundTable::Blast, "f", KindSoundLooks},
    {SoundTable::Arrive, "r", BallSoundLooks},
    {SoundTable::Vanish, "o", BallSoundLooks},
}};

// A sample loaded from a file of its own after the list, replacing what the list gave its slot.
struct TFixedSound {
  SoundSlot Slot;
  const char* File;
};

// In loading order.
inline constexpr std::array<TFixedSound, 3> FixedBombSounds{{
    {HBombSound, "./sounds/h_bomb.ogg"},
    {ABombSound, "./sounds/a_bomb.ogg"},
    {BombBoomSound, "./sounds/Bomb_boom.ogg"},
}};

inline const TLookSoundTable& LookSoundTableOf(SoundTable table) {
  for (const TLookSoundTable& look : LookSoundTables) {
    if (look.Table == table) return look;
  }
  return LookSoundTables.front();  // never reached: every per-look table is listed
}

// The named slot of exactly this name (names are case-sensitive).
inline std::optional<NamedSound> NamedSoundOf(std::string_view name) {
  for (size_t n = 0; n < NamedSoundNames.size(); ++n) {
    if (NamedSoundNames[n] == name) return static_cast<NamedSound>(n);
  }
  return std::nullopt;
}

// The slot of a table letter and look number N, or none when N lies outside that table or the
// letter is no table's.
inline std::optional<SoundSlot> LookSoundOf(char letter, int n) {
  for (const TLookSoundTable& look : LookSoundTables) {
    const size_t sample = look.Letters.find(letter);
    if (sample == std::string_view::npos) continue;
    if (n < 1 || n > look.Looks) return std::nullopt;
    return SoundSlot{look.Table, static_cast<uint8_t>(n), static_cast<uint8_t>(sample)};
  }
  return std::nullopt;
}

// The slot's name as sounds.txt writes it: "s_app", "_a1", "_h23", ...; "?" stands for a part
// outside the tables. A table of one sample per look reads no sample number.
inline std::string SoundSlotName(SoundSlot slot) {
  if (slot.Table == SoundTable::Named) {
    return slot.Index < NamedSoundNames.size() ? std::string(NamedSoundNames[slot.Index]) : "?";
  }
  const std::string_view letters = LookSoundTableOf(slot.Table).Letters;
  const size_t sample = letters.size() == 1 ? 0 : slot.Sample;
  return std::string("_") + (sample < letters.size() ? letters[sample] : '?') +
         std::to_string(slot.Index);
}

}  // namespace marblix
