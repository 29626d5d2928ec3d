// Voyage files (.k7v): present position, port, route, popular position, meteo.
#include <memory>

#include "document/keelmark_lite_doc.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzHeapBudget budget(size, kFuzzFileHeapFactor);
    FuzzRecordReader(data, size, "voyage", [] { return std::make_unique<CVoyageFile>(); });
    return 0;
}
