// Statistics.bin: writing the image, and reading back only what this program can have written.
#include "shell/statistics_file.h"

#include <algorithm>
#include <array>

#include "shell/config_file.h"

namespace marblix {
namespace {

constexpr std::array<uint8_t, 8> Magic{'M', 'B', 'X', 'S', 'T', 'A', 'T', 'S'};
constexpr std::size_t HeaderSize = 16;
constexpr std::size_t WaySize = 56;
constexpr std::size_t DailySize = 16;
constexpr std::size_t RecordSize = 44;
constexpr std::size_t BodySize = PlayWayCount * WaySize + DailySize + 2 * RecordSize;
constexpr std::size_t FileSize = HeaderSize + BodySize + 4;
static_assert(BodySize == 328);

// Where the saved game starts in a Config.bin image: its flag, then the game.
constexpr std::size_t SavedGameOffset = 608;

uint32_t Crc32(std::span<const uint8_t> bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (const uint8_t byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

class Writer {
 public:
  explicit Writer(std::vector<uint8_t>& out) : out_(out) {}
  template <typename T>
  void Put(T value) {
    const auto bits = static_cast<uint64_t>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i)
      out_.push_back(static_cast<uint8_t>(bits >> (8 * i)));
  }

 private:
  std::vector<uint8_t>& out_;
};

// Reads fields in order from a span whose size has been checked.
class Reader {
 public:
  explicit Reader(std::span<const uint8_t> in) : in_(in) {}
  template <typename T>
  T Get() {
    uint64_t value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) value |= uint64_t{in_[pos_ + i]} << (8 * i);
    pos_ += sizeof(T);
    return static_cast<T>(value);
  }
  bool Flag(bool& target) {
    const auto value = Get<uint8_t>();
    target = value == 1;
    return value <= 1;
  }

 private:
  std::span<const uint8_t> in_;
  std::size_t pos_ = 0;
};

void PutWay(Writer& w, const TWayTotals& t) {
  w.Put(t.Played);
  w.Put(t.Finished);
  w.Put(t.Best);
  w.Put(t.ScoreSum);
  w.Put(t.Lines);
  w.Put(t.Balls);
  w.Put(t.LongestChain);
  w.Put(t.Bombs);
  w.Put(t.Milliseconds);
}

bool GetWay(Reader& r, TWayTotals& t) {
  t.Played = r.Get<uint32_t>();
  t.Finished = r.Get<uint32_t>();
  t.Best = r.Get<int32_t>();
  t.ScoreSum = r.Get<uint64_t>();
  t.Lines = r.Get<uint64_t>();
  t.Balls = r.Get<uint64_t>();
  t.LongestChain = r.Get<uint32_t>();
  t.Bombs = r.Get<uint64_t>();
  t.Milliseconds = r.Get<uint64_t>();
  // The finished games' scores add up to at most their number times the best of them.
  const bool sumFits = t.ScoreSum <= uint64_t{t.Finished} * static_cast<uint64_t>(t.Best);
  return t.Finished <= t.Played && t.Best >= 0 && sumFits;
}

void PutRecord(Writer& w, const TGameRecord& g) {
  w.Put(static_cast<uint8_t>(g.Present));
  w.Put(g.Way);
  w.Put(static_cast<uint8_t>(g.Counted));
  w.Put(uint8_t{0});
  w.Put(g.Day);
  w.Put(g.Fingerprint);
  w.Put(g.Tally.Lines);
  w.Put(g.Tally.Balls);
  w.Put(g.Tally.Bombs);
  w.Put(g.Tally.LongestChain);
  w.Put(g.Tally.Moves);
  w.Put(g.Milliseconds);
}

bool GetRecord(Reader& r, TGameRecord& g) {
  bool sound = r.Flag(g.Present);
  g.Way = r.Get<uint8_t>();
  sound = r.Flag(g.Counted) && sound;
  sound = r.Get<uint8_t>() == 0 && sound;
  g.Day = r.Get<int32_t>();
  g.Fingerprint = r.Get<uint64_t>();
  g.Tally.Lines = r.Get<uint32_t>();
  g.Tally.Balls = r.Get<uint32_t>();
  g.Tally.Bombs = r.Get<uint32_t>();
  g.Tally.LongestChain = r.Get<uint32_t>();
  g.Tally.Moves = r.Get<uint32_t>();
  g.Milliseconds = r.Get<uint64_t>();
  // Only the day's game carries a day, and no record is kept of a game that is not there.
  const bool dayFits = g.Way == WayDaily ? g.Day > 0 : g.Day == 0;
  return sound && g.Way < PlayWayCount && dayFits && (g.Present || g == TGameRecord{});
}

}  // namespace

std::vector<uint8_t> EncodeStatistics(const TStatisticsFile& file) {
  std::vector<uint8_t> out;
  out.reserve(FileSize);
  Writer w(out);
  out.insert(out.end(), Magic.begin(), Magic.end());
  w.Put(StatisticsVersion);
  w.Put(uint16_t{0});
  w.Put(static_cast<uint32_t>(BodySize));
  for (const TWayTotals& way : file.Totals.Ways) PutWay(w, way);
  w.Put(file.Totals.BestDay);
  w.Put(file.Totals.BestOfDay);
  w.Put(file.Totals.LastFinishedDay);
  w.Put(file.Totals.Streak);
  PutRecord(w, file.Current);
  PutRecord(w, file.Previous);
  w.Put(Crc32(out));
  return out;
}

bool DecodeStatistics(std::span<const uint8_t> bytes, TStatisticsFile& file, std::string& reason) {
  if (bytes.size() < HeaderSize || !std::equal(Magic.begin(), Magic.end(), bytes.begin())) {
    reason = "not a Marblix statistics file";
    return false;
  }
  Reader header(bytes.subspan(8));
  const auto version = header.Get<uint16_t>();
  if (version != StatisticsVersion) {
    reason = "version " + std::to_string(version) + ", this program reads version " +
             std::to_string(StatisticsVersion);
    return false;
  }
  const bool zero = header.Get<uint16_t>() == 0;
  if (!zero || header.Get<uint32_t>() != BodySize || bytes.size() != FileSize) {
    reason = "wrong size";
    return false;
  }
  Reader crc(bytes.subspan(FileSize - 4));
  if (crc.Get<uint32_t>() != Crc32(bytes.first(FileSize - 4))) {
    reason = "checksum mismatch";
    return false;
  }
  TStatisticsFile read;
  Reader r(bytes.subspan(HeaderSize, BodySize));
  bool sound = true;
  for (TWayTotals& way : read.Totals.Ways) sound = GetWay(r, way) && sound;
  read.Totals.BestDay = r.Get<int32_t>();
  read.Totals.BestOfDay = r.Get<int32_t>();
  read.Totals.LastFinishedDay = r.Get<int32_t>();
  read.Totals.Streak = r.Get<uint32_t>();
  sound = sound && read.Totals.BestDay >= 0 && read.Totals.BestOfDay >= 0 &&
          read.Totals.LastFinishedDay >= 0;
  sound = GetRecord(r, read.Current) && sound;
  sound = GetRecord(r, read.Previous) && sound;
  if (!sound) {
    reason = "values out of range";
    return false;
  }
  file = read;
  return true;
}

uint64_t KeptGameFingerprint(std::span<const uint8_t> configImage) {
  if (configImage.size() < ConfigFileSize || configImage[SavedGameOffset] == 0) return 0;
  uint64_t hash = 0xCBF29CE484222325ull;
  for (const uint8_t byte :
       configImage.subspan(SavedGameOffset, ConfigFileSize - SavedGameOffset)) {
    hash ^= byte;
    hash *= 0x100000001B3ull;
  }
  return hash;
}

}  // namespace marblix
