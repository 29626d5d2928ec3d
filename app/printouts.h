#pragma once

#include <string>

#include "core/print_form.h"
#include "core/time.h"

class CKeelmarkLiteDoc;

// The five bridge forms, laid out from the voyage document at the present time
// of the clock service. Lists longer than a page go on over the following
// pages, each with the frame, the title, the header lines and the column heads.
enum class Printout {
    NoonReport = 0,
    WaypointList = 1,
    PositionFixes = 2,
    VesselInformation = 3,
    ArrivalInformation = 4,
};
inline constexpr int kPrintoutCount = 5;

// The choices of "Select output", in order.
inline constexpr const char* kPrintoutNames[kPrintoutCount] = {"Standard NOON report", "Waypoint list",
                                                               "List of past position fixes", "Vessel information",
                                                               "Standard arrival information"};

// `pageHeight`: printable height in tenths of a millimetre (0: one page).
CPrintForm BuildPrintout(Printout which, CKeelmarkLiteDoc& doc, int pageHeight);

CPrintForm NoonReportForm(CKeelmarkLiteDoc& doc);
CPrintForm WaypointListForm(CKeelmarkLiteDoc& doc, int pageHeight);
CPrintForm PositionFixesForm(CKeelmarkLiteDoc& doc, int pageHeight);
CPrintForm VesselInformationForm(CKeelmarkLiteDoc& doc, int pageHeight);
CPrintForm ArrivalInformationForm(CKeelmarkLiteDoc& doc, int pageHeight);

// "%A %d %b %H:%M" of a UTC instant in the machine's local time.
std::string LocalTimeText(CTime utc);
