#pragma once

// Sight reduction: a sextant altitude of an almanac object, taken at a UTC time
// from an assumed position, becomes the calculated altitude Hc, the azimuth,
// the observed altitude Ho and the intercept. The corrections are the ship's
// usual ones: dip for the height of eye, refraction, and for the Moon its
// parallax and semi-diameter (the Sun, planets and stars get none of these two).

#include <cstdint>

#include "core/time.h"

class CAstroObject;
class CPosition;

// Dip of the sea horizon for a height of eye in metres, degrees (to subtract).
// A height of eye of 0 or below (drafts above the eye) has no dip.
double DipCorrection(double heightOfEye);
// Refraction at an apparent altitude in degrees, degrees (to subtract).
double RefractionCorrection(double apparentAltitude);
// Parallax and semi-diameter of a body of this kind at an altitude (degrees),
// degrees (to add): the Moon's 53.8' horizontal parallax times cos Ho plus its
// semi-diameter; 0 for every other kind.
double ParallaxAndSemiDiameter(std::int32_t kind, double altitude);

// Observed altitude Ho from the sextant altitude Hs (degrees): dip, then
// refraction, then parallax and semi-diameter.
double ObservedAltitude(std::int32_t kind, double sextantAltitude, double heightOfEye);

// The instant of a sight: the UTC date of the stamp with the hours, minutes and
// seconds given (UTC).
CTime SightTime(CTime stamp, int hours, int minutes, int seconds);

struct SightReduction {
    double hc = 0.0;        // calculated altitude, degrees
    double azimuth = 0.0;   // calculated true azimuth, degrees, cut to two decimals
    double ho = 0.0;        // observed altitude, degrees
    double intercept = 0.0; // (Ho - Hc) x 60 nM, cut to two decimals; positive towards the body
};

// Reduces the sextant altitude (degrees) of the object taken at `at` from the
// assumed position (its time stamp is not used) with the height of eye in metres.
SightReduction ReduceSight(CAstroObject& object, const CPosition& assumed, CTime at, double sextantAltitude,
                           double heightOfEye);

// An altitude as the observation dialog shows it: whole degrees and the
// minutes cut to two decimals; 0 and 0 for a body on or below the horizon.
void SplitElevation(double altitude, int& degrees, double& minutes);
