// The reader of one record type, named by KEELMARK_FUZZ_RECORD_TYPE: every file
// type of the record-type table is fuzzed by this one body. Whatever the bytes,
// reading never crashes and bytes that read store back canonically. For a type
// that stores back exactly, a canonical file stores back byte for byte and any
// other accepted file is longer (a text length written wider than needed) or
// has a list count below 1, stored back as 0.
#include "fuzz/fuzz_support.h"

namespace {

// A list count below 1 reads as no items and is stored as 0: the one change a
// file of the same length may see. True when every byte that differs lies in
// such a count.
bool OnlyCountsBelowOneDiffer(const std::string& input, const std::string& stored) {
    for (std::size_t i = 0; i < input.size();) {
        if (input[i] == stored[i]) {
            ++i;
            continue;
        }
        std::size_t at = i > 3 ? i - 3 : 0;
        while (at <= i && !(at + 4 <= input.size() && stored.compare(at, 4, std::string(4, '\0')) == 0 &&
                            (static_cast<unsigned char>(input[at + 3]) & 0x80)))
            ++at;
        if (at > i) return false;
        i = at + 4;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const RecordType* const type = FindRecordType(KEELMARK_FUZZ_RECORD_TYPE);
    if (!type) FuzzFail("no record type \"" KEELMARK_FUZZ_RECORD_TYPE "\"");
    CFuzzHeapBudget budget(size, kFuzzFileHeapFactor);
    const std::string input(reinterpret_cast<const char*>(data), size);
    auto record = type->makeFresh();
    if (!ReadRecordBytes(input, *record)) return 0;
    g_fuzzInputAccepted = true;
    const std::string stored = StoreCanonically(*record, *type);
    if (type->storesBackExactly &&
        (stored.size() > input.size() || (stored.size() == input.size() && !OnlyCountsBelowOneDiffer(input, stored))))
        FuzzFail(std::string(type->name) + ": an accepted file stores back neither byte for byte nor shorter");
    return 0;
}
