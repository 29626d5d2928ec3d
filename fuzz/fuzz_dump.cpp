// `keelmark dump` then `keelmark load`: a file of any record type that reads,
// written as JSON and read back from it, stores to the same bytes as the file
// read (every NaN with its own bits, every text, every extreme value).
#include "cli/json_archive.h"
#include "fuzz/fuzz_support.h"

namespace {

// The JSON of a file takes far more room than its bytes: a 5-byte report line
// is about 50 bytes of text and 170 of parse tree, beside the two records.
constexpr std::size_t kFuzzDumpHeapFactor = 4 * kFuzzJsonHeapFactor;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzHeapBudget budget(size, kFuzzDumpHeapFactor);
    const std::string input(reinterpret_cast<const char*>(data), size);
    for (const RecordType& type : RecordTypes()) {
        auto record = type.makeFresh();
        if (!ReadRecordBytes(input, *record)) continue;
        g_fuzzInputAccepted = true;
        const std::string file = StoreCanonically(*record, type);
        auto loaded = type.makeFresh();
        try {
            CJsonInArchive json(DumpJson(*record));
            loaded->Serialize(json);
            json.Finish();
        } catch (const CArchiveException& e) {
            FuzzFail(std::string(type.name) + ": load refuses what dump wrote: " + e.what());
        }
        if (StoreToBytes(*loaded) != file)
            FuzzFail(std::string(type.name) + ": file -> JSON -> file changes the bytes");
    }
    return 0;
}
