#pragma once

#include <span>

// The system's command identifiers. The voyage commands keep their numbers; the
// frame's own commands are numbered below them.
enum class Command {
    // The frame's own: files, clipboard, windows, help
    FileNew = 1,
    FileOpen,
    FileSave,
    FileSaveAs,
    FilePrint,
    FilePrintPreview,
    FilePrintSetup,
    FileSend,
    Exit,
    EditUndo,
    EditCut,
    EditCopy,
    EditPaste,
    WindowCascade,
    WindowTile,
    WindowArrange,
    TipOfTheDay,
    About,
    OwnAddresses,
    Options = 32776,
    // Dashboard buttons and the Voyage menu
    GpsUpdate = 1019,
    EditNextWaypoint = 1029,
    SelectNextWaypoint = 1352,
    CourseSpeedChange = 1188,
    Schedule = 1328,
    SelectReference = 1517,
    PopularButton = 1520,
    SpeedMadeGood = 32838,
    CalculateEta = 32862,
    Waypoints = 32792,
    PopularPosition = 32872,
    PopularPositionView = 32844,
    PresentFromPopular = 32849,
    Destination = 32793,
    ExportPort = 32807,
    ImportPort = 32808,
    VoyageProperties = 32789,
    ImportRouteGpx = 32920,
    ExportRouteGpx = 32921,
    // Vessel
    VesselProperties = 32794,
    ImportVessel = 32795,
    ExportVessel = 32796,
    // Astro
    Starfinder = 32799,
    LocalTimes = 32798,
    Observation = 32814,
    Azimuth = 32851,
    PendingObservations = 32852,
    AlmanacData = 32800,
    AlmanacLoad = 32817,
    AlmanacSave = 32818,
    AlmanacToDate = 32880,
    // Meteo
    UpdateMeteo = 32801,
    AverageWeather = 32835,
    Hurricanes = 32848,
    ObsMessage = 32837,
    // Tools
    AddressAgent = 32811,
    AddressPilot = 32812,
    AddressPortControl = 32813,
    Checklists = 32850,
    Squat = 32863,
    WheelOver = 32864,
    GeographicalRange = 32865,
    MetricConversions = 32866,
    DistanceToCoast = 32867,
    OpenReport = 32833,
    NewReport = 32845,
    ReportScheduler = 32797,
    // The voyage plot
    VoyagePlot = 32950,
    SavePlotImage = 32951,
};

enum class CommandRowKind {
    Entry,       // a command: a menu entry, a toolbar button, or (with neither) a dashboard button's command
    Separator,   // a line in its menu
    RecentFiles, // the recent-file list, filled by the frame
    WindowList,  // the open windows, filled when the menu opens
};

enum class CommandEnable {
    Always,     // whenever a handler is registered
    WithVoyage, // only with a voyage open
};

// One row of the command table. A command may have several rows (a menu entry
// and a toolbar button, or entries in two menus); its rows agree on `suspends`.
struct CCommandRow {
    CommandRowKind kind = CommandRowKind::Entry;
    Command command = Command::FileNew;
    const char* name = "";     // object name of its action
    const char* menu = "";     // menu path, "&Voyage/&Update Position"; empty: no menu entry
    const char* text = "";     // entry text, or the button's tool tip
    const char* prompt = "";   // status-bar prompt
    const char* shortcut = ""; // portable key text, "Ctrl+N"
    const char* icon = "";     // toolbar image name
    int toolbar = 0;           // 0: not on the toolbar; else its place, a new ten starting a new group
    bool suspends = false;     // holds the dashboard refresh while its dialog is open
    CommandEnable enable = CommandEnable::WithVoyage;
};

// Every menu entry, toolbar button and dashboard command, in menu order.
std::span<const CCommandRow> CommandTable();

// Whether the command's dialog holds the dashboard refresh.
bool CommandSuspends(Command command);
