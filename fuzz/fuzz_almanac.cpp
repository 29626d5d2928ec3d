// Almanac files (.dat): the celestial objects.
#include <memory>

#include "astro/almanac.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzHeapBudget budget(size, kFuzzFileHeapFactor);
    // The file's leading copy of the first object is read and then overwritten,
    // and a file of no objects reads as one: an accepted almanac need not store
    // back byte for byte, only canonically.
    FuzzRecordReader(
        data, size, "almanac", [] { return std::make_unique<CAlmanac>(); }, false);
    return 0;
}
