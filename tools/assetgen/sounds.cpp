// The sound effects and sounds.txt: pops, chimes, clicks, fuse and blast, and the per-ball hop
// notes (each colour its own little scale), all synthesised and encoded to Ogg Vorbis.
#include <cmath>
#include <functional>
#include <map>
#include <string>

#include "assetgen/art.h"
#include "assetgen/synth.h"

namespace assetgen {

namespace {

using namespace synth;

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

void writeOgg(Pack& pack, const std::string& file, Mono s, double levelDb, bool loop) {
  if (!loop) fadeEnds(s, 0.002, 0.02);
  normalise(s, kLoudness + levelDb);
  pack.bytes(file, encodeVorbis(s, 1, 0.4f));
  pack.wave(file, s);
}

}  // namespace

void makeSounds(Pack& pack) {
  std::vector<Effect> effects = {
      {"sounds/drop.ogg",
       [] {
         Mono s;
         for (int k = 0; k < 3; ++k)
           mixInto(s, pop(330.0 + 90 * k, 3 + k), samples(0.07 * k), 1.0f);
         return s;
       }},
      {"sounds/line.ogg",
       [] {
         return chime({72, 76, 79, 84}, 0.06, 0.45, 0);
       }},
      {"sounds/line_big.ogg",
       [] {
         return chime({72, 76, 79, 84, 88}, 0.055, 0.6, 0.3);
       }},
      {"sounds/line_huge.ogg",
       [] {
         return chime({67, 72, 76, 79, 84, 88, 91}, 0.05, 0.8, 0.7);
       }},
      {"sounds/roll.ogg", rolling, -4, true},
      {"sounds/turn.ogg", [] { return tick(1750, 0.08, 61); }, -6},
      {"sounds/click.ogg", [] { return tick(1150, 0.05, 62); }, -3},
      {"sounds/hover.ogg", [] { return tick(2200, 0.03, 63); }, -10},
      {"sounds/key.ogg", [] { return tick(700, 0.05, 64); }, -6},
      {"sounds/paint.ogg", splash},
      {"sounds/arrive.ogg", [] { return pop(220, 70); }, -4},
      {"sounds/thrown.ogg", whoosh, -3},
      {"sounds/burst.ogg", burst},
      {"sounds/h_bomb.ogg", [] { return fuse(0.6, 80); }, -4},
      {"sounds/a_bomb.ogg", [] { return fuse(1.3, 90); }, -6, true},
      {"sounds/Bomb_boom.ogg", boom, 3},
  };
  for (int voice = 1; voice <= 9; ++voice) {
    static const int steps[] = {0, 2, 4, 7};
    for (int k = 0; k < 4; ++k) {
      const double note = voiceRoot(voice) + steps[k];
      effects.push_back(
          {"sounds/hop_" + std::to_string(voice) + std::string(1, char('a' + k)) + ".ogg",
           [note] { return hop(note); }, -5});
    }
    const double root = voiceRoot(voice) + 12;
    effects.push_back(
        {"sounds/look_" + std::to_string(voice) + ".ogg", [root] { return hoverTone(root); }, -8});
  }
  for (Effect& e : effects) {
    Mono s = e.make();
    if (e.loop) {
      // A loop's ends meet each other, so it is only levelled, never faded.
      normalise(s, kLoudness + e.levelDb);
      pack.bytes(e.file, encodeVorbis(s, 1, 0.4f));
      pack.wave(e.file + " (loop)", s);
    } else {
      writeOgg(pack, e.file, std::move(s), e.levelDb, false);
    }
  }

  std::string list;
  auto line = [&list](const std::string& name, const std::string& file) {
    list += name + "\t./" + file + "\t1.0\r\n";
  };
  line("s_app", "sounds/drop.ogg");
  line("s_disapp", "sounds/line.ogg");
  line("s_disapp2", "sounds/line_big.ogg");
  line("s_disapp3", "sounds/line_huge.ogg");
  line("s_ballmove", "sounds/roll.ogg");
  line("s_pin", "sounds/turn.ogg");
  line("s_click", "sounds/click.ogg");
  line("s_hover", "sounds/hover.ogg");
  line("s_press", "sounds/key.ogg");
  line("s_paint", "sounds/paint.ogg");
  for (int n = 1; n <= 22; ++n) {
    const std::string v = std::to_string(voiceOf(n)), number = std::to_string(n);
    for (char k : {'a', 'b', 'c', 'd'})
      line(std::string("_") + k + number, "sounds/hop_" + v + std::string(1, k) + ".ogg");
    line("_h" + number, "sounds/look_" + v + ".ogg");
    line("_f" + number, "sounds/burst.ogg");
    line("_r" + number, "sounds/arrive.ogg");
    line("_o" + number, "sounds/thrown.ogg");
  }
  pack.text("sounds.txt", list);
}

}  // namespace assetgen
