#include "cli/astro_commands.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <ostream>
#include <utility>

#include "astro/almanac.h"
#include "astro/almanac_builder.h"
#include "astro/local_times.h"
#include "astro/sight_reduction.h"
#include "cli/json_writer.h"
#include "cli/record_commands.h"
#include "core/position.h"
#include "core/record_file.h"
#include "platform/services.h"

#ifndef KEELMARK_SHIPPED_EPOCH
#define KEELMARK_SHIPPED_EPOCH 2027.0
#endif

namespace {

struct Options {
    std::vector<std::string> values;
    std::vector<std::pair<std::string, std::string>> given;
    std::optional<std::string> Get(const std::string& name) const {
        for (const auto& [n, v] : given)
            if (n == name) return v;
        return std::nullopt;
    }
};

Options Split(const std::vector<std::string>& args, const std::vector<std::string>& known, const char* usage) {
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() > 2 && arg.rfind("--", 0) == 0) {
            if (std::find(known.begin(), known.end(), arg) == known.end())
                throw CommandFailure{kExitUsage, "unknown option " + arg + " (" + usage + ")"};
            if (i + 1 >= args.size()) throw CommandFailure{kExitUsage, arg + " needs a value"};
            if (o.Get(arg)) throw CommandFailure{kExitUsage, arg + " is given twice"};
            o.given.emplace_back(arg, args[++i]);
        } else {
            o.values.push_back(arg);
        }
    }
    return o;
}

double Number(const std::string& option, const std::string& text) {
    double value = 0.0;
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    const auto r = std::from_chars(first, last, value);
    if (text.empty() || r.ec != std::errc() || r.ptr != last || !std::isfinite(value))
        throw CommandFailure{kExitUsage, option + " \"" + text + "\" is not a number"};
    return value;
}

double Ranged(const Options& o, const std::string& option, double low, double high, const char* usage) {
    const auto text = o.Get(option);
    if (!text) throw CommandFailure{kExitUsage, std::string(usage)};
    const double value = Number(option, *text);
    if (value < low || value > high) {
        char range[64];
        std::snprintf(range, sizeof range, " (%g to %g)", low, high);
        throw CommandFailure{kExitFailed, option + " " + *text + " is out of range" + range};
    }
    return value;
}

CTime Time(const std::string& option, const std::string& text) {
    CTime t;
    if (!CTime::ParseIso(text, t))
        throw CommandFailure{kExitUsage, option + " \"" + text + "\" is not a time of the form YYYY-MM-DDTHH:MM:SSZ"};
    return t;
}

// The almanac named by --file, or the one the program ships.
CAlmanac Almanac(const Options& o) {
    CAlmanac almanac;
    const auto path = o.Get("--file");
    if (!path) {
        BuildShippedAlmanac(almanac, ShippedAlmanacEpoch());
        return almanac;
    }
    std::string error;
    if (LoadRecordFile(*path, almanac, error) != LoadResult::Loaded) throw CommandFailure{kExitFailed, error};
    return almanac;
}

} // namespace

double ShippedAlmanacEpoch() { return KEELMARK_SHIPPED_EPOCH; }

int AlmanacCommand(const std::vector<std::string>& args, std::ostream& out) {
    const char* usage = "usage: keelmark almanac [--file ALMANAC] [--at TIME]";
    const Options o = Split(args, {"--file", "--at"}, usage);
    if (!o.values.empty()) throw CommandFailure{kExitUsage, usage};
    const CTime at = o.Get("--at") ? Time("--at", *o.Get("--at")) : services::Now();
    CAlmanac almanac = Almanac(o);
    CJsonWriter json;
    json.BeginArray();
    for (int i = 0; i < almanac.GetObjectCount(); ++i) {
        CAstroObject& object = *almanac.GetObject(i);
        object.UpdatePosition(at);
        json.BeginObject();
        json.String("name", object.GetName());
        json.Integer("kind", object.GetKind());
        json.Double("rightAscension", object.GetRightAscension());
        json.Double("declination", object.GetDeclination());
        json.Double("gha", object.GetGHA());
        json.EndObject();
    }
    json.EndArray();
    out << json.Text();
    return kExitOk;
}

int SightCommand(const std::vector<std::string>& args, std::ostream& out) {
    const char* usage = "usage: keelmark sight --object NAME --at TIME --lat LAT --lon LON --sextant DEGREES "
                        "[--eye METRES] [--file ALMANAC]";
    const Options o = Split(args, {"--object", "--at", "--lat", "--lon", "--sextant", "--eye", "--file"}, usage);
    const auto name = o.Get("--object");
    const auto atText = o.Get("--at");
    if (!o.values.empty() || !name || !atText) throw CommandFailure{kExitUsage, usage};
    const CTime at = Time("--at", *atText);
    CPosition assumed;
    assumed.SetLatitude(Ranged(o, "--lat", -90, 90, usage));
    assumed.SetLongitude(Ranged(o, "--lon", -180, 180, usage));
    assumed.SetTime(at);
    const double sextant = Ranged(o, "--sextant", 0, 90, usage);
    // A negative height of eye has no dip: refused rather than guessed.
    const double eye = o.Get("--eye") ? Ranged(o, "--eye", 0, 1000, usage) : 0.0;
    CAlmanac almanac = Almanac(o);
    const int index = almanac.FindObject(*name);
    if (index < 0) throw CommandFailure{kExitFailed, "the almanac holds no object named \"" + *name + "\""};
    const SightReduction r = ReduceSight(*almanac.GetObject(index), assumed, at, sextant, eye);
    CJsonWriter json;
    json.BeginObject();
    json.Double("hc", r.hc);
    json.Double("azimuth", r.azimuth);
    json.Double("ho", r.ho);
    json.Double("intercept", r.intercept);
    json.EndObject();
    out << json.Text();
    return kExitOk;
}

namespace {
void EventTime(CJsonWriter& json, const char* key, double hours) {
    // A Sun that never sets has no time to give: said in words, apart from the 99 of one that never rises.
    if (hours == kAstroAlwaysAbove)
        json.String(key, kAstroAlwaysAboveText);
    else
        json.Double(key, hours);
}
} // namespace

int TimesCommand(const std::vector<std::string>& args, std::ostream& out) {
    const char* usage = "usage: keelmark times --lat LAT --lon LON --at TIME";
    const Options o = Split(args, {"--lat", "--lon", "--at"}, usage);
    const auto atText = o.Get("--at");
    if (!o.values.empty() || !atText) throw CommandFailure{kExitUsage, usage};
    CPosition position;
    position.SetTime(Time("--at", *atText));
    position.SetLatitude(Ranged(o, "--lat", -90, 90, usage));
    position.SetLongitude(Ranged(o, "--lon", -180, 180, usage));
    const BodyTimes t = SunTimes(position);
    CJsonWriter json;
    json.BeginObject();
    EventTime(json, "twilightStart", t.twilightStart);
    EventTime(json, "rise", t.rise);
    json.Double("transit", t.transit);
    EventTime(json, "set", t.set);
    EventTime(json, "twilightEnd", t.twilightEnd);
    json.EndObject();
    out << json.Text();
    return kExitOk;
}

int AlmanacBuildCommand(const std::vector<std::string>& args) {
    const char* usage = "usage: keelmark almanac-build --epoch YEAR OUT_FILE";
    const Options o = Split(args, {"--epoch"}, usage);
    if (o.values.size() != 1 || !o.Get("--epoch")) throw CommandFailure{kExitUsage, usage};
    // The mean elements and the precession serve some centuries around 2000.
    const double epoch = Ranged(o, "--epoch", 1900, 2100, usage);
    CAlmanac almanac;
    BuildShippedAlmanac(almanac, epoch);
    std::string error;
    if (!SaveRecordFile(o.values[0], almanac, error)) throw CommandFailure{kExitFailed, error};
    return kExitOk;
}
