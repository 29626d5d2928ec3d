// Port files (.k7p): destination, restrictions and three addresses.
#include <memory>

#include "fuzz/fuzz_support.h"
#include "particulars/port.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzHeapBudget budget(size, kFuzzFileHeapFactor);
    FuzzRecordReader(data, size, "port", [] { return std::make_unique<CPort>(); });
    return 0;
}
