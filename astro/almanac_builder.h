#pragma once

// The almanac the program ships, built from the reference data compiled into
// the program (the navigational stars and the mean orbital elements): the Sun,
// Moon, Venus, Mars, Jupiter and Saturn, then the 57 navigational stars and
// Polaris, the stars brought from J2000.0 to a chosen instant by proper motion
// and rigorous precession (right ascensions in the almanac's own sidereal
// frame, 0.3' ahead). BringStarsToDate moves the catalogue stars of any
// almanac to an instant.

#include <string>
#include <vector>

#include "core/time.h"

class CAlmanac;

struct CatalogueStar {
    std::string name;
    int navNumber = 0; // 0 for Polaris
    std::string fk5;   // empty when none
    double ra = 0.0;   // degrees, ICRS J2000.0
    double dec = 0.0;
    double pmRa = 0.0; // mas per Julian year, times cos(dec)
    double pmDec = 0.0;
    double magnitude = 0.0;
};

struct CatalogueOrbit {
    std::string name;
    int kind = 0;
    double n0 = 0, nRate = 0, i0 = 0, iRate = 0, w0 = 0, wRate = 0, a0 = 0, aRate = 0, e0 = 0, eRate = 0, m0 = 0,
           mRate = 0;
};

// The compiled-in reference tables.
const std::vector<CatalogueStar>& NavigationalStars();
const std::vector<CatalogueOrbit>& CatalogueOrbits();

// Parses the CSV tables ('#' lines are comments, the first other line the
// header); false with a message naming the line for a bad one.
bool ParseStarTable(const std::string& csv, std::vector<CatalogueStar>& stars, std::string& error);
bool ParseOrbitTable(const std::string& csv, std::vector<CatalogueOrbit>& orbits, std::string& error);

// Julian epoch (2000.0 + Julian years from J2000.0) of a UTC time.
double JulianEpoch(CTime t);

// Right ascension (0..360) and declination of date, degrees: proper motion
// from J2000.0 to the epoch, then IAU 1976 precession (zeta, z, theta).
void StarPlaceAt(const CatalogueStar& star, double epoch, double& ra, double& dec);

// The shipped almanac for a Julian epoch (e.g. 2027.45).
void BuildShippedAlmanac(CAlmanac& almanac, double epoch);

// Brings every object whose name is a catalogue star to the instant; other
// objects are untouched. Returns how many it moved.
int BringStarsToDate(CAlmanac& almanac, CTime now);
// What "Bring star positions to date" tells the navigator.
std::string StarsMovedText(int moved);
