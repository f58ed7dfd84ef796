// The processor's name for the start-up log.
#include <gtest/gtest.h>

#include "platform/system/processor_name.h"

namespace marblix {
namespace {

TEST(ProcessorName, VendorIsNeverEmpty) {
  EXPECT_FALSE(ProcessorVendor().empty());
  EXPECT_LE(ProcessorBrand().size(), 48u);
}

}  // namespace
}  // namespace marblix
