// Report files (.k7r): header, footer, last report and the lines.
#include <memory>

#include "fuzz/fuzz_support.h"
#include "reports/report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzHeapBudget budget(size, kFuzzFileHeapFactor);
    FuzzRecordReader(data, size, "report", [] { return std::make_unique<CReport>(); });
    return 0;
}
