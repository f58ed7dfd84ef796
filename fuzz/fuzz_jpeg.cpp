// Fuzz target: the picture reader's JPEG path.
#include "fuzz_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  marblix::fuzz::CheckPicture(".jpg", data, size);
  return 0;
}
