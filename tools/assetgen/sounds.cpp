// The sound effects and sounds.txt: pops, chimes, clicks, fuse and blast, and the per-ball hop
// notes (each colour its own little scale), all synthesised and encoded to Ogg Vorbis.
#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "assetgen/art.h"
#include "assetgen/synth.h"
#include "sound/SoundNames.h"

namespace assetgen {

namespace {

using namespace synth;
using marblix::BallSoundLooks;
using marblix::FixedBombSounds;
using marblix::LookSoundTableOf;
using marblix::LookSoundTables;
using marblix::NamedSound;
using marblix::SoundListFile;
using marblix::SoundOf;
using marblix::SoundSlot;
using marblix::SoundSlotName;
using marblix::SoundTable;
using marblix::TLookSoundTable;

constexpr double kLoudness = -15;  // dBFS of the loudest 50 ms of every effect

Mono pop(double hz, std::uint32_t seed) {
  Mono s = sine(0.16, hz, hz * 2.2, 0.002, 0.09);
  mixInto(s, noiseBurst(0.03, 2500, 1200, 1.5, 0.001, 0.02, seed), 0, 0.25f);
  return s;
}

Mono chime(const std::vector<double>& notes, double spacing, double decay, double thump) {
  Mono s;
  for (std::size_t k = 0; k < notes.size(); ++k) {
    const double hz = midiToHz(notes[k]);
    Mono b = bell(decay * 1.4, hz, 3.5, 1.6, decay);
    mixInto(b, sine(decay * 1.4, hz * 2, hz * 2, 0.002, decay * 0.5), 0, 0.25f);
    mixInto(s, b, samples(spacing * double(k)), 0.7f);
  }
  if (thump > 0) mixInto(s, sine(0.4, 140, 55, 0.003, 0.3), 0, float(thump));
  return s;
}

Mono rolling() {
  Mono s = noiseBurst(1.3, 380, 380, 0.9, 0.0, 1e6, 11);
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = double(i) / kRate;
    s[i] *= float(0.6 + 0.4 * std::sin(2 * M_PI * 9 * t));
  }
  mixInto(s, sine(1.3, 70, 70, 0.0, 1e6), 0, 0.25f);
  lowPass(s, 1600);
  makeLoop(s, 0.3);
  return s;
}

Mono tick(double hz, double length, std::uint32_t seed) {
  Mono s = sine(length, hz, hz * 0.9, 0.0008, length * 0.6);
  mixInto(s, noiseBurst(0.012, 4000, 3000, 0.8, 0.0005, 0.008, seed), 0, 0.6f);
  return s;
}

Mono splash() {
  Mono s = noiseBurst(0.55, 2400, 500, 1.2, 0.01, 0.4, 21);
  for (int k = 0; k < 5; ++k)
    mixInto(s, sine(0.08, 500.0 + 170 * k, 1100.0 + 210 * k, 0.002, 0.05), samples(0.05 + 0.07 * k),
            0.35f);
  return s;
}

Mono fuse(double seconds, std::uint32_t seed) {
  Mono s = noiseBurst(seconds, 5200, 5200, 0.7, 0.02, 1e6, seed);
  highPass(s, 1500);
  Noise crackle(seed + 1);
  for (int k = 0; k < int(seconds * 28); ++k) {
    const double at = (k + 0.5 * (crackle.next() + 1)) / 28.0;
    mixInto(s, noiseBurst(0.012, 2500, 1800, 2, 0.0005, 0.01, seed + 7 + k), samples(at), 1.6f);
  }
  return s;
}

Mono boom() {
  Mono s = noiseBurst(1.4, 900, 90, 0.8, 0.003, 0.9, 31);
  mixInto(s, sine(1.0, 95, 32, 0.004, 0.7), 0, 1.6f);
  mixInto(s, noiseBurst(0.08, 3000, 1500, 0.7, 0.001, 0.06, 32), 0, 0.8f);
  lowPass(s, 3000);
  return s;
}

Mono whoosh() {
  Mono s = noiseBurst(0.5, 600, 2600, 1.4, 0.12, 0.35, 41);
  mixInto(s, sine(0.45, 520, 180, 0.05, 0.3), 0, 0.3f);
  return s;
}

Mono burst() {
  Mono s = noiseBurst(0.3, 1800, 400, 1.0, 0.002, 0.2, 51);
  mixInto(s, sine(0.25, 300, 90, 0.002, 0.18), 0, 0.8f);
  return s;
}

// Hop notes: pentatonic steps from a root of each voice; hover is the voice's soft root tone.
Mono hop(double note) {
  const double hz = midiToHz(note);
  Mono s = sine(0.22, hz * 0.75, hz * 1.25, 0.003, 0.13);
  mixInto(s, bell(0.22, hz * 2, 2.0, 0.8, 0.1), 0, 0.25f);
  return s;
}

Mono hoverTone(double note) {
  Mono s = bell(0.35, midiToHz(note), 2.0, 0.9, 0.22);
  mixInto(s, sine(0.35, midiToHz(note + 12), midiToHz(note + 12), 0.004, 0.12), 0, 0.2f);
  return s;
}

// Voices: 1..7 the plain colours, 8 the jokers, 9 the bomb.
int voiceOf(int n) {
  if (n <= 7) return n;
  if (n == 8) return 4;
  if (n == 9) return 1;
  if (n == 10) return 2;
  if (n == 11 || (n >= 19 && n <= 21)) return 8;
  if (n >= 12 && n <= 18) return n - 11;
  return 9;
}

double voiceRoot(int voice) {
  static const double roots[] = {0, 60, 62, 64, 67, 69, 72, 74, 76, 55};
  return roots[voice];
}

struct Effect {
  std::string file;
  std::function<Mono()> make;
  double levelDb = 0;  // relative to the common loudness
  bool loop = false;
};

// The effect of each named slot, in the order of NamedSound.
std::vector<std::pair<NamedSound, Effect>> namedEffects() {
  return {
      {NamedSound::s_app,
       {"sounds/drop.ogg",
        [] {
          Mono s;
          for (int k = 0; k < 3; ++k)
            mixInto(s, pop(330.0 + 90 * k, 3 + k), samples(0.07 * k), 1.0f);
          return s;
        }}},
      {NamedSound::s_disapp,
       {"sounds/line.ogg",
        [] {
          return chime({72, 76, 79, 84}, 0.06, 0.45, 0);
        }}},
      {NamedSound::s_disapp2,
       {"sounds/line_big.ogg",
        [] {
          return chime({72, 76, 79, 84, 88}, 0.055, 0.6, 0.3);
        }}},
      {NamedSound::s_disapp3,
       {"sounds/line_huge.ogg",
        [] {
          return chime({67, 72, 76, 79, 84, 88, 91}, 0.05, 0.8, 0.7);
        }}},
      {NamedSound::s_ballmove, {"sounds/roll.ogg", rolling, -4, true}},
      {NamedSound::s_pin, {"sounds/turn.ogg", [] { return tick(1750, 0.08, 61); }, -6}},
      {NamedSound::s_click, {"sounds/click.ogg", [] { return tick(1150, 0.05, 62); }, -3}},
      {NamedSound::s_hover, {"sounds/hover.ogg", [] { return tick(2200, 0.03, 63); }, -10}},
      {NamedSound::s_press, {"sounds/key.ogg", [] { return tick(700, 0.05, 64); }, -6}},
      {NamedSound::s_paint, {"sounds/paint.ogg", splash}},
  };
}

// The one effect every ball look shares in these tables.
std::vector<std::pair<SoundTable, Effect>> sharedLookEffects() {
  return {
      {SoundTable::Arrive, {"sounds/arrive.ogg", [] { return pop(220, 70); }, -4}},
      {SoundTable::Vanish, {"sounds/thrown.ogg", whoosh, -3}},
      {SoundTable::Blast, {"sounds/burst.ogg", burst}},
  };
}

// The bomb's own samples, in the order of FixedBombSounds.
std::vector<Effect> bombEffects() {
  const auto file = [](int k) { return std::string(FixedBombSounds[k].File).substr(2); };
  return {
      {file(0), [] { return fuse(0.6, 80); }, -4},
      {file(1), [] { return fuse(1.3, 90); }, -6, true},
      {file(2), boom, 3},
  };
}

std::string hopFile(int voice, char letter) {
  return "sounds/hop_" + std::to_string(voice) + std::string(1, letter) + ".ogg";
}

std::string lookFile(int voice) {
  return "sounds/look_" + std::to_string(voice) + ".ogg";
}

// Each voice's four hop notes (the jump sounds a to d) and its hover tone.
std::vector<Effect> voiceEffects() {
  std::vector<Effect> effects;
  const std::string_view letters = LookSoundTableOf(SoundTable::Select).Letters;
  for (int voice = 1; voice <= 9; ++voice) {
    static const int steps[] = {0, 2, 4, 7};
    for (size_t k = 0; k < letters.size(); ++k) {
      const double note = voiceRoot(voice) + steps[k];
      effects.push_back({hopFile(voice, letters[k]), [note] { return hop(note); }, -5});
    }
    const double root = voiceRoot(voice) + 12;
    effects.push_back({lookFile(voice), [root] { return hoverTone(root); }, -8});
  }
  return effects;
}

void writeEffect(Pack& pack, const Effect& e) {
  Mono s = e.make();
  if (!e.loop) fadeEnds(s, 0.002, 0.02);
  // A loop's ends meet each other, so it is only levelled, never faded.
  normalise(s, kLoudness + e.levelDb);
  pack.bytes(e.file, encodeVorbis(s, 1, 0.4f));
  pack.wave(e.loop ? e.file + " (loop)" : e.file, s);
}

using SharedLookEffects = std::vector<std::pair<SoundTable, Effect>>;

// The file of a per-look table's entry (sample letter) for a look of this voice.
std::string lookEntryFile(SoundTable table, char letter, int voice,
                          const SharedLookEffects& shared) {
  if (table == SoundTable::Select) return hopFile(voice, letter);
  if (table == SoundTable::Hover) return lookFile(voice);
  for (const auto& [owner, effect] : shared)
    if (owner == table) return effect.file;
  throw std::logic_error("no effect for a per-look table");
}

// sounds.txt: every named slot, then for each ball look its entry in every per-look table.
std::string soundList(const std::vector<std::pair<NamedSound, Effect>>& named,
                      const SharedLookEffects& shared) {
  std::string list;
  auto line = [&list](const SoundSlot& slot, const std::string& file) {
    list += SoundSlotName(slot) + "\t./" + file + "\t1.0\r\n";
  };
  for (const auto& [name, effect] : named) line(SoundOf(name), effect.file);
  for (int n = 1; n <= BallSoundLooks; ++n) {
    for (const TLookSoundTable& table : LookSoundTables) {
      for (size_t k = 0; k < table.Letters.size(); ++k) {
        line({table.Table, uint8_t(n), uint8_t(k)},
             lookEntryFile(table.Table, table.Letters[k], voiceOf(n), shared));
      }
    }
  }
  return list;
}

}  // namespace

void makeSounds(Pack& pack) {
  const auto named = namedEffects();
  const auto shared = sharedLookEffects();
  for (const auto& [slot, effect] : named) writeEffect(pack, effect);
  for (const auto& [table, effect] : shared) writeEffect(pack, effect);
  for (const Effect& effect : bombEffects()) writeEffect(pack, effect);
  for (const Effect& effect : voiceEffects()) writeEffect(pack, effect);
  pack.text(SoundListFile, soundList(named, shared));
}

}  // namespace assetgen
