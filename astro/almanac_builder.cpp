#include "astro/almanac_builder.h"

#include <charconv>
#include <cmath>
#include <numbers>
#include <sstream>

#include "astro/almanac.h"
#include "astro/astro_object.h"
#include "core/conversion.h"

#include "astro/reference_tables.inc"

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr double kMasToRad = kDeg / 3.6e6;
// Stored proper motions are degrees per hour.
constexpr double kMasPerYearToDegPerHour = 1.0 / 3.6e6 / 8766.0;
constexpr double kJ2000 = 2451545.0;
constexpr double kUnixEpochJd = 2440587.5;
// The moving objects the ship's almanac carries, in its order.
constexpr const char* kShippedBodies[] = {"Sun", "Moon", "Venus", "Mars", "Jupiter", "Saturn"};

// The almanac's sidereal angle (the Sun's mean longitude + 180 degrees) runs
// ahead of Greenwich mean sidereal time by this many degrees (less 1.43e-8 a
// day). Star places are written in that same frame, so that their GHA, which is
// what the navigator uses, comes out right (0.31' better).
constexpr double kSiderealAngleLead = 0.00525268;
constexpr double kSiderealAngleLeadRate = -1.429e-8;

void AlmanacStarPlace(const CatalogueStar& star, double epoch, double& ra, double& dec) {
    StarPlaceAt(star, epoch, ra, dec);
    const double d = (epoch - 2000.0) * 365.25 + 1.5;
    ra += kSiderealAngleLead + kSiderealAngleLeadRate * d;
    if (ra >= 360.0) ra -= 360.0;
}

std::vector<std::string> SplitCsvLine(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, ','))
        fields.push_back(field);
    if (!line.empty() && line.back() == ',') fields.emplace_back();
    return fields;
}

bool Number(const std::string& text, double& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    const auto r = std::from_chars(first, last, value);
    return !text.empty() && r.ec == std::errc() && r.ptr == last && std::isfinite(value);
}

// The data rows of a table, with their line numbers; the header is checked.
bool DataRows(const std::string& csv, const std::string& header, std::vector<std::pair<int, std::string>>& rows,
              std::string& error) {
    std::istringstream in(csv);
    std::string line;
    bool headerSeen = false;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (!headerSeen) {
            if (line != header) {
                error = "line " + std::to_string(number) + ": the header is not \"" + header + "\"";
                return false;
            }
            headerSeen = true;
            continue;
        }
        rows.emplace_back(number, line);
    }
    if (!headerSeen) error = "the table has no header line";
    return headerSeen;
}

template <class Row, class Fill>
bool ParseTable(const std::string& csv, const std::string& header, std::size_t columns, std::vector<Row>& out,
                std::string& error, Fill fill) {
    std::vector<std::pair<int, std::string>> rows;
    if (!DataRows(csv, header, rows, error)) return false;
    std::vector<Row> parsed;
    for (const auto& [number, line] : rows) {
        const std::vector<std::string> f = SplitCsvLine(line);
        Row row;
        if (f.size() != columns || f[0].empty() || !fill(f, row)) {
            error = "line " + std::to_string(number) + ": \"" + line + "\" is not a row of " + std::to_string(columns) +
                    " values";
            return false;
        }
        parsed.push_back(std::move(row));
    }
    out = std::move(parsed);
    return true;
}

template <class Row>
const std::vector<Row>& Compiled(bool (*parse)(const std::string&, std::vector<Row>&, std::string&), const char* csv) {
    static const std::vector<Row> table = [&] {
        std::vector<Row> rows;
        std::string error;
        parse(csv, rows, error); // the compiled-in tables are checked by the tests
        return rows;
    }();
    return table;
}

} // namespace

bool ParseStarTable(const std::string& csv, std::vector<CatalogueStar>& stars, std::string& error) {
    return ParseTable(csv, "name,nav_number,fk5,hip,ra_j2000_deg,dec_j2000_deg,pm_ra_mas_yr,pm_dec_mas_yr,vmag", 9,
                      stars, error, [](const std::vector<std::string>& f, CatalogueStar& s) {
                          s.name = f[0];
                          double nav = 0.0;
                          if (!f[1].empty() && (!Number(f[1], nav) || nav < 1 || nav != std::trunc(nav))) return false;
                          s.navNumber = static_cast<int>(nav);
                          s.fk5 = f[2];
                          return Number(f[4], s.ra) && Number(f[5], s.dec) && Number(f[6], s.pmRa) &&
                                 Number(f[7], s.pmDec) && Number(f[8], s.magnitude) && s.dec >= -90 && s.dec <= 90;
                      });
}

bool ParseOrbitTable(const std::string& csv, std::vector<CatalogueOrbit>& orbits, std::string& error) {
    return ParseTable(csv, "name,kind,N0,N_rate,i0,i_rate,w0,w_rate,a0,a_rate,e0,e_rate,M0,M_rate", 14, orbits, error,
                      [](const std::vector<std::string>& f, CatalogueOrbit& o) {
                          o.name = f[0];
                          double kind = -1;
                          if (!Number(f[1], kind) || !CAstroObject::IsKind(static_cast<std::int32_t>(kind)))
                              return false;
                          o.kind = static_cast<int>(kind);
                          double* values[] = {&o.n0, &o.nRate, &o.i0, &o.iRate, &o.w0, &o.wRate,
                                              &o.a0, &o.aRate, &o.e0, &o.eRate, &o.m0, &o.mRate};
                          for (std::size_t k = 0; k < 12; ++k)
                              if (!Number(f[k + 2], *values[k])) return false;
                          return true;
                      });
}

const std::vector<CatalogueStar>& NavigationalStars() {
    return Compiled<CatalogueStar>(ParseStarTable, kNavigationalStarsCsv);
}

const std::vector<CatalogueOrbit>& CatalogueOrbits() {
    return Compiled<CatalogueOrbit>(ParseOrbitTable, kOrbitalElementsCsv);
}

double JulianEpoch(CTime t) {
    const double jd = static_cast<double>(t.GetTime()) / 86400.0 + kUnixEpochJd;
    return 2000.0 + (jd - kJ2000) / 365.25;
}

void StarPlaceAt(const CatalogueStar& star, double epoch, double& ra, double& dec) {
    const double years = epoch - 2000.0;
    const double a0 = star.ra * kDeg, d0 = star.dec * kDeg;
    // Space motion along the sky (no radial velocity), as a vector so it holds near the poles.
    const double p[3] = {std::cos(d0) * std::cos(a0), std::cos(d0) * std::sin(a0), std::sin(d0)};
    const double east[3] = {-std::sin(a0), std::cos(a0), 0.0};
    const double north[3] = {-std::sin(d0) * std::cos(a0), -std::sin(d0) * std::sin(a0), std::cos(d0)};
    const double mua = star.pmRa * kMasToRad * years, mud = star.pmDec * kMasToRad * years;
    double q[3];
    for (int k = 0; k < 3; ++k)
        q[k] = p[k] + mua * east[k] + mud * north[k];
    const double a1 = std::atan2(q[1], q[0]);
    const double d1 = std::atan2(q[2], std::hypot(q[0], q[1]));

    // IAU 1976 precession angles, arcseconds, T in Julian centuries from J2000.0.
    const double T = years / 100.0;
    const double zeta = (2306.2181 * T + 0.30188 * T * T + 0.017998 * T * T * T) / 3600.0 * kDeg;
    const double z = (2306.2181 * T + 1.09468 * T * T + 0.018203 * T * T * T) / 3600.0 * kDeg;
    const double theta = (2004.3109 * T - 0.42665 * T * T - 0.041833 * T * T * T) / 3600.0 * kDeg;
    const double A = std::cos(d1) * std::sin(a1 + zeta);
    const double B = std::cos(theta) * std::cos(d1) * std::cos(a1 + zeta) - std::sin(theta) * std::sin(d1);
    const double C = std::sin(theta) * std::cos(d1) * std::cos(a1 + zeta) + std::cos(theta) * std::sin(d1);
    ra = (std::atan2(A, B) + z) / kDeg;
    dec = std::atan2(C, std::hypot(A, B)) / kDeg;
    ra = std::fmod(ra, 360.0);
    if (ra < 0) ra += 360.0;
}

void BuildShippedAlmanac(CAlmanac& almanac, double epoch) {
    CAlmanac built;
    // The day number of the epoch, for the moving objects' stored places.
    const double d = (epoch - 2000.0) * 365.25 + (kJ2000 - 2451543.5);
    bool first = true;
    for (const char* body : kShippedBodies) {
        for (const CatalogueOrbit& c : CatalogueOrbits()) {
            if (c.name != body) continue;
            CAstroObject* o = first ? built.GetObject(0) : built.AddObject();
            first = false;
            const AstroOrbit orbit{c.n0, c.nRate, c.i0, c.iRate, c.w0, c.wRate,
                                   c.a0, c.aRate, c.e0, c.eRate, c.m0, c.mRate};
            o->SetOrbit(c.name, c.kind, orbit);
            o->ComputePosition(d);
        }
    }
    for (const CatalogueStar& s : NavigationalStars()) {
        double ra = 0.0, dec = 0.0;
        AlmanacStarPlace(s, epoch, ra, dec);
        built.AddObject()->SetStar(s.name, s.fk5.empty() ? "Unknown" : s.fk5, kAstroStar, dec,
                                   s.pmDec * kMasPerYearToDegPerHour, ra, s.pmRa * kMasPerYearToDegPerHour,
                                   s.magnitude);
    }
    almanac = std::move(built);
}

int BringStarsToDate(CAlmanac& almanac, CTime now) {
    const double epoch = JulianEpoch(now);
    int moved = 0;
    for (int i = 0; i < almanac.GetObjectCount(); ++i) {
        CAstroObject& o = *almanac.GetObject(i);
        if (o.GetKind() != kAstroStar) continue;
        for (const CatalogueStar& s : NavigationalStars()) {
            if (s.name != o.GetName()) continue;
            double ra = 0.0, dec = 0.0;
            AlmanacStarPlace(s, epoch, ra, dec);
            if (ra != o.GetRightAscension() || dec != o.GetDeclination()) {
                o.SetRightAscension(ra);
                o.SetDeclination(dec);
                ++moved;
            }
            break;
        }
    }
    return moved;
}

std::string StarsMovedText(int moved) {
    if (moved == 0) return "The star positions are up to date: no object moved.";
    return "Star positions brought to date: " + std::to_string(moved) + (moved == 1 ? " star moved." : " stars moved.");
}
