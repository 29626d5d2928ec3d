// The JSON that `keelmark load` reads, for every record type it takes. An
// accepted document stores a file that reads back to the same bytes, and whose
// `keelmark dump` loads again to the same file.
#include <memory>
#include <string>

#include "astro/almanac.h"
#include "cli/json_archive.h"
#include "document/keelmark_lite_doc.h"
#include "fuzz/fuzz_support.h"
#include "particulars/port.h"
#include "particulars/vessel.h"
#include "reports/report.h"
#include "weather/hurricane_list.h"

namespace {

template <typename T> bool ReadJson(const std::string& text, T& fresh) {
    try {
        CJsonInArchive json(text);
        fresh.Serialize(json);
    } catch (const CArchiveException&) {
        return false;
    }
    return true;
}

template <typename T> std::string DumpJson(T& record) {
    CJsonOutArchive json;
    json.BeginObject(nullptr);
    record.Serialize(json);
    json.EndObject();
    return json.Text();
}

template <typename T> void FuzzType(const std::string& text, const char* what) {
    auto record = std::make_unique<T>();
    if (!ReadJson(text, *record)) return;
    g_fuzzInputAccepted = true;
    const std::string file = StoreRecordBytes(*record, what);

    auto reread = std::make_unique<T>();
    if (!ReadRecordBytes(file, *reread)) FuzzFail(std::string(what) + ": the file stored from JSON is refused");
    if (StoreRecordBytes(*reread, what) != file)
        FuzzFail(std::string(what) + ": the file stored from JSON stores differently when read back");

    const std::string dumped = DumpJson(*reread);
    auto again = std::make_unique<T>();
    if (!ReadJson(dumped, *again)) FuzzFail(std::string(what) + ": the dump of a loaded file is refused by load");
    if (StoreRecordBytes(*again, what) != file)
        FuzzFail(std::string(what) + ": dump then load does not give the same file");
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
    FuzzType<CVoyageFile>(text, "voyage");
    FuzzType<CVessel>(text, "vessel");
    FuzzType<CPort>(text, "port");
    FuzzType<CAlmanac>(text, "almanac");
    FuzzType<CHurricaneList>(text, "cyclones");
    FuzzType<CReport>(text, "report");
    return 0;
}
