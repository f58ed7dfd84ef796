// Writes the hand-made seed corpora of the fuzz targets: one folder per target under the given one.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "graphics/TGAReader.h"
#include "shell/config_file.h"
#include "shell/high_scores.h"
#include "shell/statistics_file.h"

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace {

fs::path Root;

void Put(const std::string& target, const std::string& name, const Bytes& bytes) {
  fs::create_directories(Root / target);
  std::ofstream(Root / target / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}
void PutText(const std::string& target, const std::string& name, const std::string& text) {
  Put(target, name, Bytes(text.begin(), text.end()));
}
Bytes Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A small picture with a gradient and a flat run, so both run-length packet kinds appear.
marblix::TBitmapEx Picture(int width, int height, marblix::TPixelFormat format) {
  marblix::TBitmapEx picture;
  picture.SetPixelFormat(format);
  picture.SetSize(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      picture.SetPixel(x, y, x < width / 2 ? 0x80FF8000u : 0xFF000000u | uint32_t(x * 40 + y * 7));
  return picture;
}

// Saves through the writer under test and returns the file's bytes.
Bytes Saved(const marblix::TBitmapEx& picture, const std::string& extension) {
  const fs::path file = Root / ("scratch" + extension);
  picture.SaveToFile(file.string());
  Bytes bytes = Read(file);
  fs::remove(file);
  return bytes;
}

Bytes TgaHeader(uint8_t type, int width, int height, uint8_t bits, uint8_t descriptor,
                uint8_t idLength = 0, uint8_t colourMap = 0) {
  return marblix::TgaHeaderBytes({idLength, colourMap, type, width, height, bits, descriptor});
}

void TgaSeeds() {
  using marblix::TPixelFormat;
  for (bool rle : {false, true}) {
    for (auto format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
      marblix::TBitmapEx picture = Picture(13, 5, format);
      picture.TgaRunLength = rle;
      Put("fuzz_tga", std::string(rle ? "rle" : "plain") + std::to_string(int(format)) + ".tga",
          Saved(picture, ".tga"));
    }
  }
  Bytes bottomFirst = TgaHeader(2, 2, 2, 24, 0, 3);
  bottomFirst.insert(bottomFirst.end(), {'i', 'd', '!'});
  bottomFirst.insert(bottomFirst.end(), 12, 0x7F);
  Put("fuzz_tga", "bottom_first_with_id.tga", bottomFirst);
  Put("fuzz_tga", "empty.tga", TgaHeader(2, 0, 0, 32, 0x20));
  Put("fuzz_tga", "header_only.tga", TgaHeader(2, 4, 4, 32, 0x20));
  Put("fuzz_tga", "colour_mapped.tga", TgaHeader(1, 1, 1, 8, 0, 0, 1));
  Put("fuzz_tga", "mirrored.tga", TgaHeader(2, 1, 1, 24, 0x30));
  Put("fuzz_tga", "sixteen_bits.tga", TgaHeader(2, 1, 1, 16, 0));
  Bytes overrun = TgaHeader(10, 2, 1, 24, 0x20);
  overrun.insert(overrun.end(), {0xFF, 1, 2, 3});
  Put("fuzz_tga", "rle_overrun.tga", overrun);
  Bytes huge = TgaHeader(10, 65535, 65535, 32, 0x20);
  huge.insert(huge.end(), {0xFF, 1, 2, 3, 4});
  Put("fuzz_tga", "rle_huge.tga", huge);
  Put("fuzz_tga", "short.tga", Bytes{0, 0, 2, 0, 0});
}

void BmpSeeds() {
  using marblix::TPixelFormat;
  Put("fuzz_bmp", "padded24.bmp", Saved(Picture(3, 3, TPixelFormat::pf24bit), ".bmp"));
  Put("fuzz_bmp", "plain32.bmp", Saved(Picture(4, 2, TPixelFormat::pf32bit), ".bmp"));
  Bytes topDown = Saved(Picture(5, 3, TPixelFormat::pf24bit), ".bmp");
  const int32_t minusThree = -3;
  for (int i = 0; i < 4; ++i) topDown[22 + i] = uint8_t(uint32_t(minusThree) >> (8 * i));
  Put("fuzz_bmp", "top_down.bmp", topDown);
  Bytes bitfields = Saved(Picture(2, 2, TPixelFormat::pf32bit), ".bmp");
  bitfields[30] = 3;
  Put("fuzz_bmp", "bitfields.bmp", bitfields);
  Bytes eightBit = Saved(Picture(2, 2, TPixelFormat::pf24bit), ".bmp");
  eightBit[28] = 8;
  Put("fuzz_bmp", "eight_bit.bmp", eightBit);
  Bytes truncated = Saved(Picture(6, 6, TPixelFormat::pf24bit), ".bmp");
  truncated.resize(truncated.size() - 10);
  Put("fuzz_bmp", "truncated.bmp", truncated);
  Put("fuzz_bmp", "magic_only.bmp", Bytes{'B', 'M'});
}

// A picture of the given size and colour space encoded through libjpeg; its bytes rise along
// each row and from row to row.
Bytes Jpeg(int width, int height, bool grey, bool progressive) {
  marblix::TBitmap picture;
  picture.SetPixelFormat(grey ? marblix::TPixelFormat::pf8bit : marblix::TPixelFormat::pf24bit);
  picture.SetSize(width, height);
  const int channels = grey ? 1 : 3;
  for (int y = 0; y < height; ++y) {
    uint8_t* row = picture.ScanLine(y);
    for (int i = 0; i < width * channels; ++i) {
      // The writer turns blue, green, red into red, green, blue: byte i of the file's row.
      const int at = grey ? i : i - i % 3 + 2 - i % 3;
      row[at] = uint8_t(i * 11 + y * 5);
    }
  }
  return marblix::EncodeJpeg(picture, 60, progressive);
}

void JpegSeeds() {
  Put("fuzz_jpeg", "colour.jpg", Jpeg(16, 8, false, false));
  Put("fuzz_jpeg", "grey.jpg", Jpeg(9, 7, true, false));
  Put("fuzz_jpeg", "progressive.jpg", Jpeg(17, 17, false, true));
  Bytes cut = Jpeg(32, 32, false, false);
  cut.resize(cut.size() / 2);
  Put("fuzz_jpeg", "truncated.jpg", cut);
}

void TextSeeds() {
  PutText("fuzz_strings", "strings.txt",
          "; the screens' texts\r\n$MainCaption\r\nSomething else\r\n$Help\r\nInstructions\r\n"
          "$Options\nOptions\n$HighScores\nHigh scores\n$Kids\nKids\n$Normal\nNormal\n"
          "$Proff\nProfessional\n$Exit_Caption\nExit\n@Exit_Text\n{\nReally quit?\n}\n"
          "@New_Text\n{\nStart a new game?\n  }  \n$New_Caption\n");
  PutText("fuzz_strings", "unclosed_block.txt", "@Old_Text\n{\nline one\nline two");
  PutText("fuzz_strings", "key_last.txt", "$Help");
  PutText("fuzz_strings", "blanks.txt", "\r\r\n\n ;\n  $help  \n\tvalue\n");
  PutText("fuzz_sounds", "sounds.txt",
          "s_click\t./sounds/click.ogg\t1.0\ns_hover\t./sounds/hover.ogg\t0\r\n"
          "_a1\t./sounds/a1.ogg\t1\n_d23\t./d.ogg\t-2.5e3\n_r22\t./r.ogg\t1\n_o0\t./o.ogg\t1\n"
          "_x4\t./x.ogg\t1\n_h+3\t./h.ogg\t1\n_f-1\t./f.ogg\t1\n_a99999999999\t./a.ogg\t1\n");
  PutText("fuzz_sounds", "faults.txt", "\nno_tab\nname\tpath\n_a\tp\t1\n_\tp\t1\ns_app\tp\tx\n");
}

void FontSeeds() {
  Bytes metrics(258, 0);
  metrics[0] = 16;
  metrics[1] = 16;
  for (size_t code = 0; code < 256; ++code) metrics[2 + code] = uint8_t(4 + code % 12);
  Put("fuzz_font", "metrics.rls", metrics);
  metrics[0] = 200;  // one glyph per sheet
  metrics[1] = 255;
  Put("fuzz_font", "huge_cells.rls", metrics);
  Put("fuzz_font", "zeros.rls", Bytes(258, 0));
  Put("fuzz_font", "short.rls", Bytes(257, 9));
}

void ConfigSeeds() {
  marblix::ConfigContents contents;
  marblix::TShellValues defaults;
  for (uint8_t mode = 0; mode < marblix::HighScoreModes; ++mode) {
    marblix::ResetScoreTable(defaults, mode);
    contents.Tables = defaults.HighScoreTable;
  }
  contents.MusicVolume = 50;
  contents.SoundVolume = 75;
  Put("fuzz_config", "fresh.bin", marblix::EncodeConfig(contents));
  contents.SavedGameFlag = 1;
  contents.Game.Mode = marblix::ModeNormal;
  contents.Game.Score = 120;
  contents.Game.NextCount = 3;
  for (int i = 0; i < 4; ++i) contents.Game.Preview[size_t(i)] = marblix::BallKinds[size_t(i) + 1];
  for (int x = 0; x < 9; ++x)
    for (int y = 0; y < 9; ++y)
      if ((x * 7 + y * 3) % 4 == 0)
        contents.Game.Cells[size_t(x)][size_t(y)] = marblix::BallKinds[size_t(1 + (x + y) % 22)];
  Bytes saved = marblix::EncodeConfig(contents);
  Put("fuzz_config", "saved_game.bin", saved);
  Bytes withMoves = saved;
  for (uint8_t move : {0, 10, 20, 30, 40, 50, 60, 70, 80, 0x85}) withMoves.push_back(move);
  Put("fuzz_config", "saved_game_moves.bin", withMoves);
  contents.Game.Score = 0x7FFFFFF0;
  Put("fuzz_config", "huge_score.bin", marblix::EncodeConfig(contents));
  Bytes damaged = saved;
  damaged[609] = 7;
  Put("fuzz_config", "bad_mode.bin", damaged);
  Put("fuzz_config", "short.bin", Bytes(saved.begin(), saved.begin() + 700));
  Put("fuzz_config", "empty.bin", Bytes{});
}

void StatisticsSeeds() {
  marblix::TStatisticsFile file;
  Put("fuzz_statistics", "fresh.bin", marblix::EncodeStatistics(file));
  file.Totals.Ways[marblix::WayNormal] = {12, 9, 1450, 8800, 140, 760, 4, 11, 5400000};
  file.Totals.Ways[marblix::WayDaily] = {3, 3, 900, 2100, 40, 220, 3, 2, 1800000};
  file.Totals.BestDay = 20796;
  file.Totals.BestOfDay = 900;
  file.Totals.LastFinishedDay = 20796;
  file.Totals.Streak = 3;
  file.Current = {true, marblix::WayDaily, 20796, true, {4, 22, 1, 2, 31}, 720000, 1};
  file.Previous = {true, marblix::WayDaily, 20796, true, {4, 20, 1, 2, 30}, 700000, 2};
  const Bytes daily = marblix::EncodeStatistics(file);
  Put("fuzz_statistics", "daily.bin", daily);
  file.Current.Day = 20795;  // a day that has passed
  Put("fuzz_statistics", "yesterday.bin", marblix::EncodeStatistics(file));
  Put("fuzz_statistics", "short.bin", Bytes(daily.begin(), daily.begin() + 200));
  Put("fuzz_statistics", "empty.bin", Bytes{});
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
    return 2;
  }
  Root = argv[1];
  fs::create_directories(Root);
  TgaSeeds();
  BmpSeeds();
  JpegSeeds();
  TextSeeds();
  FontSeeds();
  ConfigSeeds();
  StatisticsSeeds();
  return 0;
}
