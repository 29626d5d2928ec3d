#pragma once

#include <string>

#include "core/time.h"

// The ship's electronic log-book: one plain-text file per local calendar day,
// one line per event, "MM/DD/YY  HH:MM:SS  text" with CR LF line ends.
// Stateless: each entry opens, appends and closes.
class CEventLog {
public:
    virtual ~CEventLog() = default;

    // Appends the entry to today's file and returns the file's name. A file that
    // cannot be opened is reported ("Unable to open logfile \n" + name) and the
    // entry is dropped.
    std::string Write(const std::string& text);

    // Today's file name for the base path in "logging" at the local time given.
    static std::string FileName(const std::string& loggingSetting, CTime localTime);
    static std::string Line(const std::string& text, CTime localTime);
    // The local time of the machine now, as broken-down fields held in a CTime.
    static CTime LocalNow();
    // A log switch of the options ("logpos", "logwp", ...): on when it reads exactly 1.
    static bool IsOn(const char* key);
};

// Writes an entry when its switch is on.
void WriteLogIf(const char* switchKey, const std::string& text);
