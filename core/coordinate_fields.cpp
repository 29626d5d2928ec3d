#include "core/coordinate_fields.h"

#include "core/position.h"

namespace {

constexpr double kMinutesToDegrees = 1.0 / 60.0;
constexpr int kNegativeHemisphere = 1; // "South" or "West" in the sorted lists

} // namespace

double CoordinateFromFields(const CCoordinateFields& fields) {
    const double degrees = fields.degrees + fields.minutes * kMinutesToDegrees;
    return fields.hemisphere == kNegativeHemisphere ? -degrees : degrees;
}

CCoordinateFields LatitudeFields(const CPosition& position) {
    return {position.GetLatitudeDegrees(), position.GetLatitudeMinutes(), position.IsSouth() ? 1 : 0};
}

CCoordinateFields LongitudeFields(const CPosition& position) {
    return {position.GetLongitudeDegrees(), position.GetLongitudeMinutes(), position.IsWest() ? 1 : 0};
}
