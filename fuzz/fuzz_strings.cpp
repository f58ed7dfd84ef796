// Fuzz target: the string table "strings.txt".
#include <cstdlib>

#include "FuzzScratch.h"
#include "text/qz_strings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = marblix::fuzz::WriteInput("strings.txt", data, size);
  marblix::TQzStrings strings;
  if (!strings.LoadStrings(path, [](const std::string&) {})) std::abort();
  // The caption never comes from the file, and nothing of the file is kept after loading.
  if (strings.MainCaption != "Marblix v1.00" || !strings.RawLines.empty()) std::abort();
  return 0;
}
