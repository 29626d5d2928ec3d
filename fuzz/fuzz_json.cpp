// The JSON that `keelmark load` reads, for every record type it takes. An
// accepted document stores a file that reads back to the same bytes, and whose
// `keelmark dump` loads again to the same file.
#include <memory>
#include <string>

#include "cli/json_archive.h"
#include "document/record_types.h"
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

std::string DumpJson(IRecord& record) {
    CJsonOutArchive json;
    json.BeginObject(nullptr);
    record.Serialize(json);
    json.EndObject();
    return json.Text();
}

void FuzzType(const std::string& text, const RecordType& type) {
    const std::string what = type.name;
    auto record = type.makeFresh();
    if (!ReadJson(text, *record)) return;
    g_fuzzInputAccepted = true;
    const std::string file = StoreRecordBytes(*record, what.c_str());

    auto reread = type.makeFresh();
    if (!ReadRecordBytes(file, *reread)) FuzzFail(what + ": the file stored from JSON is refused");
    if (StoreRecordBytes(*reread, what.c_str()) != file)
        FuzzFail(what + ": the file stored from JSON stores differently when read back");

    const std::string dumped = DumpJson(*reread);
    auto again = type.makeFresh();
    if (!ReadJson(dumped, *again)) FuzzFail(what + ": the dump of a loaded file is refused by load");
    if (StoreRecordBytes(*again, what.c_str()) != file) FuzzFail(what + ": dump then load does not give the same file");
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
    for (const RecordType& type : RecordTypes())
        FuzzType(text, type);
    return 0;
}
