// The reader of one record type, named by KEELMARK_FUZZ_RECORD_TYPE: every file
// type of the record-type table is fuzzed by this one body. Whatever the bytes,
// reading never crashes and bytes that read store back canonically. For a type
// that stores back exactly, a canonical file stores back byte for byte and any
// other accepted file is longer (a text length written wider than needed).
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const RecordType* const type = FindRecordType(KEELMARK_FUZZ_RECORD_TYPE);
    if (!type) FuzzFail("no record type \"" KEELMARK_FUZZ_RECORD_TYPE "\"");
    CFuzzHeapBudget budget(size, kFuzzFileHeapFactor);
    const std::string input(reinterpret_cast<const char*>(data), size);
    auto record = type->makeFresh();
    if (!ReadRecordBytes(input, *record)) return 0;
    g_fuzzInputAccepted = true;
    const std::string stored = StoreCanonically(*record, *type);
    if (type->storesBackExactly && (stored.size() > input.size() || (stored.size() == input.size() && stored != input)))
        FuzzFail(std::string(type->name) + ": an accepted file stores back neither byte for byte nor shorter");
    return 0;
}
