// The processor's identification: CPUID on x86, /proc/cpuinfo elsewhere.
#include "platform/system/processor_name.h"

#include <cstring>
#include <fstream>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#define MARBLIX_HAS_CPUID 1
#endif

namespace marblix {
namespace {

// The value of the first "key : value" line of /proc/cpuinfo whose key is one of the two names.
std::string CpuInfoField(const char* name, const char* otherName) {
  std::ifstream in("/proc/cpuinfo");
  std::string line;
  while (std::getline(in, line)) {
    const auto colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::string key = line.substr(0, colon);
    while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.pop_back();
    if (key != name && key != otherName) continue;
    std::string value = line.substr(colon + 1);
    if (!value.empty() && value.front() == ' ') value.erase(0, 1);
    return value;
  }
  return {};
}

}  // namespace

std::string ProcessorVendor() {
#ifdef MARBLIX_HAS_CPUID
  unsigned a = 0, b = 0, c = 0, d = 0;
  if (__get_cpuid(0, &a, &b, &c, &d)) {
    char vendor[13] = {};
    std::memcpy(vendor, &b, 4);
    std::memcpy(vendor + 4, &d, 4);
    std::memcpy(vendor + 8, &c, 4);
    return vendor;
  }
#endif
  std::string vendor = CpuInfoField("vendor_id", "CPU implementer");
  return vendor.empty() ? "Unknown" : vendor;
}

std::string ProcessorBrand() {
#ifdef MARBLIX_HAS_CPUID
  unsigned top = __get_cpuid_max(0x80000000u, nullptr);
  if (top >= 0x80000004u) {
    char brand[49] = {};
    for (size_t leaf = 0; leaf < 3; ++leaf) {
      unsigned regs[4] = {};
      __get_cpuid(0x80000002u + static_cast<unsigned>(leaf), &regs[0], &regs[1], &regs[2],
                  &regs[3]);
      std::memcpy(brand + 16 * leaf, regs, 16);
    }
    return std::string(brand, strnlen(brand, 48));
  }
#endif
  return CpuInfoField("model name", "Model");
}

}  // namespace marblix
