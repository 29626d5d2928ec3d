#include "astro/almanac.h"

#include <utility>

#include "core/archive.h"
#include "core/file_io.h"
#include "core/record_file.h"
#include "platform/services.h"

CAlmanac::CAlmanac() { m_objects.push_back(std::make_unique<CAstroObject>()); }

CAlmanac::CAlmanac(const CAlmanac& other) : m_observations(other.m_observations) {
    m_objects.reserve(other.m_objects.size());
    for (const auto& o : other.m_objects)
        m_objects.push_back(std::make_unique<CAstroObject>(*o));
}

CAlmanac& CAlmanac::operator=(const CAlmanac& other) {
    if (this != &other) {
        CAlmanac copy(other);
        m_objects.swap(copy.m_objects);
        m_observations.swap(copy.m_observations);
    }
    return *this;
}

CAlmanac::CAlmanac(CAlmanac&& other) : CAlmanac() {
    m_objects.swap(other.m_objects);
    m_observations.swap(other.m_observations);
}

CAlmanac& CAlmanac::operator=(CAlmanac&& other) noexcept {
    m_objects.swap(other.m_objects);
    m_observations.swap(other.m_observations);
    return *this;
}

CAlmanac::~CAlmanac() = default;

// ---- objects ---------------------------------------------------------------

CAstroObject* CAlmanac::AddObject() {
    m_objects.push_back(std::make_unique<CAstroObject>());
    return m_objects.back().get();
}

CAstroObject* CAlmanac::GetObject(int index) {
    if (index < 0 || index >= GetObjectCount()) return nullptr;
    return m_objects[static_cast<std::size_t>(index)].get();
}

const CAstroObject* CAlmanac::GetObject(int index) const {
    if (index < 0 || index >= GetObjectCount()) return nullptr;
    return m_objects[static_cast<std::size_t>(index)].get();
}

int CAlmanac::FindObject(const std::string& name) const {
    for (std::size_t i = 0; i < m_objects.size(); ++i)
        if (m_objects[i]->GetName() == name) return static_cast<int>(i);
    return -1;
}

bool CAlmanac::RemoveObject(int index) {
    if (index < 0 || index >= GetObjectCount() || m_objects.size() == 1) return false;
    m_objects.erase(m_objects.begin() + index);
    return true;
}

// ---- observations ----------------------------------------------------------

void CAlmanac::AddObservation(CTime time, const std::string& name, double intercept, double azimuth) {
    m_observations.push_back({name, time, intercept, azimuth});
}

std::string CAlmanac::GetObservation(int index, CTime& time, double& intercept, double& azimuth) const {
    if (index < 0 || index >= GetObservationCount()) return "Invalid";
    const PendingObservation& o = m_observations[static_cast<std::size_t>(index)];
    time = o.time;
    intercept = o.intercept;
    azimuth = o.azimuth;
    return o.name;
}

void CAlmanac::RemoveObservation(int index) {
    if (index < 0 || index >= GetObservationCount()) return;
    m_observations.erase(m_observations.begin() + index);
}

// ---- file ------------------------------------------------------------------

void CAlmanac::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.BeginList("objects", m_objects.size(), CountType::Long, CAstroObject::kStoredSizeWithoutTexts);
        if (ar.IsBinary()) {
            // Every almanac file carries the first object once more ahead of the list.
            ar.BeginObject("leadingCopy");
            m_objects.front()->Serialize(ar);
            ar.EndObject();
        }
        for (auto& o : m_objects) {
            ar.BeginItem();
            o->Serialize(ar);
            ar.EndItem();
        }
        ar.EndList();
        return;
    }
    Merge(ReadRecords(ar));
}

std::vector<CAstroObject> CAlmanac::ReadRecords(CArchive& ar) const {
    const std::size_t n = ar.BeginList("objects", 0, CountType::Long, CAstroObject::kStoredSizeWithoutTexts);
    std::vector<CAstroObject> records;
    // Each record is read over a copy of the object it will replace, so what
    // is not stored (the last computed values) carries over as it always has.
    if (ar.IsBinary()) {
        // The leading copy goes into the first object and the list's first
        // record then overwrites it; it is read all the same, so that a damaged
        // one is caught. A file announcing no objects holds only this record.
        CAstroObject lead = *m_objects.front();
        ar.BeginObject("leadingCopy");
        lead.Serialize(ar);
        ar.EndObject();
        if (n == 0) records.push_back(std::move(lead));
    } else if (n == 0) {
        throw CArchiveException("The almanac lists no objects; it needs at least one");
    }
    // The binary reader has checked the count against the bytes left; a JSON
    // list of empty items would reserve some 80 times its own size.
    if (ar.IsBinary()) records.reserve(records.size() + n);
    for (std::size_t i = 0; i < n; ++i) {
        CAstroObject record = i < m_objects.size() ? *m_objects[i] : CAstroObject();
        ar.BeginItem();
        record.Serialize(ar);
        ar.EndItem();
        records.push_back(std::move(record));
    }
    ar.EndList();
    return records;
}

void CAlmanac::Merge(std::vector<CAstroObject>&& records) {
    // Overwritten in place: whoever holds an object keeps a valid one.
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (i < m_objects.size())
            *m_objects[i] = std::move(records[i]);
        else
            m_objects.push_back(std::make_unique<CAstroObject>(std::move(records[i])));
    }
}

LoadResult CAlmanac::ReadFile(const std::string& path, std::string& error) {
    // The records are read aside and merged only when the whole file is good.
    struct Records {
        const CAlmanac& almanac;
        std::vector<CAstroObject> read;
        void Serialize(CArchive& ar) { read = almanac.ReadRecords(ar); }
    } records{*this, {}};
    const LoadResult result = LoadRecordFile(path, records, error);
    if (result == LoadResult::Loaded) Merge(std::move(records.read));
    return result;
}

bool CAlmanac::LoadDefault() {
    const std::string path = services::GetString("almanac", ".\\almanac.dat");
    std::string error;
    switch (ReadFile(path, error)) {
    case LoadResult::Loaded:
        return true;
    case LoadResult::Unreadable:
        services::Prompts().Show(kCannotOpenMessage, PromptIcon::None, PromptButtons::Ok);
        break;
    case LoadResult::Damaged:
        services::Prompts().Show("Oops, the almanac is damaged\n" + error + "\nWe have to do without it..",
                                 PromptIcon::None, PromptButtons::Ok);
        break;
    }
    return false;
}

bool CAlmanac::LoadFile(const std::string& path) {
    std::string error;
    if (ReadFile(path, error) == LoadResult::Loaded) return true;
    services::Prompts().Show(error, PromptIcon::Warning, PromptButtons::Ok);
    return false;
}

bool CAlmanac::SaveFile(const std::string& path) {
    std::string error;
    if (SaveRecordFile(path, *this, error)) return true;
    services::Prompts().Show(error, PromptIcon::Warning, PromptButtons::Ok);
    return false;
}
