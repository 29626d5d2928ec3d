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

// The JSON document of a file's records, streamed to out. The type is a name
// of the record-type table; another is a usage failure.
void DumpRecordFile(const std::string& path, const std::string& type, std::ostream& out);
std::string DumpRecordFile(const std::string& path, const std::string& type);
// Writes the file for records given as JSON, byte for byte as the desktop program stores them.
void LoadRecordJson(const std::string& json, const std::string& type, const std::string& outPath);
// One dashboard refresh of a voyage at a given time, as JSON.
std::string VoyageStatus(const std::string& voyagePath, std::optional<CTime> at, const std::string& vesselPath);
// The coded ship's observation message of a voyage at a given time, as JSON.
std::string VoyageObsMessage(const std::string& voyagePath, std::optional<CTime> at, const std::string& vesselPath);
