#include "plot/coastline.h"

#include <charconv>
#include <cmath>

#include "core/file_io.h"

namespace {

// Skips blanks, then reads one number; false when there is none.
bool ReadNumber(std::string_view& rest, double& value) {
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
        rest.remove_prefix(1);
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (ec != std::errc() || !std::isfinite(value)) return false;
    rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
    return true;
}

bool OnlyBlanks(std::string_view s) { return s.find_first_not_of(" \t\r") == std::string_view::npos; }

} // namespace

bool CCoastline::Load(const std::string& path, std::string& error) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, error)) return false;
    return Parse(bytes, path, error);
}

bool CCoastline::Parse(std::string_view text, const std::string& name, std::string& error) {
    CCoastline loaded;
    std::size_t lineNumber = 0;
    auto fail = [&](const char* why) {
        error = "The shoreline file \"" + name + "\" is damaged: line " + std::to_string(lineNumber) + " " + why + ".";
        return false;
    };
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        if (OnlyBlanks(line) || line.front() == '#') continue;
        if (line.front() == '>') {
            loaded.m_segments.push_back({static_cast<std::uint32_t>(loaded.m_x.size()), 0, {}});
            continue;
        }
        if (loaded.m_segments.empty()) return fail("holds a point before the first '>'");
        double longitude = 0, latitude = 0;
        if (!ReadNumber(line, longitude) || !ReadNumber(line, latitude) || !OnlyBlanks(line))
            return fail("is not \"longitude latitude\"");
        if (std::fabs(longitude) > 360 || std::fabs(latitude) > 90) return fail("holds a point off the earth");
        if (loaded.m_x.size() >= UINT32_MAX) return fail("goes beyond the points a shoreline may hold");
        const CMapPoint p = Project({latitude, longitude});
        loaded.m_x.push_back(static_cast<float>(p.x));
        loaded.m_y.push_back(static_cast<float>(p.y));
        Segment& s = loaded.m_segments.back();
        ++s.count;
        s.bounds.Include(p);
    }
    std::erase_if(loaded.m_segments, [](const Segment& s) { return s.count < 2; });
    *this = std::move(loaded);
    return true;
}
