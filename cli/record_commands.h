#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "core/time.h"

// A command that cannot go on, with the exit status to give and its one-line message.
struct CommandFailure {
    int status;
    std::string message;
};

// The record type a file's name implies ("" when none): .k7v voyage, .k7s vessel,
// .k7p port, .k7r report, hurricane*.dat hurricanes, any other .dat almanac.
std::string TypeFromPath(const std::string& path);
bool IsRecordType(const std::string& type);

// The JSON document of a file's records, streamed to out.
void DumpRecordFile(const std::string& path, const std::string& type, std::ostream& out);
std::string DumpRecordFile(const std::string& path, const std::string& type);
// Writes the file for records given as JSON, byte for byte as the desktop program stores them.
void LoadRecordJson(const std::string& json, const std::string& type, const std::string& outPath);
// One dashboard refresh of a voyage at a given time, as JSON.
std::string VoyageStatus(const std::string& voyagePath, std::optional<CTime> at, const std::string& vesselPath);
