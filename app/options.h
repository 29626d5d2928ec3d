#pragma once

#include <string>

// Every value the Options sheet edits, as the sheet shows it: paths and folders
// as text, the data communication system as an index, each switch on or off.
// Load reads the settings store with the sheet's own defaults; Save writes every
// key back, switches as exactly 0 or 1.
struct COptions {
    // Path page
    std::string almanac;
    std::string vesselData;
    std::string hurricane;
    std::string logging;

    // Alarms page
    bool wp6MinAlarm = true;
    bool wpAlarm = true;
    bool courseAlarm = true;
    bool speedAlarm = true;
    bool drAlarm = true;

    // Logging page
    bool logPosition = true;
    bool logCourse = true;
    bool logWaypoint = true;
    bool logMeteo = true;
    bool logHurricane = true;
    bool logChecklist = true;
    bool logReport = true;

    // Navigation page
    bool navSelectWaypoint = true;
    bool navChangeCourse = true;
    bool navReduce = true;
    bool navZeroSpeed = true;

    // Datacom page
    enum DataSystem { kConnect2 = 0, kStsWin32 = 1, kAsciiFile = 2 };
    int dataSystem = kStsWin32;
    std::string outbox;
    std::string inbox;

    // The store's values; a missing key reads as the sheet's default, a switch
    // is on for any value but 0, and a data system outside 0..2 reads as the default.
    static COptions Load();
    // Writes every key. False, with a message naming what failed, when the store
    // refused a value; the keys before it are written, the rest are still tried.
    bool Save(std::string& error) const;

    bool operator==(const COptions&) const = default;
};

// The sheet's defaults. Paths are written with '/', which every loader reads;
// an older installation's ".\almanac.dat" still works, as '\' is taken as a separator.
inline constexpr const char* kDefaultAlmanacPath = "./almanac.dat";
inline constexpr const char* kDefaultVesselPath = "./vessel.k7s";
inline constexpr const char* kDefaultHurricanePath = "./hurricane.dat";
inline constexpr const char* kDefaultLoggingPath = "./logging.txt";
inline constexpr const char* kDefaultFolder = ".";

// A switch of the sheet: its key in the store and its field.
struct COptionSwitch {
    const char* key;
    bool COptions::*field;
};
inline constexpr COptionSwitch kOptionSwitches[] = {
    {"wp6minalarm", &COptions::wp6MinAlarm},
    {"wpalarm", &COptions::wpAlarm},
    {"coursealarm", &COptions::courseAlarm},
    {"speedalarm", &COptions::speedAlarm},
    {"dralarm", &COptions::drAlarm},
    {"logpos", &COptions::logPosition},
    {"logcourse", &COptions::logCourse},
    {"logwp", &COptions::logWaypoint},
    {"logmeteo", &COptions::logMeteo},
    {"loghurri", &COptions::logHurricane},
    {"logchecklist", &COptions::logChecklist},
    {"logreport", &COptions::logReport},
    {"navselectwp", &COptions::navSelectWaypoint},
    {"navchangecourse", &COptions::navChangeCourse},
    {"navreduce", &COptions::navReduce},
    {"navzerospd", &COptions::navZeroSpeed},
};

// Shown after the sheet has written its values.
inline constexpr const char* kOptionsRestartMessage =
    "You need to restart the application to make changes to options valid!";
