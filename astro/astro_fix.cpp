#include "astro/astro_fix.h"

#include <cmath>

#include "core/conversion.h"
#include "core/position.h"

namespace {
// Below this share of (A + C)^2 the normal matrix counts as singular: the
// azimuths lie on one line.
constexpr double kSingularShare = 1e-9;
} // namespace

AstroFixSolution SolveAstroFix(const std::vector<PendingObservation>& observations) {
    AstroFixSolution s;
    const std::size_t n = observations.size();
    if (n < 3) return s;
    double A = 0, B = 0, C = 0, D = 0, E = 0;
    for (const PendingObservation& o : observations) {
        const double z = CConversion::DegToRad(o.azimuth);
        const double c = std::cos(z), si = std::sin(z);
        A += c * c;
        B += si * c;
        C += si * si;
        D += o.intercept * c;
        E += o.intercept * si;
    }
    const double G = A * C - B * B;
    s.valid = true;
    const bool singular = !(G > kSingularShare * (A + C) * (A + C));
    if (singular) {
        // All lines of position parallel: move along their common normal only.
        double ux = A, uy = B;
        if (std::hypot(B, C) > std::hypot(A, B)) {
            ux = B;
            uy = C;
        }
        const double length = std::hypot(ux, uy);
        if (length > 0) {
            ux /= length;
            uy /= length;
            const double t = (ux * D + uy * E) / (A + C);
            s.northing = ux * t;
            s.easting = uy * t;
        }
        return s;
    }
    s.northing = (C * D - B * E) / G;
    s.easting = (A * E - B * D) / G;
    double squares = 0;
    for (const PendingObservation& o : observations) {
        const double z = CConversion::DegToRad(o.azimuth);
        const double residual = o.intercept - (s.northing * std::cos(z) + s.easting * std::sin(z));
        squares += residual * residual;
    }
    const double sigma = std::sqrt(squares / static_cast<double>(n - 2));
    s.latitudeSpread = 2.0 * sigma * std::sqrt(C / G);
    s.longitudeSpread = 2.0 * sigma * std::sqrt(A / G);
    return s;
}

bool CAlmanac::CalculateFix(double& latitude, double& longitude) const {
    const AstroFixSolution s = SolveAstroFix(m_observations);
    if (!s.valid || !std::isfinite(s.northing) || !std::isfinite(s.easting)) return false;
    double newLatitude = latitude + s.northing / 60.0;
    if (newLatitude > 90.0) newLatitude = 90.0;
    if (newLatitude < -90.0) newLatitude = -90.0;
    const double newLongitude = longitude + (s.easting / 60.0) / std::cos(CConversion::DegToRad(newLatitude));
    if (!std::isfinite(newLongitude)) return false;
    latitude = newLatitude;
    longitude = NormalizeLongitude(newLongitude);
    return true;
}

void CAlmanac::CalculateFixSpread(double& latitudeSpread, double& longitudeSpread) const {
    const AstroFixSolution s = SolveAstroFix(m_observations);
    latitudeSpread = s.latitudeSpread;
    longitudeSpread = s.longitudeSpread;
}

std::string FixSpreadMessage(double latitudeSpread, double longitudeSpread) {
    if (latitudeSpread == 0.0 && longitudeSpread == 0.0) return kInsufficientObservationsText;
    return "95% probability in minutes:\nLatitude: " + CConversion::FixedText(latitudeSpread) +
           "\nLongitude: " + CConversion::FixedText(longitudeSpread);
}

std::string AstroFixQuestion(const std::string& clockText, const CPosition& fix) {
    return "Astroposition\n" + clockText + "\n" + fix.GetLatitudeText() + "\n" + fix.GetLongitudeText() +
           "\nDo you accept this position?";
}

std::string AstroFixRemark(const std::string& localTimeText) { return "AstroPosition " + localTimeText; }

std::string AstroFixLogLine(const CPosition& fix) {
    return "Astro Position Update: " + fix.GetLatitudeText() + "  " + fix.GetLongitudeText();
}
