#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "document/position_fix.h"
#include "core/time.h"

class CKeelmarkLiteDoc;
class CPosition;
class CVessel;
class CVoyage;

// The rules behind the route and fix editing dialogs: what each dialog shows,
// what its buttons do to the document, and every text it says.

// ---------------------------------------------------------------------------
// Position sheet

inline constexpr const char* kEditWaypointCaption = "Edit Waypoint";
inline constexpr const char* kNewWaypointCaption = "New Waypoint";
inline constexpr const char* kEditPopularCaption = "Edit Popular Position";
inline constexpr const char* kPopularCaption = "Popular Position";
inline constexpr const char* kDeparturePointCaption = "Departure Point";
inline constexpr const char* kDestinationPointCaption = "Destination Point";

// What the sheet's own fields hold. The zone offset is set only by a page that
// edits it; without one the position keeps its offset.
struct CPositionSheetFields {
    std::string description;
    CCoordinateFields latitude;
    CCoordinateFields longitude;
    int proceedVia = 0; // 0 great circle, 1 rhumb line (the sorted list's order)
    std::optional<double> zoneOffset;
};

CPositionSheetFields PositionSheetFields(const CPosition& position);
// Latitude, longitude, name, proceed-via and (when given) the zone offset; time,
// speed, course, kind and the running averages stay as they are.
void ApplyPositionSheet(const CPositionSheetFields& fields, CPosition& position);
// The same, for a position of the document; marks the document modified.
void ApplyPositionSheet(CKeelmarkLiteDoc& doc, const CPositionSheetFields& fields, CPosition& position);

// The read-only figures of the "Meteo" and "Performance" pages.
struct CPositionAverages {
    double windSpeed = 0.0;
    double windDirection = 0.0;
    double pressure = 0.0;
    int weatherCount = 0;
    double currentDirection = 0.0;
    double currentSpeed = 0.0;
    int currentCount = 0;
    double averageSpeed = 0.0;
    double averageDraft = 0.0;
    double averageRpm = 0.0;
    int performanceCount = 0;
};
CPositionAverages PositionAverages(const CPosition& position);

// ---------------------------------------------------------------------------
// Waypoint list

enum WaypointShow { kShowWaypoints = 0, kShowPositions = 1, kShowBoth = 2 };
enum WaypointInformation { kInfoLatLon = 0, kInfoCourseDistance = 1, kInfoSpeedEta = 2 };

inline constexpr const char* kSelectToEditText = "Please check show both and select waypoint to edit!";
inline constexpr const char* kFixNotEditableText = "Sorry\nEditing of past positionfix not allowed!";
inline constexpr const char* kSelectToDeleteText = "Please check show both and select waypoint to delete";
inline constexpr const char* kSteeringTowardsText =
    "You are at present steering towards this waypoint\nDeleting the selected waypoint is not allowed\n"
    "Please return to mainscreen and deselect this waypoint first";
inline constexpr const char* kKeepDepartureText =
    "The departure can not be deleted\nThe route always begins at its departure";
inline constexpr const char* kKeepDestinationText =
    "The destination can not be deleted\nThe route always ends at its destination";
inline constexpr const char* kDeleteWaypointQuestion = "Delete Waypoint ";
inline constexpr const char* kWipeQuestion = "This will delete all positionfixes from your route!\nContinue?";

struct CWaypointRow {
    int routeIndex = 0;
    bool fix = false;
    std::array<std::string, 4> columns; // name, then the three Information columns
};

struct CWaypointListing {
    std::array<std::string, 3> titles;
    double totalDistance = 0.0; // cut to 1 decimal
    double requiredSpeed = 0.0; // cut to 2 decimals; 0 without time between departure and destination
    std::vector<CWaypointRow> rows;
};

// Recomputes the legs of the route and lists it as the Show and Information choices ask.
CWaypointListing ListWaypoints(CVoyage& voyage, int show, int information);

// The actions of the waypoint list's buttons. Every change of the route marks
// the document modified. A row index is a route index only when "Both" is
// shown, which is why editing and deleting insist on it.
class CWaypointEditing {
public:
    CWaypointEditing(CKeelmarkLiteDoc& doc, std::string nextWaypointName);

    // "Add": after the selected row; with "Both" shown and no row selected at the
    // end (the new waypoint becomes the destination); with one kind shown never
    // after the destination, and before it when no row is selected.
    CPosition* Add(int show, int selectedRow);
    // The sheet of the waypoint just added was cancelled: it leaves the route
    // again, and the modified flag is what it was before the "Add".
    void CancelAdd(CPosition* added);
    // The waypoint to edit, or nothing after telling the user why not.
    CPosition* Edit(int show, int selectedRow);
    // True when a position was removed (after the user said Yes).
    bool Delete(int show, int selectedRow);
    // True when the fixes were wiped (the user said OK).
    bool Wipe();

    const std::string& NextWaypointName() const { return m_nextWaypointName; }

private:
    void Remove(int index);

    CKeelmarkLiteDoc& m_doc;
    std::string m_nextWaypointName;
    CPosition* m_added = nullptr;
    bool m_modifiedBeforeAdd = false;
};

// ---------------------------------------------------------------------------
// Course and engine change

// Opened on the vessel's ordered course and revolutions and the present speed;
// every rpm chosen recomputes the figures from those initial values.
class CCourseChange {
public:
    CCourseChange(const CVessel& vessel, const CPosition& present, double requiredRpm);
    // On the document, with the revolutions needed for the required speed.
    static CCourseChange ForDocument(CKeelmarkLiteDoc& doc);

    int GetCourse() const { return m_course; }
    // A course from 0 to 360 is accepted; anything else is ignored.
    bool AcceptCourse(int course);
    int GetRpm() const { return m_rpm; }
    void SetRpm(int rpm);
    int GetManoeuvringRpm() const { return m_manoeuvringRpm; }
    int GetSeaSpeedRpm() const { return m_seaSpeedRpm; }

    double GetSpeed() const { return m_speed; }
    double GetDuration() const { return m_duration; } // minutes
    double GetDistance() const { return m_distance; } // nM
    double GetRequiredRpm() const { return m_requiredRpm; }

    // The order: vessel, present position, modified flag and (with "logcourse") the log.
    void Apply(CKeelmarkLiteDoc& doc) const;
    std::string LogText() const;

    static constexpr int kMinimumCourse = 0;
    static constexpr int kMaximumCourse = 360;

private:
    int m_course = 0;
    int m_rpm = 0;
    int m_initialRpm = 0;
    double m_initialSpeed = 0.0;
    double m_minutesPerRpm = 0.0;
    int m_manoeuvringRpm = 0;
    int m_seaSpeedRpm = 0;
    double m_speed = 0.0;
    double m_duration = 0.0;
    double m_distance = 0.0;
    double m_requiredRpm = 0.0;
};

// ---------------------------------------------------------------------------
// Next waypoint, reference fix, speed made good

std::vector<std::string> RouteNames(const CVoyage& voyage);

struct CBearingDistance {
    double bearing = 0.0;
    double distance = 0.0;
};
// From the present position, by the sailing of the leg that ends at `to`.
CBearingDistance BearingAndDistance(const CPosition& present, const CPosition& to);

// Pins the waypoint at the route index as the next one; with `adjustCourse` the
// present course becomes the bearing to it. Always logged.
void SelectNextWaypoint(CKeelmarkLiteDoc& doc, int routeIndex, bool adjustCourse);
inline constexpr const char* kManualWaypointLogText = "Manually selected waypoint ";

// The position fixes of the route, in route order, and the one to preselect
// (the entry named exactly as the present reference, or -1).
struct CReferenceChoice {
    std::vector<int> routeIndices;
    std::vector<std::string> names;
    int preselected = -1;
};
CReferenceChoice ReferenceChoice(CKeelmarkLiteDoc& doc);
// The fix at the route index becomes the reference (document modified);
// an index that is not a fix of the route changes nothing.
bool ChooseReference(CKeelmarkLiteDoc& doc, int routeIndex);

struct CSpeedMadeGood {
    double distance = 0.0;
    double bearing = 0.0;
    double hours = 0.0;
    std::string timeText;        // hours and minutes, e.g. "12:30.00"
    std::optional<double> speed; // nothing when less than a minute lies between the two
};
// Between the positions at the two route indices (an index outside the route is
// the destination); along the route or straight by rhumb line.
CSpeedMadeGood SpeedMadeGood(const CVoyage& voyage, int fromIndex, int tillIndex, bool alongRoute);

// ---------------------------------------------------------------------------
// Voyage properties

// The begin and end of the sea voyage are the voyage's start and end time,
// shown and typed as local time (broken-down fields held in a CTime).
struct CVoyageProperties {
    std::string description;
    std::string service;
    std::string voyageNumber;
    std::string departureName;
    std::string destinationName;
    CTime beginLocal;
    CTime endLocal;
};
CVoyageProperties VoyageProperties(const CVoyage& voyage);
// Texts and times to the voyage; the document is marked modified.
void ApplyVoyageProperties(CKeelmarkLiteDoc& doc, const CVoyageProperties& properties);

// The machine's local time of a UTC instant, and back.
CTime LocalFromUtc(CTime utc);
CTime UtcFromLocal(CTime local);
