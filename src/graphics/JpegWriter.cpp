// Encoding a picture as a JPEG file through libjpeg: the asset generator's background and the
// test pictures.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "graphics/TGAReader.h"

namespace marblix {

namespace {

// libjpeg's default error handler ends the process; a writer given a valid picture never errs.
struct JpegCompressor {
  jpeg_compress_struct Info{};
  jpeg_error_mgr Errors{};
  unsigned char* Buffer = nullptr;
  unsigned long Size = 0;

  JpegCompressor() {
    Info.err = jpeg_std_error(&Errors);
    jpeg_create_compress(&Info);
    jpeg_mem_dest(&Info, &Buffer, &Size);
  }
  ~JpegCompressor() {
    jpeg_destroy_compress(&Info);
    std::free(Buffer);
  }
  JpegCompressor(const JpegCompressor&) = delete;
  JpegCompressor& operator=(const JpegCompressor&) = delete;
};

}  // namespace

std::vector<uint8_t> EncodeJpeg(const TBitmap& picture, int quality, bool progressive) {
  const bool grey = picture.PixelFormat() == TPixelFormat::pf8bit;
  if (!grey && picture.PixelFormat() != TPixelFormat::pf24bit)
    throw EPictureError("JPEG pictures are 24-bit colour or 8-bit grey");
  JpegCompressor jpeg;
  jpeg_compress_struct& info = jpeg.Info;
  info.image_width = static_cast<JDIMENSION>(picture.Width());
  info.image_height = static_cast<JDIMENSION>(picture.Height());
  info.input_components = grey ? 1 : 3;
  info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row(static_cast<size_t>(picture.RowBytes()));
  while (info.next_scanline < info.image_height) {
    const uint8_t* line = picture.ScanLine(static_cast<int>(info.next_scanline));
    if (grey) {
      std::copy_n(line, row.size(), row.begin());
    } else {
      for (size_t x = 0; x < row.size(); x += 3) {  // blue, green, red to red, green, blue
        row[x] = line[x + 2];
        row[x + 1] = line[x + 1];
        row[x + 2] = line[x];
      }
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  return std::vector<uint8_t>(jpeg.Buffer, jpeg.Buffer + jpeg.Size);
}

}  // namespace marblix
