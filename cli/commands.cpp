#include "cli/commands.h"

#include <charconv>
#include <cmath>
#include <ostream>

#include "cli/json_writer.h"
#include "core/position.h"

namespace {

const char* const kUsage =
    "usage: keelmark COMMAND [ARGS]\n"
    "commands:\n"
    "  sail LAT1 LON1 LAT2 LON2 [--rhumb]   distance and initial course between two points\n"
    "  dump, load, almanac, sight, times, status, almanac-build, gpx-import, gpx-export\n";

// A failure already explained to the user, with the exit status to give.
struct CommandError {
    int status;
    std::string message;
};

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
        if (a == "--rhumb") rhumb = true;
        else if (a.size() > 2 && a.rfind("--", 0) == 0) throw CommandError{kExitUsage, "sail: unknown option " + a};
        else numbers.push_back(a);
    }
    if (numbers.size() != 4)
        throw CommandError{kExitUsage, "usage: keelmark sail LAT1 LON1 LAT2 LON2 [--rhumb]"};
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

} // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << kUsage;
        return kExitUsage;
    }
    const std::string& command = args.front();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    try {
        if (command == "--help" || command == "-h" || command == "help") {
            out << kUsage;
            return kExitOk;
        }
        if (command == "sail") return Sail(rest, out);
        for (const char* later : {"dump", "load", "almanac", "sight", "times", "status", "almanac-build",
                                  "gpx-import", "gpx-export"}) {
            if (command == later) {
                err << "keelmark: " << command << ": not available yet\n";
                return kExitUsage;
            }
        }
        err << "keelmark: unknown command \"" << command << "\" (keelmark --help lists the commands)\n";
        return kExitUsage;
    } catch (const CommandError& e) {
        err << "keelmark: " << e.message << "\n";
        return e.status;
    } catch (const std::exception& e) {
        err << "keelmark: " << e.what() << "\n";
        return kExitFailed;
    }
}
