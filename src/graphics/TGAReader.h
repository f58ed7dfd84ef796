// Pictures in memory (TBitmap) and the picture-file reader and writer TBitmapEx: TGA, BMP, JPEG.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace marblix {

// Raised for a malformed picture ("TGA graphics is not in True-Color", ...).
class EPictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Raised when a picture file cannot be opened, is cut short, or cannot be written.
class EInOutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class TPixelFormat { pf8bit = 8, pf24bit = 24, pf32bit = 32 };

// A device-independent picture: rows top first, pixels blue, green, red (and alpha at 32 bits).
class TBitmap {
 public:
  TBitmap() = default;
  virtual ~TBitmap() = default;
  TBitmap(const TBitmap&) = default;
  TBitmap& operator=(const TBitmap&) = default;
  TBitmap(TBitmap&&) = default;
  TBitmap& operator=(TBitmap&&) = default;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  TPixelFormat PixelFormat() const { return FFormat; }
  int BytesPerPixel() const { return static_cast<int>(FFormat) / 8; }
  int RowBytes() const { return FWidth * BytesPerPixel(); }

  // Resizes the picture; the contents become black (and opaque at 32 bits).
  void SetSize(int width, int height);
  // Changes the bytes per pixel, converting every pixel. Grey for 8 bits; 24 to 32 is opaque.
  void SetPixelFormat(TPixelFormat format);

  uint8_t* ScanLine(int row) { return FPixels.data() + static_cast<size_t>(row) * RowBytes(); }
  const uint8_t* ScanLine(int row) const {
    return FPixels.data() + static_cast<size_t>(row) * RowBytes();
  }
  // Pixel as 0xAARRGGBB (alpha 0xFF below 32 bits).
  uint32_t Pixel(int x, int y) const;
  void SetPixel(int x, int y, uint32_t argb);

  // The bitmap's own file format: Windows BMP, 24 or 32 bits per pixel.
  virtual void LoadFromFile(const std::string& fileName);
  virtual void SaveToFile(const std::string& fileName) const;

 protected:
  // Takes over prepared pixel rows (top first) in one step, so a failed load changes nothing.
  void Assign(int width, int height, TPixelFormat format, std::vector<uint8_t> pixels);

 private:
  int FWidth = 0;
  int FHeight = 0;
  TPixelFormat FFormat = TPixelFormat::pf24bit;
  std::vector<uint8_t> FPixels;
};

// The picture reader of every image: TGA by its own code, ".jpg" through libjpeg, others as BMP.
// A file that does not exist gives the 64 x 64 "NO IMAGE" placeholder.
class TBitmapEx : public TBitmap {
 public:
  void LoadFromFile(const std::string& fileName) override;
  // ".tga": a top-first true-colour TGA (run-length encoded when TgaRunLength); else BMP.
  void SaveToFile(const std::string& fileName) const override;

  bool TgaRunLength = false;

  void MakePlaceholder();

 private:
  void LoadTGA(const std::string& path);
  void LoadJPEG(const std::string& path);
  void SaveTGA(const std::string& path) const;
};

// The 18-byte header of a TGA file, as the writer writes it and as tests shape damaged ones.
struct TTgaHeader {
  uint8_t IdLength = 0;
  uint8_t ColorMapType = 0;
  uint8_t ImageType = 2;  // 2 true colour, 10 true colour run-length encoded
  int Width = 0;
  int Height = 0;
  uint8_t BitsPerPixel = 32;
  uint8_t Descriptor = 0x20;  // 0x20: rows top first
};
std::vector<uint8_t> TgaHeaderBytes(const TTgaHeader& header);

// A 24-bit (colour) or 8-bit (grey) picture encoded as a baseline or progressive JPEG file, for
// the asset generator and the test pictures; the game itself only reads JPEG.
std::vector<uint8_t> EncodeJpeg(const TBitmap& picture, int quality, bool progressive = false);

// The file name as this system spells it: on Linux ".\graphics\x.tga" becomes "./graphics/x.tga".
std::string NativePath(const std::string& fileName);
// Whole file contents; EInOutError naming the file when it cannot be read.
std::vector<uint8_t> ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace marblix
