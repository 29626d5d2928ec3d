// Vessel files (.k7s): particulars and the checklist.
#include <memory>

#include "fuzz/fuzz_support.h"
#include "particulars/vessel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzHeapBudget budget(size, kFuzzFileHeapFactor);
    FuzzRecordReader(data, size, "vessel", [] { return std::make_unique<CVessel>(); });
    return 0;
}
