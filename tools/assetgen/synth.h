// Sound synthesis kit: oscillators, envelopes, filters, mixing, loudness and Ogg Vorbis encoding.
#pragma once

#include <cstdint>
#include <vector>

namespace assetgen::synth {

inline constexpr int kRate = 44100;
using Mono = std::vector<float>;

// A repeatable noise source (the same numbers every run).
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
  float next() {
    state_ = state_ * 1664525u + 1013904223u;
    return float(int32_t(state_)) / 2147483648.0f;
  }

 private:
  std::uint32_t state_;
};

double midiToHz(double note);
int samples(double seconds);

// Adds `source` into `target` from sample `at` with `gain`; grows the target when needed, or,
// when `wrap` is set, folds what passes the end back to the start (for seamless loops).
void mixInto(Mono& target, const Mono& source, long at, float gain, bool wrap = false);

// Tones. Pitch glides exponentially from `hz` to `hzEnd` over the sound.
Mono sine(double seconds, double hz, double hzEnd, double attack, double decay);
// Two-operator FM bell or mallet: modulator ratio and index fall with the decay.
Mono bell(double seconds, double hz, double ratio, double index, double decay);
// Filtered noise burst: band centre glides from `hz` to `hzEnd`, q is the band's sharpness.
Mono noiseBurst(double seconds, double hz, double hzEnd, double q, double attack, double decay,
                std::uint32_t seed);

// Filters in place.
void lowPass(Mono& s, double hz);
void highPass(Mono& s, double hz);

// Short fades so that nothing clicks at either end.
void fadeEnds(Mono& s, double inSeconds, double outSeconds);
// Scales to a common loudness (RMS of the loudest 50 ms) with a peak ceiling.
void normalise(Mono& s, double targetDb, double ceilingDb = -1.0);
// Makes a sound loop without a seam: the tail is crossfaded into the head, length shrinks by fade.
void makeLoop(Mono& s, double fadeSeconds);

// Ogg Vorbis of 16-bit-range float samples in -1..1, interleaved when stereo.
std::vector<std::uint8_t> encodeVorbis(const std::vector<float>& interleaved, int channels,
                                       float quality);

}  // namespace assetgen::synth
