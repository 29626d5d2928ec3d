#include "document/record_types.h"

#include <algorithm>
#include <cctype>

#include "astro/almanac.h"
#include "core/file_io.h"
#include "core/record_file.h"
#include "document/keelmark_lite_doc.h"
#include "particulars/port.h"
#include "particulars/vessel.h"
#include "reports/report.h"
#include "weather/hurricane_list.h"

namespace {

template <typename T> class CRecordOf : public IRecord {
public:
    void Serialize(CArchive& ar) override { m_record->Serialize(ar); }
    LoadResult Load(const std::string& path, std::string& error) override {
        auto fresh = std::make_unique<T>();
        const LoadResult result = LoadRecordFile(path, *fresh, error);
        if (result == LoadResult::Loaded) m_record.swap(fresh);
        return result;
    }
    bool Save(const std::string& path, std::string& error) override { return SaveRecordFile(path, *m_record, error); }

private:
    std::unique_ptr<T> m_record = std::make_unique<T>();
};

template <typename T> std::unique_ptr<IRecord> Make() { return std::make_unique<CRecordOf<T>>(); }

const RecordType kRecordTypes[] = {
    {"voyage", ".k7v", nullptr, Make<CVoyageFile>, true},
    {"vessel", ".k7s", nullptr, Make<CVessel>, true},
    {"port", ".k7p", nullptr, Make<CPort>, true},
    {"almanac", ".dat", nullptr, Make<CAlmanac>, false},
    {"hurricanes", ".dat", "hurricane", Make<CHurricaneList>, true},
    {"report", ".k7r", nullptr, Make<CReport>, true},
};

} // namespace

std::span<const RecordType> RecordTypes() { return kRecordTypes; }

const RecordType* FindRecordType(std::string_view name) {
    for (const RecordType& type : kRecordTypes)
        if (name == type.name) return &type;
    return nullptr;
}

const RecordType* RecordTypeOfPath(const std::string& path) {
    const std::string normal = NormalizePath(path);
    const std::size_t slash = normal.find_last_of('/');
    std::string name = normal.substr(slash == std::string::npos ? 0 : slash + 1);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const std::string_view view(name);
    const RecordType* byExtension = nullptr;
    for (const RecordType& type : kRecordTypes) {
        if (!view.ends_with(type.extension)) continue;
        if (!type.namePrefix)
            byExtension = &type;
        else if (view.starts_with(type.namePrefix))
            return &type;
    }
    return byExtension;
}

std::string RecordTypeNames() {
    std::string names;
    for (const RecordType& type : kRecordTypes)
        names += (names.empty() ? "" : "|") + std::string(type.name);
    return names;
}
