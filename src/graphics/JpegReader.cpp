// TBitmapEx's JPEG path: whole-file decompression through libjpeg into 24-bit rows.
#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>

#include "graphics/TGAReader.h"

namespace marblix {

namespace {

// The largest picture side the reader accepts: the largest texture a device offers.
constexpr JDIMENSION MaxJpegSide = 4096;

// Everything the decoder touches after setjmp lives here, on the heap, so a longjmp out of
// libjpeg leaves it intact.
struct JpegJob {
  jpeg_decompress_struct Info{};
  jpeg_error_mgr Errors{};
  std::jmp_buf Escape{};
  char Message[JMSG_LENGTH_MAX] = {};
  std::vector<uint8_t> Pixels;
  int Width = 0;
  int Height = 0;
};

void OnJpegError(j_common_ptr info) {
  auto* job = static_cast<JpegJob*>(info->client_data);
  info->err->format_message(info, job->Message);
  std::longjmp(job->Escape, 1);
}

void OnJpegWarning(j_common_ptr, int) {}

// Returns false with job.Message filled when libjpeg gives up.
bool Decode(JpegJob& job, const std::vector<uint8_t>& file) {
  job.Info.err = jpeg_std_error(&job.Errors);
  job.Errors.error_exit = OnJpegError;
  job.Errors.emit_message = OnJpegWarning;
  job.Info.client_data = &job;
  if (setjmp(job.Escape)) {
    jpeg_destroy_decompress(&job.Info);
    return false;
  }
  jpeg_create_decompress(&job.Info);
  jpeg_mem_src(&job.Info, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&job.Info, TRUE);
  // A few hundred bytes can claim a picture of gigabytes; nothing the game shows is that large.
  if (job.Info.image_width > MaxJpegSide || job.Info.image_height > MaxJpegSide) {
    std::snprintf(job.Message, sizeof job.Message, "%u x %u pixels is larger than %u x %u",
                  job.Info.image_width, job.Info.image_height, MaxJpegSide, MaxJpegSide);
    jpeg_destroy_decompress(&job.Info);
    return false;
  }
  job.Info.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&job.Info);
  job.Width = static_cast<int>(job.Info.output_width);
  job.Height = static_cast<int>(job.Info.output_height);
  const size_t rowBytes = static_cast<size_t>(job.Width) * 3;
  job.Pixels.resize(rowBytes * job.Height);
  while (job.Info.output_scanline < job.Info.output_height) {
    JSAMPROW row = job.Pixels.data() + rowBytes * job.Info.output_scanline;
    jpeg_read_scanlines(&job.Info, &row, 1);
  }
  jpeg_finish_decompress(&job.Info);
  jpeg_destroy_decompress(&job.Info);
  return true;
}

}  // namespace

void TBitmapEx::LoadJPEG(const std::string& path) {
  const std::vector<uint8_t> file = ReadWholeFile(path);
  if (file.empty()) throw EPictureError("Cannot decode JPEG \"" + path + "\": empty file");
  auto job = std::make_unique<JpegJob>();
  if (!Decode(*job, file))
    throw EPictureError("Cannot decode JPEG \"" + path + "\": " + job->Message);
  Assign(job->Width, job->Height, TPixelFormat::pf24bit, std::move(job->Pixels));
}

}  // namespace marblix
