#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plot/projection.h"

// Ocean shorelines as open polylines, read from a text file: '#' lines are
// comments, '>' starts a segment, every other line is "longitude latitude" in
// degrees. Points are kept projected (chart x and y, as floats), with each
// segment's bounds, so that a redraw only projects what the window shows.
class CCoastline {
public:
    struct Segment {
        std::uint32_t first = 0; // index of its first point
        std::uint32_t count = 0;
        CMapRect bounds;
    };

    // Reads the file whole or not at all: on failure the shoreline is as it was
    // and the message names the file, the line and the fault.
    bool Load(const std::string& path, std::string& error);
    // The same from the text of a file; `name` is what the message calls it.
    bool Parse(std::string_view text, const std::string& name, std::string& error);

    const std::vector<Segment>& Segments() const { return m_segments; }
    const std::vector<float>& X() const { return m_x; }
    const std::vector<float>& Y() const { return m_y; }
    std::size_t PointCount() const { return m_x.size(); }

private:
    std::vector<Segment> m_segments;
    std::vector<float> m_x;
    std::vector<float> m_y;
};
