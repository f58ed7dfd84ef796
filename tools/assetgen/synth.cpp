// Oscillators, envelopes, filters, loudness and the libvorbisenc encoder of the sound maker.
#include "assetgen/synth.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace assetgen::synth {

double midiToHz(double note) {
  return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}
int samples(double seconds) {
  return int(std::lround(seconds * kRate));
}

void mixInto(Mono& target, const Mono& source, long at, float gain, bool wrap) {
  if (!wrap && at + long(source.size()) > long(target.size()))
    target.resize(std::size_t(at) + source.size());
  const long n = long(target.size());
  for (std::size_t i = 0; i < source.size(); ++i) {
    long j = at + long(i);
    if (wrap) j = ((j % n) + n) % n;
    if (j >= 0 && j < n) target[std::size_t(j)] += source[i] * gain;
  }
}

namespace {

// Attack ramp, then an exponential fall to -60 dB over `decay` seconds.
double envelope(double t, double attack, double decay) {
  if (t < attack) return attack > 0 ? t / attack : 1.0;
  return std::exp(-6.9 * (t - attack) / std::max(1e-4, decay));
}

}  // namespace

Mono sine(double seconds, double hz, double hzEnd, double attack, double decay) {
  Mono out(std::size_t(samples(seconds)));
  double phase = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = double(i) / kRate;
    const double f = hz * std::pow(hzEnd / hz, t / seconds);
    phase += 2 * M_PI * f / kRate;
    out[i] = float(std::sin(phase) * envelope(t, attack, decay));
  }
  return out;
}

Mono bell(double seconds, double hz, double ratio, double index, double decay) {
  Mono out(std::size_t(samples(seconds)));
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = double(i) / kRate;
    const double env = envelope(t, 0.002, decay);
    const double mod = index * std::exp(-5 * t / decay) * std::sin(2 * M_PI * hz * ratio * t);
    out[i] = float(env * std::sin(2 * M_PI * hz * t + mod));
  }
  return out;
}

Mono noiseBurst(double seconds, double hz, double hzEnd, double q, double attack, double decay,
                std::uint32_t seed) {
  Mono out(std::size_t(samples(seconds)));
  Noise noise(seed);
  // State-variable band-pass filter.
  double low = 0, band = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = double(i) / kRate;
    const double f = hz * std::pow(hzEnd / hz, t / seconds);
    const double k = 2 * std::sin(M_PI * std::min(f, kRate / 6.0) / kRate);
    const double x = noise.next();
    low += k * band;
    const double high = x - low - band / q;
    band += k * high;
    out[i] = float(band * envelope(t, attack, decay));
  }
  return out;
}

void lowPass(Mono& s, double hz) {
  const double a = 1 - std::exp(-2 * M_PI * hz / kRate);
  double y = 0;
  for (float& x : s) x = float(y += a * (x - y));
}

void highPass(Mono& s, double hz) {
  const double a = std::exp(-2 * M_PI * hz / kRate);
  double prevX = 0, y = 0;
  for (float& x : s) {
    y = a * (y + x - prevX);
    prevX = x;
    x = float(y);
  }
}

void fadeEnds(Mono& s, double inSeconds, double outSeconds) {
  const std::size_t in = std::min(s.size(), std::size_t(samples(inSeconds)));
  const std::size_t out = std::min(s.size(), std::size_t(samples(outSeconds)));
  for (std::size_t i = 0; i < in; ++i) s[i] *= float(i) / float(in);
  for (std::size_t i = 0; i < out; ++i) s[s.size() - 1 - i] *= float(i) / float(out);
}

void normalise(Mono& s, double targetDb, double ceilingDb) {
  const std::size_t window = std::size_t(samples(0.05));
  double loudest = 0, sum = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    sum += double(s[i]) * s[i];
    if (i >= window) sum -= double(s[i - window]) * s[i - window];
    loudest = std::max(loudest, sum / double(std::min(window, i + 1)));
  }
  if (loudest <= 0) return;
  double gain = std::pow(10.0, targetDb / 20) / std::sqrt(loudest);
  float peak = 0;
  for (float x : s) peak = std::max(peak, std::abs(x));
  gain = std::min(gain, std::pow(10.0, ceilingDb / 20) / peak);
  for (float& x : s) x = float(x * gain);
}

void makeLoop(Mono& s, double fadeSeconds) {
  const std::size_t fade = std::size_t(samples(fadeSeconds));
  if (s.size() < 2 * fade) throw std::runtime_error("sound too short to loop");
  const std::size_t n = s.size() - fade;
  for (std::size_t i = 0; i < fade; ++i) {
    const float t = float(i) / float(fade);
    // Equal-power crossfade of the tail over the head.
    s[i] = s[i] * std::sqrt(t) + s[n + i] * std::sqrt(1 - t);
  }
  s.resize(n);
}

namespace {

// RAII holder of every libvorbis/libogg state of one encoding.
struct Encoder {
  vorbis_info info;
  vorbis_comment comment;
  vorbis_dsp_state dsp;
  vorbis_block block;
  ogg_stream_state stream;
  std::vector<std::uint8_t> out;

  Encoder(int channels, float quality) {
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, kRate, quality) != 0) {
      vorbis_info_clear(&info);
      throw std::runtime_error("the Vorbis encoder refused its settings");
    }
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "TITLE", "Marblix");
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_init(&stream, 0x4D42);  // a fixed serial number keeps the output repeatable
  }
  ~Encoder() {
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
  }
  Encoder(const Encoder&) = delete;
  Encoder& operator=(const Encoder&) = delete;

  void write(const ogg_page& page) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
  }
  void headers() {
    ogg_packet id, comments, codebooks;
    vorbis_analysis_headerout(&dsp, &comment, &id, &comments, &codebooks);
    ogg_stream_packetin(&stream, &id);
    ogg_stream_packetin(&stream, &comments);
    ogg_stream_packetin(&stream, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0) write(page);
  }
  void drain() {
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
        ogg_stream_packetin(&stream, &packet);
        ogg_page page;
        while (ogg_stream_pageout(&stream, &page) != 0) write(page);
      }
    }
  }
};

}  // namespace

std::vector<std::uint8_t> encodeVorbis(const std::vector<float>& interleaved, int channels,
                                       float quality) {
  Encoder enc(channels, quality);
  enc.headers();
  const std::size_t frames = interleaved.size() / std::size_t(channels);
  constexpr std::size_t kChunk = 4096;
  for (std::size_t start = 0; start < frames; start += kChunk) {
    const std::size_t n = std::min(kChunk, frames - start);
    float** buffer = vorbis_analysis_buffer(&enc.dsp, int(n));
    for (std::size_t i = 0; i < n; ++i)
      for (int c = 0; c < channels; ++c)
        buffer[c][i] = std::clamp(interleaved[(start + i) * std::size_t(channels) + std::size_t(c)],
                                  -1.0f, 1.0f);
    vorbis_analysis_wrote(&enc.dsp, int(n));
    enc.drain();
  }
  vorbis_analysis_wrote(&enc.dsp, 0);
  enc.drain();
  ogg_page page;
  while (ogg_stream_flush(&enc.stream, &page) != 0) enc.write(page);
  return std::move(enc.out);
}

}  // namespace assetgen::synth
