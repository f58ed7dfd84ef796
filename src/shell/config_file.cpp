// Config.bin encoding, decoding and validation.
#include "shell/config_file.h"

#include <algorithm>
#include <fstream>

namespace marblix {
namespace {

// A ball of one of the kinds the game creates (an empty cell is no ball).
bool IsKnownBall(const CellRecord& cell) {
  return cell.Mask != 0 && std::find(BallKinds.begin(), BallKinds.end(), cell) != BallKinds.end();
}

class Writer {
 public:
  explicit Writer(std::vector<uint8_t>& out) : out_(out) {}
  void U8(uint8_t v) { out_.push_back(v); }
  void U16(uint16_t v) {
    for (int i = 0; i < 2; ++i) U8(static_cast<uint8_t>(v >> (8 * i)));
  }
  void U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) U8(static_cast<uint8_t>(v >> (8 * i)));
  }
  void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
  void Cell(const CellRecord& c) {
    U32(c.Mask);
    U32(c.Look);
  }

 private:
  std::vector<uint8_t>& out_;
};

// Reads fields in order; once a field does not fit, it and every later read leave their target.
class Reader {
 public:
  explicit Reader(std::span<const uint8_t> in) : in_(in) {}
  bool Has(std::size_t n) const { return pos_ + n <= in_.size(); }
  template <typename T>
  bool Read(T& target) {
    if (!Has(sizeof(T))) {
      pos_ = in_.size();
      return false;
    }
    uint64_t value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) value |= uint64_t{in_[pos_ + i]} << (8 * i);
    pos_ += sizeof(T);
    target = static_cast<T>(value);
    return true;
  }
  bool Cell(CellRecord& c) {
    if (!Has(8)) {
      pos_ = in_.size();
      return false;
    }
    Read(c.Mask);
    Read(c.Look);
    return true;
  }

 private:
  std::span<const uint8_t> in_;
  std::size_t pos_ = 0;
};

void EncodeEntry(Writer& w, const HighScoreEntry& e) {
  w.U8(e.NameLength);
  for (char c : e.Name) w.U8(static_cast<uint8_t>(c));
  w.U16(e.Score);
}

void DecodeEntry(Reader& r, HighScoreEntry& e) {
  r.Read(e.NameLength);
  for (char& c : e.Name) {
    uint8_t byte = static_cast<uint8_t>(c);
    r.Read(byte);
    c = static_cast<char>(byte);
  }
  r.Read(e.Score);
}

}  // namespace

std::vector<uint8_t> EncodeConfig(const ConfigContents& contents) {
  std::vector<uint8_t> out;
  out.reserve(ConfigFileSize);
  Writer w(out);
  for (const auto& table : contents.Tables) {
    for (const auto& entry : table) EncodeEntry(w, entry);
  }
  w.I32(contents.MusicVolume);
  w.I32(contents.SoundVolume);
  w.U8(contents.SavedGameFlag);
  const SavedGameRecord& game = contents.Game;
  w.U8(game.Mode);
  w.I32(game.Score);
  w.I32(game.NextCount);
  for (const auto& cell : game.Preview) w.Cell(cell);
  for (int x = 0; x <= SavedBoardSize; ++x) {
    for (int y = 0; y <= SavedBoardSize; ++y) {
      const bool onBoard = x < SavedBoardSize && y < SavedBoardSize;
      w.Cell(onBoard ? game.Cells[x][y] : CellRecord{});
    }
  }
  return out;
}

void DecodeConfig(std::span<const uint8_t> bytes, ConfigContents& contents) {
  Reader r(bytes);
  for (auto& table : contents.Tables) {
    for (auto& entry : table) DecodeEntry(r, entry);
  }
  r.Read(contents.MusicVolume);
  r.Read(contents.SoundVolume);
  uint8_t flag = 0;
  contents.SavedGameFlag = r.Read(flag) ? flag : 0;
  if (contents.SavedGameFlag == 0) return;
  SavedGameRecord& game = contents.Game;
  r.Read(game.Mode);
  r.Read(game.Score);
  r.Read(game.NextCount);
  for (auto& cell : game.Preview) r.Cell(cell);
  for (int x = 0; x <= SavedBoardSize; ++x) {
    for (int y = 0; y <= SavedBoardSize; ++y) {
      if (x < SavedBoardSize && y < SavedBoardSize) {
        r.Cell(game.Cells[x][y]);
      } else {
        CellRecord ignored;
        r.Cell(ignored);
      }
    }
  }
}

void SanitizeSettings(ConfigContents& contents) {
  for (auto& table : contents.Tables) {
    for (auto& entry : table) entry.NameLength = std::min<uint8_t>(entry.NameLength, 17);
  }
  contents.MusicVolume = std::clamp(contents.MusicVolume, 0, 100);
  contents.SoundVolume = std::clamp(contents.SoundVolume, 0, 100);
}

bool SavedGameIsSound(const SavedGameRecord& game) {
  if (game.Mode > ModeProfessional || game.Score <= 0) return false;
  if (game.NextCount < 1 || game.NextCount > 4) return false;
  for (const auto& ball : game.Preview) {
    if (!IsKnownBall(ball)) return false;
  }
  for (const auto& column : game.Cells) {
    for (const auto& cell : column) {
      if (cell.Mask != 0 && !IsKnownBall(cell)) return false;
    }
  }
  return true;
}

bool ReadWholeFile(const std::filesystem::path& path, std::vector<uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace marblix
