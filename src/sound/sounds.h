// The sound table: every effect sample of the game in a named slot or a per-look table, and the
// three ways to play one.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/audio/AudioLibrary.h"
#include "sound/SoundNames.h"

namespace marblix {

using TLogSink = std::function<void(const std::string&)>;

// The four jump sounds of one ball look.
struct TSelectSounds {
  HSAMPLE a = 0;
  HSAMPLE b = 0;
  HSAMPLE c = 0;
  HSAMPLE d = 0;
};

struct TSoundTable {
  // Indexed by NamedSound: s_app, s_disapp, ...
  std::array<HSAMPLE, NamedSoundCount> Named{};

  // Indexed by N = Look + 1; entry 0 belongs to no look and stays 0.
  std::array<TSelectSounds, KindSoundLooks + 1> KindSelectSounds{};
  std::array<HSAMPLE, KindSoundLooks + 1> KindHoverSounds{};
  std::array<HSAMPLE, KindSoundLooks + 1> KindBlastSounds{};
  std::array<HSAMPLE, BallSoundLooks + 1> KindArriveSounds{};
  std::array<HSAMPLE, BallSoundLooks + 1> KindVanishSounds{};

  HSAMPLE& operator[](NamedSound name) { return Named[static_cast<size_t>(name)]; }
  // Where the slot's sample is kept, or nullptr for a slot outside its table.
  HSAMPLE* Slot(SoundSlot slot);
};

// The game's one sound table (its unit-level storage); every slot starts at 0 (silent).
extern TSoundTable GameSounds;

// Reads the list (name TAB path TAB number per line) into the table, then loads the fixed bomb
// samples. A malformed line is logged with its line number and skipped; a missing list is logged
// and leaves every effect silent. The result says whether the list was read.
bool LoadSoundTable(const TLogSink& log = {}, const std::string& listPath = SoundListFile);

// Loads the sample into the slot the name designates ("s_click", "_h3", ...); an unknown name or a
// look number outside its table loads nothing. False only for a "_" name without a decimal number.
// A sample that cannot be loaded is logged.
bool AssignSound(const std::string& name, const std::string& path, const TLogSink& log = {});

// One play at `volume` (0..100, the player's SoundVolume).
void PlayEffect(HSAMPLE sample, int32_t volume);
// Plays at `volume` until StopEffect.
void PlayEffectLooped(HSAMPLE sample, int32_t volume);
// Stops every play of the sample.
void StopEffect(HSAMPLE sample);

}  // namespace marblix
