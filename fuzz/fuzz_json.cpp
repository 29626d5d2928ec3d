// The JSON that `keelmark load` reads, for every record type it takes. An
// accepted document stores a file that reads back to the same bytes, and whose
// `keelmark dump` loads again to the same file.
#include "cli/json_archive.h"
#include "fuzz/fuzz_support.h"

namespace {

bool ReadJson(const std::string& text, IRecord& fresh) {
    try {
        CJsonInArchive json(text);
        fresh.Serialize(json);
    } catch (const CArchiveException&) {
        return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzHeapBudget budget(size, kFuzzJsonHeapFactor);
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        CJsonInArchive parsedOnce(text); // not JSON at all: no record type needs a look
    } catch (const CArchiveException&) {
        return 0;
    }
    for (const RecordType& type : RecordTypes()) {
        auto record = type.makeFresh();
        if (!ReadJson(text, *record)) continue;
        g_fuzzInputAccepted = true;
        const std::string file = StoreCanonically(*record, type);
        auto reread = type.makeFresh(), again = type.makeFresh();
        if (!ReadRecordBytes(file, *reread) || !ReadJson(DumpJson(*reread), *again) || StoreToBytes(*again) != file)
            FuzzFail(std::string(type.name) + ": dump then load does not give the same file");
    }
    return 0;
}
