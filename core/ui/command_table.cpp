#include "core/ui/command_table.h"

namespace {

constexpr bool kSuspends = true;

// A voyage command's menu entry.
constexpr CCommandRow Voyage(Command command, const char* name, const char* menu, const char* text, const char* prompt,
                             bool suspends = false) {
    return {CommandRowKind::Entry, command, name, menu, text, prompt, "", "", 0, suspends, CommandEnable::WithVoyage};
}

// One of the frame's own entries.
constexpr CCommandRow Frame(Command command, const char* name, const char* menu, const char* text, const char* prompt,
                            const char* shortcut = "", const char* icon = "", int toolbar = 0,
                            CommandEnable enable = CommandEnable::Always) {
    return {CommandRowKind::Entry, command, name, menu, text, prompt, shortcut, icon, toolbar, false, enable};
}

// A toolbar button of a voyage command, beside its menu entries.
constexpr CCommandRow Button(Command command, const char* name, const char* tip, const char* icon, int toolbar,
                             bool suspends = false) {
    return {CommandRowKind::Entry, command, name, "", tip, tip, "", icon, toolbar, suspends, CommandEnable::WithVoyage};
}

// A command of the dashboard's buttons only.
constexpr CCommandRow Dashboard(Command command, bool suspends) {
    return {CommandRowKind::Entry, command, "", "", "", "", "", "", 0, suspends, CommandEnable::WithVoyage};
}

constexpr CCommandRow Line(const char* menu) { return {CommandRowKind::Separator, Command::FileNew, "", menu}; }

constexpr const char* kFile = "&File";
constexpr const char* kEdit = "&Edit";
constexpr const char* kView = "&View";
constexpr const char* kVoyage = "&Voyage";
constexpr const char* kUpdatePosition = "&Voyage/&Update Position";
constexpr const char* kVessel = "V&essel";
constexpr const char* kAstro = "&Astro";
constexpr const char* kMeteo = "&Meteo";
constexpr const char* kTools = "&Tools";
constexpr const char* kAddresses = "&Tools/&Addressbook";
constexpr const char* kDestination = "&Tools/&Addressbook/&Destination";
constexpr const char* kReports = "&Reports";
constexpr const char* kAlmanac = "&Tools/A&lmanac";
constexpr const char* kWindow = "&Window";
constexpr const char* kHelp = "&Help";
constexpr CommandEnable kWithVoyage = CommandEnable::WithVoyage;

// Entries without a handler show disabled: the clipboard commands, which
// nothing in the program handles, and the dialogs not built yet.
constexpr CCommandRow kRows[] = {
    Frame(Command::FileNew, "actionFileNew", kFile, "&New", "Create a new voyage", "Ctrl+N", "new", 11),
    Frame(Command::FileOpen, "actionFileOpen", kFile, "&Open...", "Open an existing voyage", "Ctrl+O", "open", 12),
    Frame(Command::FileSave, "actionFileSave", kFile, "&Save", "Save the voyage", "Ctrl+S", "save", 13, kWithVoyage),
    Frame(Command::FileSaveAs, "actionFileSaveAs", kFile, "Save &As...", "Save the voyage under a new name", "", "", 0,
          kWithVoyage),
    Frame(Command::SavePlotImage, "actionSavePlotImage", kFile, "Save as image...",
          "Save the voyage plot as a PNG image", "", "", 0, kWithVoyage),
    Line(kFile),
    Frame(Command::FilePrint, "actionFilePrint", kFile, "&Print...", "Print a form of the voyage", "Ctrl+P", "print",
          41, kWithVoyage),
    Frame(Command::FilePrintPreview, "actionFilePrintPreview", kFile, "Print Pre&view",
          "Show the form as it will be printed", "", "", 0, kWithVoyage),
    Frame(Command::FilePrintSetup, "actionFilePrintSetup", kFile, "P&rint Setup...",
          "Change the printer and printing options"),
    Line(kFile),
    Frame(Command::FileSend, "actionFileSend", kFile, "Sen&d...", "Send the voyage file by e-mail", "", "", 0,
          kWithVoyage),
    Line(kFile),
    {CommandRowKind::RecentFiles, Command::FileOpen, "actionRecentFile", kFile},
    Line(kFile),
    Frame(Command::Exit, "actionExit", kFile, "E&xit", "Quit the application", "Ctrl+Q"),

    Frame(Command::EditUndo, "actionEditUndo", kEdit, "&Undo", "", "Ctrl+Z"),
    Line(kEdit),
    Frame(Command::EditCut, "actionEditCut", kEdit, "Cu&t", "", "Ctrl+X", "cut", 31),
    Frame(Command::EditCopy, "actionEditCopy", kEdit, "&Copy", "", "Ctrl+C", "copy", 32),
    Frame(Command::EditPaste, "actionEditPaste", kEdit, "&Paste", "", "Ctrl+V", "paste", 33),

    Voyage(Command::VoyagePlot, "actionVoyagePlot", kView, "Voyage Plot",
           "Show the route, the track, the ship and the cyclones on a chart"),

    Voyage(Command::GpsUpdate, "actionGpsUpdate", kUpdatePosition, "&GPS", "Enter a position fix from the GPS",
           kSuspends),
    Voyage(Command::Starfinder, "actionUpdateAstro", kUpdatePosition, "&Astro", "Calculate height and azimuth"),
    Voyage(Command::CourseSpeedChange, "actionCourseSpeedChange", kVoyage, "&Course / Speed change",
           "Order a change of course and speed", kSuspends),
    Voyage(Command::SpeedMadeGood, "actionSpeedMadeGood", kVoyage, "&Speed made good",
           "Speed made good between two positions", kSuspends),
    Voyage(Command::CalculateEta, "actionCalculateEta", kVoyage, "C&alculate ETA",
           "Arrival time and engine revolutions at other speeds"),
    Line(kVoyage),
    Voyage(Command::Waypoints, "actionWaypoints", kVoyage, "&Waypoints", "Edit the route", kSuspends),
    Voyage(Command::PopularPosition, "actionPopularPosition", kVoyage, "&Popular Position",
           "Edit the well-known place the present position is told from", kSuspends),
    Voyage(Command::PresentFromPopular, "actionPresentFromPopular", kVoyage, "Present position &from popular",
           "Distance and direction of the present position from the popular position"),
    Line(kVoyage),
    Voyage(Command::Destination, "actionDestination", kVoyage, "&Destination",
           "Edit details of destination port\\Edit details of destination port",
           kSuspends),
    Voyage(Command::ExportPort, "actionExportPort", kVoyage, "&Export portinfo",
           "Export information destination port to disk\nExport information destination port to disk"),
    Voyage(Command::ImportPort, "actionImportPort", kVoyage, "&Import portinfo",
           "Import information destination port from disk\nImport information destination port from disk", kSuspends),
    Line(kVoyage),
    Voyage(Command::ImportRouteGpx, "actionImportRouteGpx", kVoyage, "Import route (&GPX)...",
           "Replace the planned waypoints by a route from a GPX file", kSuspends),
    Voyage(Command::ExportRouteGpx, "actionExportRouteGpx", kVoyage, "Export route (GP&X)...",
           "Write the route, the position fixes and the popular position to a GPX file"),
    Line(kVoyage),
    Voyage(Command::VoyageProperties, "actionVoyageProperties", kVoyage, "P&roperties",
           "Description, service and voyage number", kSuspends),

    Voyage(Command::VesselProperties, "actionVesselProperties", kVessel, "&Properties",
           "General properties of vessel\nGeneral properties of vessel",
           kSuspends),
    Voyage(Command::ImportVessel, "actionImportVessel", kVessel, "&Import vesseldata",
           "Read vesseldata from disk\\Read vesseldata from disk", kSuspends),
    Voyage(Command::ExportVessel, "actionExportVessel", kVessel, "E&xport vesseldata",
           "Export vesseldata to disk\nexport data to disk"),

    Voyage(Command::Starfinder, "actionStarfinder", kAstro, "&Starfinder", "Calculate height and azimuth"),
    Voyage(Command::LocalTimes, "actionLocalTimes", kAstro, "&Local Times",
           "Sunrise, set, twilight for present position"),
    Voyage(Command::Observation, "actionObservation", kAstro, "O&bservation",
           "View or enter attitude and azimuth of celestial object"),
    Voyage(Command::Azimuth, "actionAzimuth", kAstro, "A&zimuth",
           "Calculate compasscorrection from azimuth observation"),
    Voyage(Command::PendingObservations, "actionPendingObservations", kAstro, "&Pending Observations",
           "Calculate your position from pending celestial observations"),
    Line(kAstro),
    Voyage(Command::AlmanacData, "actionAlmanacData", kAstro, "&Almanac data", "View or update almanac data"),

    Voyage(Command::UpdateMeteo, "actionUpdateMeteo", kMeteo, "&Update Meteo",
           "Edit meteorological data\nedit meteorological data"),
    Voyage(Command::AverageWeather, "actionAverageWeather", kMeteo, "&Average Weather",
           "Show average weather during this voyage", kSuspends),
    Voyage(Command::Hurricanes, "actionHurricanes", kMeteo, "&Hurricanes",
           "Track cyclones and hurricanes\nHurricane tracks"),
    Line(kMeteo),
    Voyage(Command::ObsMessage, "actionObsMessage", kMeteo, "Save OBS message...",
           "Save meteoOBS to textfile for transmission"),

    Voyage(Command::AddressAgent, "actionAddressAgent", kDestination, "&Agent", "The agent at the destination"),
    Voyage(Command::AddressPilot, "actionAddressPilot", kDestination, "&Pilot", "The pilot at the destination"),
    Voyage(Command::AddressPortControl, "actionAddressPortControl", kDestination, "Port &Control",
           "Port control at the destination"),
    Frame(Command::OwnAddresses, "actionOwnAddresses", kAddresses, "&Own addresses", ""),
    Voyage(Command::Checklists, "actionChecklists", kTools, "&Checklists",
           "Load standard checklists\nLoad standard checklists"),
    Line(kTools),
    Voyage(Command::Squat, "actionSquat", kTools, "&Squad", "Squat in shallow water"),
    Voyage(Command::WheelOver, "actionWheelOver", kTools, "&Wheel over point",
           "Where to put the wheel over for a course change"),
    Voyage(Command::GeographicalRange, "actionGeographicalRange", kTools, "&Geographical range",
           "Range of a light or object by height"),
    Voyage(Command::MetricConversions, "actionMetricConversions", kTools, "&Metric Conversions",
           "Convert between metric and other units"),
    Voyage(Command::DistanceToCoast, "actionDistanceToCoast", kTools, "&Distance to coast",
           "Distance to the nearest shore"),
    Line(kTools),
    Voyage(Command::NewReport, "actionNewReport", kReports, "&New Report...", "Define a new report"),
    Voyage(Command::OpenReport, "actionOpenReport", kReports, "&Open Report...", "Open a report file"),
    Voyage(Command::ReportScheduler, "actionReportScheduler", kReports, "Report &Schedule...", "When reports are due"),
    Voyage(Command::AlmanacData, "actionAlmanacView", kAlmanac, "&View", "View or update almanac data"),
    Voyage(Command::AlmanacLoad, "actionAlmanacLoad", kAlmanac, "&Load", "Load an almanac file"),
    Voyage(Command::AlmanacSave, "actionAlmanacSave", kAlmanac, "&Save", "Save the almanac to a file"),
    Voyage(Command::AlmanacToDate, "actionAlmanacToDate", kAlmanac, "Bring star positions to date",
           "Recompute the stars' places for the present instant"),
    Line(kTools),
    Frame(Command::Options, "actionOptions", kTools, "&Options",
          "Paths, alarms, logging, navigation and datacom settings"),

    Frame(Command::WindowCascade, "actionWindowCascade", kWindow, "&Cascade", ""),
    Frame(Command::WindowTile, "actionWindowTile", kWindow, "&Tile", ""),
    Frame(Command::WindowArrange, "actionWindowArrange", kWindow, "&Arrange Icons", ""),
    {CommandRowKind::WindowList, Command::WindowCascade, "actionWindowList", kWindow},

    Frame(Command::TipOfTheDay, "actionTipOfTheDay", kHelp, "&Tip of the Day...", "Show a tip about using the program"),
    Line(kHelp),
    Frame(Command::About, "actionAbout", kHelp, "&About Keelmark Lite...",
          "Display program information and version number", "", "about", 51),

    Button(Command::GpsUpdate, "buttonGpsUpdate", "GPS position update", "gps", 21, kSuspends),
    Button(Command::Starfinder, "buttonStarfinder", "Celestial objects", "celestial", 22),
    Button(Command::SpeedMadeGood, "buttonSpeedMadeGood", "Speed made good", "speed-made-good", 23, kSuspends),
    Button(Command::Waypoints, "buttonWaypoints", "Waypoints", "waypoints", 24, kSuspends),

    Dashboard(Command::EditNextWaypoint, kSuspends),
    Dashboard(Command::SelectNextWaypoint, kSuspends),
    Dashboard(Command::Schedule, kSuspends),
    Dashboard(Command::SelectReference, false),
    Dashboard(Command::PopularButton, kSuspends),
    Dashboard(Command::PopularPositionView, kSuspends),
};

} // namespace

std::span<const CCommandRow> CommandTable() { return kRows; }

bool CommandSuspends(Command command) {
    for (const CCommandRow& row : kRows)
        if (row.kind == CommandRowKind::Entry && row.command == command) return row.suspends;
    return false;
}
