// TBitmap: pixel rows in memory, format conversion, and the Windows BMP reader and writer.
#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "graphics/TGAReader.h"

namespace marblix {

namespace {

uint32_t ReadLE(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + i];
  return v;
}

void PutLE(std::vector<uint8_t>& b, size_t at, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t ReadArgb(const uint8_t* p, int bytesPerPixel) {
  if (bytesPerPixel == 1) return 0xFF000000u | p[0] * 0x010101u;
  const uint32_t alpha = bytesPerPixel == 4 ? p[3] : 0xFFu;
  return alpha << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

void WriteArgb(uint8_t* p, int bytesPerPixel, uint32_t argb) {
  const uint8_t b = argb & 0xFF, g = (argb >> 8) & 0xFF, r = (argb >> 16) & 0xFF;
  if (bytesPerPixel == 1) {
    p[0] = static_cast<uint8_t>((r * 77 + g * 151 + b * 28) >> 8);
    return;
  }
  p[0] = b;
  p[1] = g;
  p[2] = r;
  if (bytesPerPixel == 4) p[3] = static_cast<uint8_t>(argb >> 24);
}

constexpr size_t BmpFileHeader = 14;
constexpr size_t BmpInfoHeader = 40;
constexpr uint32_t BiRgb = 0;
constexpr uint32_t BiBitfields = 3;

}  // namespace

void TBitmap::SetSize(int width, int height) {
  if (width < 0 || height < 0) throw EPictureError("Invalid bitmap size");
  FWidth = width;
  FHeight = height;
  FPixels.assign(static_cast<size_t>(RowBytes()) * height, 0);
  if (FFormat == TPixelFormat::pf32bit)
    for (size_t i = 3; i < FPixels.size(); i += 4) FPixels[i] = 0xFF;
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == FFormat) return;
  TBitmap converted;
  converted.FFormat = format;
  converted.SetSize(FWidth, FHeight);
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) converted.SetPixel(x, y, Pixel(x, y));
  *this = std::move(converted);
}

uint32_t TBitmap::Pixel(int x, int y) const {
  return ReadArgb(ScanLine(y) + static_cast<ptrdiff_t>(x) * BytesPerPixel(), BytesPerPixel());
}

void TBitmap::SetPixel(int x, int y, uint32_t argb) {
  WriteArgb(ScanLine(y) + static_cast<ptrdiff_t>(x) * BytesPerPixel(), BytesPerPixel(), argb);
}

void TBitmap::Assign(int width, int height, TPixelFormat format, std::vector<uint8_t> pixels) {
  FWidth = width;
  FHeight = height;
  FFormat = format;
  FPixels = std::move(pixels);
}

void TBitmap::LoadFromFile(const std::string& fileName) {
  const std::string path = NativePath(fileName);
  const std::vector<uint8_t> file = ReadWholeFile(path);
  const auto fail = [&](const std::string& why) {
    throw EPictureError("Cannot read bitmap \"" + fileName + "\": " + why);
  };
  if (file.size() < BmpFileHeader + BmpInfoHeader || file[0] != 'B' || file[1] != 'M')
    fail("not a Windows bitmap");
  const uint32_t dataOffset = ReadLE(file, 10, 4);
  const uint32_t infoSize = ReadLE(file, 14, 4);
  const int32_t width = static_cast<int32_t>(ReadLE(file, 18, 4));
  const int32_t rawHeight = static_cast<int32_t>(ReadLE(file, 22, 4));
  const uint32_t bits = ReadLE(file, 28, 2);
  const uint32_t compression = ReadLE(file, 30, 4);
  if (infoSize < BmpInfoHeader) fail("unsupported header");
  if (bits != 24 && bits != 32) fail("only 24- and 32-bit bitmaps are supported");
  if (compression != BiRgb && !(compression == BiBitfields && bits == 32))
    fail("compressed bitmaps are not supported");
  if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN || width > 65535) fail("bad size");
  const bool topFirst = rawHeight < 0;
  const int height = topFirst ? -rawHeight : rawHeight;
  if (height > 65535) fail("bad size");
  const int bytesPerPixel = static_cast<int>(bits / 8);
  const size_t rowBytes = static_cast<size_t>(width) * bytesPerPixel;
  const size_t stride = (rowBytes + 3) & ~size_t(3);
  if (dataOffset > file.size() || (file.size() - dataOffset) / stride < size_t(height))
    fail("file is truncated");
  std::vector<uint8_t> pixels(rowBytes * height);
  for (int row = 0; row < height; ++row) {
    const size_t source = dataOffset + stride * (topFirst ? row : height - 1 - row);
    std::memcpy(pixels.data() + rowBytes * row, file.data() + source, rowBytes);
  }
  Assign(width, height, bits == 32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit,
         std::move(pixels));
}

void TBitmap::SaveToFile(const std::string& fileName) const {
  TBitmap copy = *this;
  if (copy.FFormat == TPixelFormat::pf8bit) copy.SetPixelFormat(TPixelFormat::pf24bit);
  const int bytesPerPixel = copy.BytesPerPixel();
  const size_t rowBytes = static_cast<size_t>(FWidth) * bytesPerPixel;
  const size_t stride = (rowBytes + 3) & ~size_t(3);
  const size_t dataOffset = BmpFileHeader + BmpInfoHeader;
  std::vector<uint8_t> file(dataOffset + stride * FHeight, 0);
  file[0] = 'B';
  file[1] = 'M';
  PutLE(file, 2, static_cast<uint32_t>(file.size()), 4);
  PutLE(file, 10, static_cast<uint32_t>(dataOffset), 4);
  PutLE(file, 14, BmpInfoHeader, 4);
  PutLE(file, 18, static_cast<uint32_t>(FWidth), 4);
  PutLE(file, 22, static_cast<uint32_t>(FHeight), 4);
  PutLE(file, 26, 1, 2);
  PutLE(file, 28, static_cast<uint32_t>(bytesPerPixel * 8), 2);
  PutLE(file, 34, static_cast<uint32_t>(stride * FHeight), 4);
  PutLE(file, 38, 2835, 4);
  PutLE(file, 42, 2835, 4);
  for (int row = 0; row < FHeight; ++row)
    std::memcpy(file.data() + dataOffset + stride * (FHeight - 1 - row), copy.ScanLine(row),
                rowBytes);
  WriteWholeFile(NativePath(fileName), file);
}

std::string NativePath(const std::string& fileName) {
  std::string path = fileName;
  // The game's paths are written with backslashes, which only Windows takes as separators.
  if constexpr (std::filesystem::path::preferred_separator == '/')
    std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EInOutError("Cannot open file \"" + path + "\"");
  // In blocks: the pack's pictures add up to megabytes, read at every start.
  std::vector<uint8_t> bytes;
  std::array<char, 1 << 16> block;
  while (in.read(block.data(), block.size()) || in.gcount() > 0)
    bytes.insert(bytes.end(), block.begin(), block.begin() + in.gcount());
  if (in.bad()) throw EInOutError("Read error in file \"" + path + "\"");
  return bytes;
}

void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw EInOutError("Cannot create file \"" + path + "\"");
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw EInOutError("Write error in file \"" + path + "\"");
}

}  // namespace marblix
