// Cyclone files (hurricane.dat): the tracked tropical cyclones.
#include <memory>

#include "fuzz/fuzz_support.h"
#include "weather/hurricane_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzHeapBudget budget(size, kFuzzFileHeapFactor);
    FuzzRecordReader(data, size, "cyclones", [] { return std::make_unique<CHurricaneList>(); });
    return 0;
}
