// TBitmapEx: chooses the reader by extension, reads and writes TGA, and draws the placeholder.
#include "graphics/TGAReader.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>

#include "graphics/PixelFont.h"

namespace marblix {

namespace {

constexpr size_t TgaHeaderSize = 18;
constexpr uint8_t TgaTrueColor = 2;
constexpr uint8_t TgaTrueColorRle = 10;
constexpr uint8_t TgaRightToLeft = 0x10;
constexpr uint8_t TgaTopFirst = 0x20;

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

std::string ExtensionOf(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return path.substr(dot);
}

// Unpacks run-length packets into exactly out.size() bytes; a packet reaching past is refused.
void UnpackRunLength(const std::vector<uint8_t>& file, size_t at, int pixelBytes,
                     std::vector<uint8_t>& out, const std::string& path) {
  size_t written = 0;
  while (written < out.size()) {
    if (at >= file.size()) throw EInOutError("TGA file \"" + path + "\" is truncated");
    const uint8_t packet = file[at++];
    const size_t count = (packet & 0x7Fu) + 1u;
    const size_t bytes = count * pixelBytes;
    if (bytes > out.size() - written)
      throw EPictureError("TGA run-length packet overruns the picture in \"" + path + "\"");
    const size_t source = (packet & 0x80u) ? size_t(pixelBytes) : bytes;
    if (source > file.size() - at) throw EInOutError("TGA file \"" + path + "\" is truncated");
    if (packet & 0x80u) {
      for (size_t i = 0; i < count; ++i)
        std::memcpy(out.data() + written + i * pixelBytes, file.data() + at, pixelBytes);
    } else {
      std::memcpy(out.data() + written, file.data() + at, bytes);
    }
    written += bytes;
    at += source;
  }
}

// Packs one row of pixels into run-length packets of at most 128 pixels.
void PackRunLengthRow(const uint8_t* row, int width, int pixelBytes, std::vector<uint8_t>& out) {
  const auto at = [&](int pixel) { return row + static_cast<ptrdiff_t>(pixel) * pixelBytes; };
  const auto same = [&](int a, int b) { return std::memcmp(at(a), at(b), pixelBytes) == 0; };
  int x = 0;
  while (x < width) {
    int run = 1;
    while (x + run < width && run < 128 && same(x, x + run)) ++run;
    if (run > 1) {
      out.push_back(static_cast<uint8_t>(0x80 | (run - 1)));
      out.insert(out.end(), at(x), at(x + 1));
      x += run;
      continue;
    }
    int literal = 1;
    while (x + literal < width && literal < 128 &&
           !(x + literal + 1 < width && same(x + literal, x + literal + 1)))
      ++literal;
    out.push_back(static_cast<uint8_t>(literal - 1));
    out.insert(out.end(), at(x), at(x + literal));
    x += literal;
  }
}

void DrawPlaceholderText(TBitmap& bitmap, int left, int top, const std::string& text) {
  constexpr uint32_t Black = 0xFF000000u;
  constexpr uint32_t Orange = 0xFFFFAE00u;
  const int width = static_cast<int>(text.size()) * PixelGlyphAdvance + 1;
  for (int y = top - 1; y < top + PixelGlyphHeight + 1; ++y)
    for (int x = left - 1; x < left - 1 + width; ++x) bitmap.SetPixel(x, y, Orange);
  DrawPixelText(text, left, top, 1, [&bitmap](int x, int y, int) { bitmap.SetPixel(x, y, Black); });
}

}  // namespace

void TBitmapEx::LoadFromFile(const std::string& fileName) {
  const std::string path = NativePath(fileName);
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    MakePlaceholder();
    return;
  }
  const std::string extension = ExtensionOf(path);
  if (Lower(extension) == ".tga") {
    LoadTGA(path);
  } else if (Lower(extension) == ".jpg") {
    LoadJPEG(path);
  } else {
    TBitmap::LoadFromFile(path);
  }
}

void TBitmapEx::SaveToFile(const std::string& fileName) const {
  const std::string path = NativePath(fileName);
  if (Lower(ExtensionOf(path)) != ".tga") {
    TBitmap::SaveToFile(path);
    return;
  }
  SaveTGA(path);
}

void TBitmapEx::LoadTGA(const std::string& path) {
  const std::vector<uint8_t> file = ReadWholeFile(path);
  if (file.size() < TgaHeaderSize) throw EInOutError("TGA file \"" + path + "\" is truncated");
  const uint8_t idLength = file[0];
  const uint8_t colorMapType = file[1];
  const uint8_t imageType = file[2];
  const int width = file[12] | file[13] << 8;
  const int height = file[14] | file[15] << 8;
  const uint8_t bits = file[16];
  const uint8_t descriptor = file[17];
  if (imageType != TgaTrueColor && imageType != TgaTrueColorRle)
    throw EPictureError("TGA graphics is not in True-Color");
  if (colorMapType != 0) throw EPictureError("Color-mapped TGA is not supported");
  if (bits != 32 && bits != 24) throw EPictureError("Invalid TGA Bit-depth!");
  if (descriptor & TgaRightToLeft) throw EPictureError("Mirrored TGA is not supported!");

  const bool topFirst = (descriptor & TgaTopFirst) != 0;
  const int pixelBytes = bits / 8;
  const size_t rowBytes = static_cast<size_t>(width) * pixelBytes;
  const size_t dataStart = TgaHeaderSize + idLength;
  if (dataStart > file.size()) throw EInOutError("TGA file \"" + path + "\" is truncated");
  // Width and height are 16-bit, so the size cannot overflow; an uncompressed picture must fit
  // the file, and a run-length one can grow at most 128-fold from its packets.
  const size_t pixelBytesTotal = rowBytes * height;
  const size_t available = file.size() - dataStart;
  if (imageType == TgaTrueColor && available < pixelBytesTotal)
    throw EInOutError("TGA file \"" + path + "\" is truncated");
  if (imageType == TgaTrueColorRle && pixelBytesTotal / 128 > available)
    throw EInOutError("TGA file \"" + path + "\" is truncated");

  // The rows land in place, top first, without a second picture-sized buffer. std::copy_n,
  // unlike memcpy, is defined for the empty buffers of a picture without pixels.
  std::vector<uint8_t> rows(pixelBytesTotal);
  if (imageType == TgaTrueColor) {
    for (int row = 0; row < height; ++row) {
      const int target = topFirst ? row : height - 1 - row;
      std::copy_n(file.data() + dataStart + rowBytes * row, rowBytes,
                  rows.data() + rowBytes * target);
    }
  } else {
    UnpackRunLength(file, dataStart, pixelBytes, rows, path);
    for (int row = 0; !topFirst && row < height / 2; ++row)
      std::swap_ranges(rows.data() + rowBytes * row, rows.data() + rowBytes * (row + 1),
                       rows.data() + rowBytes * (height - 1 - row));
  }
  Assign(width, height, bits == 32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit,
         std::move(rows));
}

std::vector<uint8_t> TgaHeaderBytes(const TTgaHeader& header) {
  std::vector<uint8_t> bytes(TgaHeaderSize, 0);
  bytes[0] = header.IdLength;
  bytes[1] = header.ColorMapType;
  bytes[2] = header.ImageType;
  bytes[12] = static_cast<uint8_t>(header.Width);
  bytes[13] = static_cast<uint8_t>(header.Width >> 8);
  bytes[14] = static_cast<uint8_t>(header.Height);
  bytes[15] = static_cast<uint8_t>(header.Height >> 8);
  bytes[16] = header.BitsPerPixel;
  bytes[17] = header.Descriptor;
  return bytes;
}

void TBitmapEx::SaveTGA(const std::string& path) const {
  if (PixelFormat() != TPixelFormat::pf24bit && PixelFormat() != TPixelFormat::pf32bit)
    throw EPictureError("Invalid pixel format!");
  std::vector<uint8_t> file =
      TgaHeaderBytes({.ImageType = TgaRunLength ? TgaTrueColorRle : TgaTrueColor,
                      .Width = Width(),
                      .Height = Height(),
                      .BitsPerPixel = static_cast<uint8_t>(BytesPerPixel() * 8),
                      .Descriptor = TgaTopFirst});
  for (int row = 0; row < Height(); ++row) {
    const uint8_t* line = ScanLine(row);
    if (TgaRunLength)
      PackRunLengthRow(line, Width(), BytesPerPixel(), file);
    else
      file.insert(file.end(), line, line + RowBytes());
  }
  WriteWholeFile(path, file);
}

void TBitmapEx::MakePlaceholder() {
  TBitmap picture;
  picture.SetPixelFormat(TPixelFormat::pf32bit);
  picture.SetSize(64, 64);
  constexpr uint32_t Orange = 0xFFFFAE00u;
  constexpr uint32_t Dark = 0xFF000000u;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      picture.SetPixel(x, y, ((x + y) % 8 == 0 || (x - y + 64) % 8 == 0) ? Orange : Dark);
  DrawPlaceholderText(picture, 5, 25, "NO IMAGE");
  std::vector<uint8_t> pixels(static_cast<size_t>(picture.RowBytes()) * 64);
  for (int y = 0; y < 64; ++y)
    std::memcpy(pixels.data() + static_cast<ptrdiff_t>(picture.RowBytes()) * y, picture.ScanLine(y),
                picture.RowBytes());
  Assign(64, 64, TPixelFormat::pf32bit, std::move(pixels));
}

}  // namespace marblix
