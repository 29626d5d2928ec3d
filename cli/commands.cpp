#include "cli/commands.h"

#include <algorithm>
#include <optional>
#include <utility>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iostream>
#include <iterator>
#include <ostream>

#include "cli/astro_commands.h"
#include "cli/gpx_commands.h"
#include "cli/json_writer.h"
#include "cli/record_commands.h"
#include "core/file_io.h"
#include "core/position.h"
#include "core/text_encoding.h"
#include "document/record_types.h"

namespace {

std::string Usage() {
    return "usage: keelmark COMMAND [ARGS]\n"
           "commands:\n"
           "  dump FILE [--type " +
           RecordTypeNames() +
           "]\n"
           "                                        print a file's records as JSON\n"
           "  load --type TYPE JSON_FILE OUT_FILE   write a file from JSON records (JSON_FILE - reads stdin)\n"
           "  sail LAT1 LON1 LAT2 LON2 [--rhumb]   distance and initial course between two points\n"
           "  status VOYAGE_FILE [--at TIME] [--vessel FILE]\n"
           "                                        what the dashboard shows, TIME as YYYY-MM-DDTHH:MM:SSZ\n"
           "  obs VOYAGE_FILE [--vessel FILE] [--at TIME]\n"
           "                                        the coded ship's observation message (FM 13 SHIP)\n"
           "  almanac [--file ALMANAC] [--at TIME]  positions of the almanac's objects\n"
           "  sight --object NAME --at TIME --lat LAT --lon LON --sextant DEGREES [--eye METRES] [--file ALMANAC]\n"
           "                                        reduce a sextant altitude to an intercept\n"
           "  times --lat LAT --lon LON --at TIME   the Sun's twilight, rise, meridian passage and set\n"
           "  almanac-build --epoch YEAR OUT_FILE   write the shipped almanac for a decimal year\n"

           "  gpx-import VOYAGE_FILE GPX_FILE [--route NAME]\n"
           "                                        a GPX route replaces the planned waypoints\n"
           "  gpx-export VOYAGE_FILE OUT.gpx        the route, the fixes and the popular position as GPX\n";
}

using CommandError = CommandFailure;

double ParseNumber(const std::string& text, const char* what) {
    double value = 0.0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (!text.empty() && *first == '+') ++first;
    const auto result = std::from_chars(first, last, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != last || !std::isfinite(value))
        throw CommandError{kExitUsage, std::string(what) + " \"" + text + "\" is not a number"};
    return value;
}

double ParseCoordinate(const std::string& text, const char* what, double limit) {
    const double value = ParseNumber(text, what);
    if (value < -limit || value > limit)
        throw CommandError{kExitFailed, std::string(what) + " " + text + " is out of range (-" +
                                            std::to_string(static_cast<int>(limit)) + " to " +
                                            std::to_string(static_cast<int>(limit)) + ")"};
    return value;
}

int Sail(const std::vector<std::string>& args, std::ostream& out) {
    std::vector<std::string> numbers;
    bool rhumb = false;
    for (const std::string& a : args) {
        if (a == "--rhumb")
            rhumb = true;
        else if (a.size() > 2 && a.rfind("--", 0) == 0)
            throw CommandError{kExitUsage, "sail: unknown option " + a};
        else
            numbers.push_back(a);
    }
    if (numbers.size() != 4) throw CommandError{kExitUsage, "usage: keelmark sail LAT1 LON1 LAT2 LON2 [--rhumb]"};
    const double lat1 = ParseCoordinate(numbers[0], "latitude", 90);
    const double lon1 = ParseCoordinate(numbers[1], "longitude", 180);
    const double lat2 = ParseCoordinate(numbers[2], "latitude", 90);
    const double lon2 = ParseCoordinate(numbers[3], "longitude", 180);

    CPosition from;
    from.SetLatitude(lat1);
    from.SetLongitude(lon1);
    const std::int32_t mode = rhumb ? CPosition::kRhumbLine : CPosition::kGreatCircle;
    CJsonWriter json;
    json.BeginObject();
    json.Double("distance", from.DistanceTo(lat2, lon2, mode));
    json.Double("course", from.CourseTo(lat2, lon2, mode));
    json.EndObject();
    out << json.Text();
    return kExitOk;
}

// Splits arguments into options with a value (--name value) and plain values.
struct Arguments {
    std::vector<std::string> values;
    std::vector<std::pair<std::string, std::string>> options;
    std::optional<std::string> Option(const std::string& name) const {
        for (const auto& [n, v] : options)
            if (n == name) return v;
        return std::nullopt;
    }
};

Arguments SplitArguments(const std::vector<std::string>& args, const std::vector<std::string>& known) {
    Arguments a;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() > 2 && arg.rfind("--", 0) == 0) {
            if (std::find(known.begin(), known.end(), arg) == known.end())
                throw CommandError{kExitUsage, "unknown option " + arg};
            if (i + 1 >= args.size()) throw CommandError{kExitUsage, arg + " needs a value"};
            a.options.emplace_back(arg, args[++i]);
        } else {
            a.values.push_back(arg);
        }
    }
    return a;
}

int Dump(const std::vector<std::string>& args, std::ostream& out) {
    const Arguments a = SplitArguments(args, {"--type"});
    if (a.values.size() != 1)
        throw CommandError{kExitUsage, "usage: keelmark dump FILE [--type " + RecordTypeNames() + "]"};
    std::string type;
    if (const auto given = a.Option("--type")) {
        type = *given;
    } else if (const RecordType* implied = RecordTypeOfPath(a.values[0])) {
        type = implied->name;
    } else {
        throw CommandError{kExitUsage, "cannot tell the type of \"" + a.values[0] + "\": give --type"};
    }
    DumpRecordFile(a.values[0], type, out);
    return kExitOk;
}

int Load(const std::vector<std::string>& args) {
    const char* usage = "usage: keelmark load --type TYPE JSON_FILE OUT_FILE";
    const Arguments a = SplitArguments(args, {"--type"});
    const auto type = a.Option("--type");
    if (!type || a.values.size() != 2) throw CommandError{kExitUsage, usage};
    if (!FindRecordType(*type)) throw CommandError{kExitUsage, "unknown type \"" + *type + "\""};
    std::string text, error;
    if (a.values[0] == "-") {
        // Bounded like a file, and no further than a NUL byte, so that `load - < /dev/zero` ends.
        char buf[65536];
        while (std::cin.read(buf, sizeof buf) || std::cin.gcount() > 0) {
            const auto n = static_cast<std::size_t>(std::cin.gcount());
            if (const void* nul = std::memchr(buf, 0, n))
                throw CommandError{kExitFailed,
                                   "invalid JSON: a NUL byte at byte " +
                                       std::to_string(text.size() + (static_cast<const char*>(nul) - buf))};
            text.append(buf, n);
            if (text.size() > static_cast<std::size_t>(kMaxReadBytes))
                throw CommandError{kExitFailed, "standard input holds more than any of the program's files"};
        }
    } else if (!ReadWholeFile(a.values[0], text, error)) {
        throw CommandError{kExitFailed, error};
    }
    LoadRecordJson(text, *type, a.values[1]);
    return kExitOk;
}

int Status(const std::vector<std::string>& args, std::ostream& out, bool obs = false) {
    const char* usage = obs ? "usage: keelmark obs VOYAGE_FILE [--vessel FILE] [--at TIME]"
                            : "usage: keelmark status VOYAGE_FILE [--at TIME] [--vessel FILE]";
    const Arguments a = SplitArguments(args, {"--at", "--vessel"});
    if (a.values.size() != 1) throw CommandError{kExitUsage, usage};
    std::optional<CTime> at;
    if (const auto text = a.Option("--at")) {
        CTime t;
        if (!CTime::ParseIso(*text, t))
            throw CommandError{kExitUsage, "--at \"" + *text + "\" is not a time of the form YYYY-MM-DDTHH:MM:SSZ"};
        at = t;
    }
    const std::string vessel = a.Option("--vessel").value_or("");
    out << (obs ? VoyageObsMessage(a.values[0], at, vessel) : VoyageStatus(a.values[0], at, vessel));
    return kExitOk;
}

} // namespace

namespace {

// A script goes by the status: output that never reached its place is a failure.
int OutputFailed(std::ostream& err, const std::string& fault) {
    err << "keelmark: cannot write to standard output: " << fault << "\n";
    return kExitFailed;
}

int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << "keelmark: no command given (keelmark --help lists the commands)\n";
        return kExitUsage;
    }
    const std::string& command = args.front();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    try {
        if (command == "--help" || command == "-h" || command == "help") {
            out << Usage();
            return kExitOk;
        }
        if (command == "sail") return Sail(rest, out);
        if (command == "dump") return Dump(rest, out);
        if (command == "load") return Load(rest);
        if (command == "status") return Status(rest, out);
        if (command == "obs") return Status(rest, out, true);
        if (command == "almanac") return AlmanacCommand(rest, out);
        if (command == "sight") return SightCommand(rest, out);
        if (command == "times") return TimesCommand(rest, out);
        if (command == "almanac-build") return AlmanacBuildCommand(rest);
        if (command == "gpx-import") return GpxImportCommand(rest, out);
        if (command == "gpx-export") return GpxExportCommand(rest, out);
        err << "keelmark: unknown command \"" << command << "\" (keelmark --help lists the commands)\n";
        return kExitUsage;
    } catch (const CommandError& e) {
        err << "keelmark: " << EscapeControls(e.message) << "\n";
        return e.status;
    } catch (const CJsonOutputError& e) {
        return OutputFailed(err, e.what());
    } catch (const std::exception& e) {
        err << "keelmark: " << EscapeControls(e.what()) << "\n";
        return kExitFailed;
    }
}

} // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const int status = RunCommand(args, out, err);
    if (status != kExitOk) return status;
    errno = 0;
    out.flush();
    return out ? status : OutputFailed(err, errno ? std::strerror(errno) : "the output refused the data");
}
