// The processor's vendor identification and brand strings, for the start-up log.
#pragma once

#include <string>

namespace marblix {

// The vendor string (12 characters on x86, e.g. "GenuineIntel"); "Unknown" where none is known.
std::string ProcessorVendor();
// The brand string, at most 48 characters, ending at the first NUL; may be empty.
std::string ProcessorBrand();

}  // namespace marblix
