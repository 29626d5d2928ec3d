#pragma once

// The almanac: the catalogue of celestial objects (never empty), its file, and
// the pending observations with the astro fix made from them (CalculateFix,
// CalculateFixSpread; the solution itself is in astro_fix.h).

#include <memory>
#include <string>
#include <vector>

#include "astro/astro_object.h"
#include "core/time.h"

enum class LoadResult;

class CArchive;

// A reduced sight waiting to be combined into an astro fix. In memory only.
struct PendingObservation {
    std::string name;
    CTime time;
    double intercept = 0.0; // nM, positive towards the body
    double azimuth = 0.0;   // degrees true
};

// The catalogue of celestial objects, never empty, with the pending sights.
// Objects are owned and keep their address for the life of the almanac, so a
// dialog may hold on to one while the file is read again.
class CAlmanac {
public:
    // One default object: the Sun.
    CAlmanac();
    CAlmanac(const CAlmanac& other);
    CAlmanac& operator=(const CAlmanac& other);
    // A moved-from almanac still holds an object (a default Sun or the target's old ones).
    CAlmanac(CAlmanac&& other);
    CAlmanac& operator=(CAlmanac&& other) noexcept;
    ~CAlmanac();

    // Whether objects were changed since the almanac was last loaded or saved.
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified = true) { m_modified = modified; }

    // Reads the file named by the setting "almanac" into this almanac (merging,
    // as Serialize does). A file that cannot be opened, or is damaged, is
    // reported and the almanac kept as it was.
    bool LoadDefault();
    // Reads a chosen file the same way; a fault is reported, nothing changes.
    bool LoadFile(const std::string& path);
    // Writes the whole almanac atomically; a fault is reported and the old file kept.
    bool SaveFile(const std::string& path);

    // The file holds N, then N + 1 records: the first object twice. Reading
    // overwrites the first N objects and appends what the almanac lacks; any
    // further objects stay. A load that fails changes nothing.
    void Serialize(CArchive& ar);

    CAstroObject* AddObject();
    int GetObjectCount() const { return static_cast<int>(m_objects.size()); }
    int GetCount() const { return GetObjectCount(); }
    // nullptr for an index outside the list.
    CAstroObject* GetObject(int index);
    const CAstroObject* GetObject(int index) const;
    // Index of the first object of that name, or -1.
    int FindObject(const std::string& name) const;
    // Removes the object; false when there is none at the index or it is the
    // last one, since the almanac always keeps one.
    bool RemoveObject(int index);

    void AddObservation(CTime time, const std::string& name, double intercept, double azimuth);
    // The name of the observation, its values in the outputs; "Invalid", and
    // the outputs untouched, for an index outside the list.
    std::string GetObservation(int index, CTime& time, double& intercept, double& azimuth) const;
    void RemoveObservation(int index);
    int GetObservationCount() const { return static_cast<int>(m_observations.size()); }
    void ClearObservations() { m_observations.clear(); }
    const std::vector<PendingObservation>& GetObservations() const { return m_observations; }

    // Moves the position to the least-squares crossing of the pending lines of
    // position (latitude + northing / 60, longitude + easting / 60 / cos
    // latitude). False, and the position untouched, below 3 observations.
    bool CalculateFix(double& latitude, double& longitude) const;
    // Twice the standard error of the fix in latitude and longitude, minutes of
    // arc; both 0 when it cannot be had (below 3 observations, or all on one line).
    void CalculateFixSpread(double& latitudeSpread, double& longitudeSpread) const;

    static constexpr const char* kCannotOpenMessage = "Oops, can't open the almanac\nWe have to do without it..";

private:
    LoadResult ReadFile(const std::string& path, std::string& error);
    std::vector<CAstroObject> ReadRecords(CArchive& ar) const;
    void Merge(std::vector<CAstroObject>&& records);

    std::vector<std::unique_ptr<CAstroObject>> m_objects;
    std::vector<PendingObservation> m_observations;
    bool m_modified = false;
};
