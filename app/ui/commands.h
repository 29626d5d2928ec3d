#pragma once

// The voyage commands of the menus, toolbar and dashboard buttons. Every one of
// them arrives at the dashboard view, which opens the dialog that owns the data.
enum class Command {
    // Dashboard buttons and Voyage menu
    GpsUpdate = 1019,           // "Update" button, Voyage > Update Position > "&GPS", toolbar
    EditNextWaypoint = 1029,    // "Edit" button of Next Waypoint
    SelectNextWaypoint = 1352,  // "Select" button of Next Waypoint
    CourseSpeedChange = 1188,   // "Change" button, Voyage > "&Course / Speed change"
    Schedule = 1328,            // "Schedule" button
    SelectReference = 1517,     // "Select" button of Speed made good
    PopularButton = 1520,       // "Popular" button
    SpeedMadeGood = 32838,      // Voyage > "&Speed made good", toolbar
    CalculateEta = 32862,       // Voyage > "C&alculate ETA"
    Waypoints = 32792,          // Voyage > "&Waypoints", toolbar
    PopularPosition = 32872,    // Voyage > "&Popular Position"
    PopularPositionView = 32844,
    PresentFromPopular = 32849,
    Destination = 32793,        // Voyage > "&Destination"
    ExportPort = 32807,         // Voyage > "&Export portinfo"
    ImportPort = 32808,         // Voyage > "&Import portinfo"
    VoyageProperties = 32789,   // Voyage > "&Properties"
    // Vessel menu
    VesselProperties = 32794,   // Vessel > "&Properties"
    ImportVessel = 32795,       // Vessel > "&Import vesseldata"
    ExportVessel = 32796,       // Vessel > "E&xport vesseldata"
    // Astro menu
    Starfinder = 32799,         // Astro > "&Starfinder", Update Position > "&Astro", toolbar
    LocalTimes = 32798,         // Astro > "&Local Times"
    Observation = 32814,        // Astro > "O&bservation"
    Azimuth = 32851,            // Astro > "A&zimuth"
    PendingObservations = 32852, // Astro > "&Pending Observations"
    AlmanacData = 32800,        // Astro > "&Almanac data"
    AlmanacLoad = 32817,        // Tools > Almanac > "&Load"
    AlmanacSave = 32818,        // Tools > Almanac > "&Save"
    // Meteo menu
    UpdateMeteo = 32801,        // Meteo > "&Update Meteo"
    AverageWeather = 32835,     // Meteo > "&Average Weather"
    Hurricanes = 32848,         // Meteo > "&Hurricanes"
    ObsMessage = 32837,
    // Tools menu
    AddressAgent = 32811,       // Tools > Addressbook > Destination > "&Agent"
    AddressPilot = 32812,       // "&Pilot"
    AddressPortControl = 32813, // "Port &Control"
    Checklists = 32850,         // Tools > "&Checklists"
    Squat = 32863,              // Tools > "&Squad"
    WheelOver = 32864,          // Tools > "&Wheel over point"
    GeographicalRange = 32865,  // Tools > "&Geographical range"
    MetricConversions = 32866,  // Tools > "&Metric Conversions"
    DistanceToCoast = 32867,    // Tools > "&Distance to coast"
    OpenReport = 32833,
    NewReport = 32845,
    ReportScheduler = 32797,
    Options = 32776,            // Tools > "&Options"
};
