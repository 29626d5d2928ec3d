// The reader of one record type, named by KEELMARK_FUZZ_RECORD_TYPE: every
// file type of the record-type table is fuzzed by this one body.
#include <cstdlib>

#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const RecordType* const type = FindRecordType(KEELMARK_FUZZ_RECORD_TYPE);
    if (!type) FuzzFail("no record type \"" KEELMARK_FUZZ_RECORD_TYPE "\"");
    CFuzzHeapBudget budget(size, kFuzzFileHeapFactor);
    FuzzRecordReader(data, size, *type);
    return 0;
}
