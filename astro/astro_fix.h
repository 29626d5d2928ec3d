#pragma once

// The astro fix from the pending observations: the least-squares crossing of
// their lines of position, and its 95% spread. Also the texts the fix
// procedure shows and logs. CAlmanac::CalculateFix and CalculateFixSpread
// apply these to the almanac's pending observations.

#include <string>
#include <vector>

#include "astro/almanac.h"

class CPosition;

struct AstroFixSolution {
    bool valid = false;    // at least 3 observations
    double northing = 0.0; // nM
    double easting = 0.0;  // nM
    // 95% spread in minutes of arc (nM); both 0 when it cannot be had.
    double latitudeSpread = 0.0;
    double longitudeSpread = 0.0;
};

// With A = sum cos^2 Z, B = sum sin Z cos Z, C = sum sin^2 Z, D = sum p cos Z,
// E = sum p sin Z, G = AC - B^2: northing (CD - BE)/G, easting (AE - BD)/G.
// Azimuths on one line (G near 0) move along that line only. The spread is
// twice the standard error of the fix, sigma^2 = sum residual^2 / (n - 2).
AstroFixSolution SolveAstroFix(const std::vector<PendingObservation>& observations);

// "95% probability in minutes:\nLatitude: ...\nLongitude: ...", or
// "Insufficient observations to calculate position" when both spreads are 0.
std::string FixSpreadMessage(double latitudeSpread, double longitudeSpread);
inline constexpr const char* kInsufficientObservationsText = "Insufficient observations to calculate position";

// The question before the fix is taken: clockText is the computer's local
// time "HH:MM:SS".
std::string AstroFixQuestion(const std::string& clockText, const CPosition& fix);
// The fix's remark, from its time already written "%d %b %H:%M" in local time.
std::string AstroFixRemark(const std::string& localTimeText);
// The event-log line of an accepted fix.
std::string AstroFixLogLine(const CPosition& fix);
