#pragma once

#include <string>
#include <vector>

class CPosition;
class CVoyage;

// Route exchange with chart plotters and chart systems in GPX 1.1.
//
// Reading takes every <rte> of the file with its <rtept> points (name, lat,
// lon). A leg is sailed by great circle unless the point's <extensions> say
// rhumb line, in one of two ways:
//   - our own element <leg>rhumb</leg> in the namespace kGpxNamespace (any
//     prefix; we write it as keelmark:leg), "great" or "greatcircle" there
//     meaning great circle;
//   - the leg geometry of the route exchange format for chart systems (RTZ),
//     an element or attribute named geometryType whose value is "Loxodrome"
//     (rhumb line) or "Orthodrome" (great circle), in any namespace.
// Waypoints <wpt> and tracks <trk> of a file being read are ignored.
//
// Writing gives the route's waypoints as one <rte> (with our leg element where
// the leg is a rhumb line), the position fixes as a <trk> with their <time>, and
// the popular position as a <wpt>.

inline constexpr const char* kGpxNamespace = "http://www.topografix.com/GPX/1/1";
inline constexpr const char* kKeelmarkGpxNamespace = "urn:tessmoor-works:keelmark-lite:gpx:1";

struct CGpxPoint {
    std::string name;     // as the voyage file will hold it (UTF-8, Windows-1252 characters only)
    std::string fileName; // as the file gave it, trimmed
    double latitude = 0.0;
    double longitude = 0.0;
    bool rhumbLine = false;
    int line = 0;
};

struct CGpxRoute {
    std::string name; // empty when the file gives none
    int line = 0;
    std::vector<CGpxPoint> points;
};

struct CGpxFile {
    std::vector<CGpxRoute> routes;
};

// Reads GPX text; `source` names it in messages. False, with a one-line message
// naming the problem and its line, for text that is not XML, not GPX, holds no
// route, or has a route point without coordinates or with coordinates out of
// range. Every route point of the file is checked, not only those of one route.
bool ParseGpx(const std::string& text, const std::string& source, CGpxFile& out, std::string& error);
bool ReadGpxFile(const std::string& path, CGpxFile& out, std::string& error);

// The route as lists show it: its name, or "Route N" (1-based), with its points.
std::string GpxRouteTitle(const CGpxFile& file, std::size_t index);
// The first route of that name, or -1.
int FindGpxRoute(const CGpxFile& file, const std::string& name);

// Whether the route position at the index goes into the <rte>: the waypoints,
// and the departure and destination even when one of them has become a fix.
bool InGpxRoute(const CVoyage& voyage, int index);

// The GPX 1.1 document of a voyage's route and track and the popular position,
// UTF-8. False, with a message naming it, when a position is not on the globe
// (not a number, or beyond 90 degrees of latitude or 180 of longitude).
bool GpxText(const CVoyage& voyage, const CPosition& popular, std::string& text, std::string& error);
// Writes it atomically. False with a message naming the file and the fault.
bool WriteGpxFile(const std::string& path, const CVoyage& voyage, const CPosition& popular, std::string& error);
