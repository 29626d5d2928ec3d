#pragma once

class CPosition;

// One coordinate as typed: whole degrees, decimal minutes and the index in the
// sorted hemisphere list (0 North or East, 1 South or West, -1 none chosen,
// which counts as North or East).
struct CCoordinateFields {
    int degrees = 0;
    double minutes = 0.0;
    int hemisphere = -1;

    bool operator==(const CCoordinateFields&) const = default;
};

// Degrees and minutes as signed degrees, negative in the south or west.
double CoordinateFromFields(const CCoordinateFields& fields);
CCoordinateFields LatitudeFields(const CPosition& position);
CCoordinateFields LongitudeFields(const CPosition& position);
