// The runtime's random generator over the shell values' seed.
#include "shell/defs.h"

namespace marblix {

uint32_t TShellValues::Random(uint32_t n) {
  StepSeed();
  return static_cast<uint32_t>((static_cast<uint64_t>(RandSeed) * n) >> 32);
}

double TShellValues::RandomFloat() {
  StepSeed();
  return static_cast<double>(RandSeed) / 4294967296.0;
}

}  // namespace marblix
