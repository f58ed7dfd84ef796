// music/theme.ogg: a gentle 80-second piece in F major (pad, bass, mallet arpeggios, a bell
// melody and light drums), rendered so that its end runs straight into its start.
#include <array>
#include <cmath>
#include <map>
#include <vector>

#include "assetgen/art.h"
#include "assetgen/synth.h"

namespace assetgen {

namespace {

using namespace synth;

constexpr double kBeat = 60.0 / 96;  // 96 beats a minute
constexpr double kBar = 4 * kBeat;
constexpr int kBars = 32;

struct Chord {
  int root;                  // MIDI note of the bass
  std::array<int, 4> tones;  // chord tones from middle C upward
};

// Verse (A) and chorus (B) progressions, eight bars each.
const Chord kVerse[8] = {{41, {65, 69, 72, 76}}, {38, {62, 65, 69, 72}}, {46, {62, 65, 69, 70}},
                         {36, {64, 67, 70, 72}}, {41, {65, 69, 72, 76}}, {38, {62, 65, 69, 72}},
                         {46, {62, 65, 69, 70}}, {36, {64, 67, 70, 72}}};
const Chord kChorus[8] = {{43, {62, 65, 67, 70}}, {45, {64, 67, 69, 72}}, {46, {62, 65, 69, 70}},
                          {48, {64, 67, 72, 76}}, {38, {62, 65, 69, 72}}, {46, {62, 65, 69, 70}},
                          {43, {62, 65, 67, 70}}, {36, {64, 67, 70, 72}}};

struct Note {
  int pitch;  // 0 = rest
  int eighths;
};

const std::vector<Note> kChorusTune = {
    {74, 2}, {77, 2}, {79, 3}, {77, 1}, {76, 2}, {72, 2}, {69, 4}, {74, 2}, {77, 2}, {81, 2},
    {79, 2}, {79, 3}, {76, 1}, {72, 4}, {81, 2}, {79, 2}, {77, 2}, {76, 2}, {74, 3}, {77, 1},
    {74, 2}, {72, 2}, {70, 2}, {74, 2}, {79, 2}, {77, 2}, {76, 6}, {0, 2}};
const std::vector<Note> kVerseTune = {{72, 2}, {69, 1}, {72, 1}, {77, 2}, {76, 2}, {74, 3}, {69, 1},
                                      {65, 2}, {69, 2}, {70, 2}, {74, 2}, {77, 2}, {74, 2}, {76, 2},
                                      {79, 2}, {70, 2}, {72, 2}, {81, 3}, {79, 1}, {77, 2}, {72, 2},
                                      {74, 2}, {77, 2}, {81, 2}, {84, 2}, {82, 2}, {81, 2}, {77, 2},
                                      {74, 2}, {76, 2}, {79, 2}, {72, 4}};

struct Mix {
  Mono left, right;
  explicit Mix(std::size_t n) : left(n, 0.0f), right(n, 0.0f) {}
  void add(const Mono& s, double time, float gain, float pan) {
    const long at = samples(time);
    mixInto(left, s, at, gain * std::sqrt((1 - pan) / 2), true);
    mixInto(right, s, at, gain * std::sqrt((1 + pan) / 2), true);
  }
};

// Pad notes repeat from section to section; each is synthesised once.
using PadNotes = std::map<int, Mono>;

const Mono& padNote(PadNotes& made, int pitch, double seconds) {
  auto it = made.find(pitch);
  if (it != made.end()) return it->second;
  const double hz = midiToHz(pitch);
  Mono s(std::size_t(samples(seconds + 1.2)));
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = double(i) / kRate;
    const double env = std::min(1.0, t / 0.5) * (t > seconds ? std::exp(-4 * (t - seconds)) : 1.0);
    double v = 0;
    for (int h = 1; h <= 4; ++h)
      v += std::sin(2 * M_PI * hz * h * t * (1 + 0.0015 * (h - 2))) / (h * h);
    v += 0.5 * std::sin(2 * M_PI * hz * 1.003 * t);
    s[i] = float(v * env);
  }
  return made.emplace(pitch, std::move(s)).first->second;
}

Mono bassNote(int pitch, double seconds) {
  const double hz = midiToHz(pitch);
  Mono s(std::size_t(samples(seconds + 0.1)));
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = double(i) / kRate;
    const double env = std::min(1.0, t / 0.006) * std::exp(-2.2 * t) *
                       (t > seconds ? std::exp(-40 * (t - seconds)) : 1.0);
    s[i] = float(env * (std::sin(2 * M_PI * hz * t) + 0.3 * std::sin(4 * M_PI * hz * t)));
  }
  return s;
}

Mono kick() {
  return sine(0.35, 120, 45, 0.002, 0.25);
}
Mono hat(std::uint32_t seed) {
  Mono s = noiseBurst(0.06, 8000, 8000, 0.8, 0.001, 0.04, seed);
  highPass(s, 5000);
  return s;
}
Mono snap(std::uint32_t seed) {
  return noiseBurst(0.18, 1800, 1400, 1.1, 0.002, 0.12, seed);
}

void section(Mix& mix, PadNotes& pads, int firstBar, const Chord* chords,
             const std::vector<Note>* tune, int energy) {
  for (int b = 0; b < 8; ++b) {
    const Chord& c = chords[b];
    const double t0 = (firstBar + b) * kBar;
    for (int k = 0; k < 4; ++k)
      mix.add(padNote(pads, c.tones[std::size_t(k)] - 12, kBar * 0.95), t0, 0.045f,
              k % 2 ? 0.4f : -0.4f);
    // Bass: root on one, fifth-ish pickup on the "and" of two, root on three.
    mix.add(bassNote(c.root, kBeat * 1.4), t0, 0.32f, 0);
    mix.add(bassNote(c.root + 7, kBeat * 0.4), t0 + 1.5 * kBeat, 0.2f, 0);
    mix.add(bassNote(c.root, kBeat * 1.4), t0 + 2 * kBeat, 0.28f, 0);
    // Mallet arpeggio in eighths, up and back down the chord.
    static const int order[8] = {0, 1, 2, 3, 2, 1, 2, 3};
    for (int e = 0; e < 8; ++e) {
      const int pitch = c.tones[std::size_t(order[e])] + (e >= 4 && energy > 1 ? 12 : 0);
      mix.add(bell(0.6, midiToHz(pitch), 1.0, 1.2, 0.35), t0 + e * kBeat / 2, 0.06f,
              e % 2 ? 0.5f : -0.5f);
    }
    if (energy >= 1) {
      for (int e = 0; e < 8; ++e)
        mix.add(hat(std::uint32_t(1000 + (firstBar + b) * 8 + e)), t0 + e * kBeat / 2,
                e % 2 ? 0.05f : 0.08f, 0.3f);
    }
    if (energy >= 2) {
      mix.add(kick(), t0, 0.5f, 0);
      mix.add(kick(), t0 + 2.5 * kBeat, 0.35f, 0);
      mix.add(snap(std::uint32_t(2000 + firstBar + b)), t0 + kBeat, 0.12f, -0.1f);
      mix.add(snap(std::uint32_t(3000 + firstBar + b)), t0 + 3 * kBeat, 0.12f, -0.1f);
    }
  }
  if (!tune) return;
  double t = firstBar * kBar;
  for (const Note& n : *tune) {
    const double length = n.eighths * kBeat / 2;
    if (n.pitch) {
      Mono lead = bell(length + 0.8, midiToHz(n.pitch), 2.0, 1.0, 0.5 + length * 0.6);
      mixInto(lead, sine(length + 0.6, midiToHz(n.pitch), midiToHz(n.pitch), 0.02, 0.3 + length), 0,
              0.5f);
      mix.add(lead, t, 0.13f, 0.1f);
      if (energy >= 3)
        mix.add(bell(length + 0.5, midiToHz(n.pitch + 12), 3.0, 0.6, 0.4), t, 0.04f, -0.3f);
    }
    t += length;
  }
}

// A stereo echo whose repeats also wrap round the loop: two passes reach the steady state.
void echo(Mix& mix) {
  const std::size_t delay = std::size_t(samples(kBeat * 0.75));
  const std::size_t n = mix.left.size();
  Mono tapL(n, 0.0f), tapR(n, 0.0f);
  for (int pass = 0; pass < 2; ++pass) {
    for (std::size_t i = 0; i < n; ++i) {
      const std::size_t j = (i + n - delay) % n;
      tapL[i] = 0.35f * (mix.right[j] + tapR[j]) * 0.6f;
      tapR[i] = 0.35f * (mix.left[j] + tapL[j]) * 0.6f;
    }
  }
  for (std::size_t i = 0; i < n; ++i) {
    mix.left[i] += tapL[i];
    mix.right[i] += tapR[i];
  }
}

}  // namespace

void makeMusic(Pack& pack) {
  Mix mix(std::size_t(samples(kBars * kBar)));
  PadNotes pads;
  section(mix, pads, 0, kVerse, nullptr, 0);
  section(mix, pads, 8, kChorus, &kChorusTune, 1);
  section(mix, pads, 16, kVerse, &kVerseTune, 2);
  section(mix, pads, 24, kChorus, &kChorusTune, 3);
  echo(mix);
  float peak = 0;
  for (std::size_t i = 0; i < mix.left.size(); ++i)
    peak = std::max({peak, std::abs(mix.left[i]), std::abs(mix.right[i])});
  const float gain = 0.85f / peak;
  std::vector<float> interleaved(mix.left.size() * 2);
  for (std::size_t i = 0; i < mix.left.size(); ++i) {
    interleaved[2 * i] = mix.left[i] * gain;
    interleaved[2 * i + 1] = mix.right[i] * gain;
  }
  pack.bytes("music/theme.ogg", encodeVorbis(interleaved, 2, 0.3f));
  Mono both(mix.left.size());
  for (std::size_t i = 0; i < both.size(); ++i)
    both[i] = 0.5f * (interleaved[2 * i] + interleaved[2 * i + 1]);
  pack.wave("music/theme.ogg", both);
}

}  // namespace assetgen
