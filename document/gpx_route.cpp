#include "document/gpx_route.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <functional>
#include <utility>

#include <pugixml.hpp>

#include "core/file_io.h"
#include "core/position.h"
#include "core/text_encoding.h"
#include "core/voyage.h"

namespace {

// A message failing the read; carried out of the walk by exception so that the
// checks read top-down. Never leaves this file.
struct CGpxFault {
    std::string message;
};

std::string_view LocalName(const pugi::xml_node& node) {
    const std::string_view name = node.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::string_view PrefixOf(const pugi::xml_node& node) {
    const std::string_view name = node.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? std::string_view() : name.substr(0, colon);
}

// The namespace of an element, from the nearest declaration of its prefix.
std::string NamespaceOf(const pugi::xml_node& node) {
    const std::string_view prefix = PrefixOf(node);
    const std::string attribute = prefix.empty() ? "xmlns" : "xmlns:" + std::string(prefix);
    for (pugi::xml_node n = node; n; n = n.parent())
        if (const pugi::xml_attribute a = n.attribute(attribute.c_str())) return a.value();
    return {};
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string Trimmed(std::string_view text) {
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && space(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

// A name for the voyage: one line, trimmed; line breaks and tabs become blanks.
std::string OneLine(std::string_view text) {
    std::string line = Trimmed(text);
    for (char& c : line)
        if (c == '\n' || c == '\r' || c == '\t') c = ' ';
    return line;
}

// Text of a child element found by its local name (GPX files sometimes carry a prefix).
pugi::xml_node Child(const pugi::xml_node& node, std::string_view local) {
    for (pugi::xml_node c : node.children())
        if (c.type() == pugi::node_element && LocalName(c) == local) return c;
    return {};
}

class CLineIndex {
public:
    explicit CLineIndex(const std::string& text) {
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] == '\n') m_breaks.push_back(i);
    }
    int LineOf(std::ptrdiff_t offset) const {
        if (offset < 0) return 0;
        return static_cast<int>(std::lower_bound(m_breaks.begin(), m_breaks.end(), static_cast<std::size_t>(offset)) -
                                m_breaks.begin()) +
               1;
    }

private:
    std::vector<std::size_t> m_breaks;
};

// Whether the point's extensions make its leg a rhumb line. The last word met wins.
bool IsRhumbLine(const pugi::xml_node& point) {
    bool rhumb = false;
    const auto geometry = [&rhumb](std::string_view value) {
        const std::string v = Trimmed(value);
        if (EqualsNoCase(v, "Loxodrome")) rhumb = true;
        if (EqualsNoCase(v, "Orthodrome")) rhumb = false;
    };
    const auto look = [&](const pugi::xml_node& e) {
        if (LocalName(e) == "geometryType") geometry(e.text().get());
        for (pugi::xml_attribute a : e.attributes()) {
            const std::string_view name = a.name();
            if (name == "geometryType" || name.ends_with(":geometryType")) geometry(a.value());
        }
    };
    // Iterative: extensions nested thousands deep must not run the stack out.
    struct CWalker : pugi::xml_tree_walker {
        std::function<void(const pugi::xml_node&)> look;
        bool for_each(pugi::xml_node& node) override {
            if (node.type() == pugi::node_element) look(node);
            return true;
        }
    } walker;
    walker.look = look;
    for (pugi::xml_node ext : point.children()) {
        if (ext.type() != pugi::node_element || LocalName(ext) != "extensions") continue;
        for (pugi::xml_node e : ext.children()) {
            if (e.type() != pugi::node_element || LocalName(e) != "leg" || NamespaceOf(e) != kKeelmarkGpxNamespace)
                continue;
            const std::string v = Trimmed(e.text().get());
            if (EqualsNoCase(v, "rhumb")) rhumb = true;
            if (EqualsNoCase(v, "great") || EqualsNoCase(v, "greatcircle")) rhumb = false;
        }
        ext.traverse(walker);
    }
    return rhumb;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Shortest text that reads back to the same double, never with an exponent (GPX
// coordinates are xsd:decimal). A tiny value such as 1e-300 takes some 300 digits.
std::string NumberText(double value) {
    char buffer[512];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

class CGpxReader {
public:
    CGpxReader(const std::string& text, const std::string& source) : m_text(text), m_source(source), m_lines(text) {}

    CGpxFile Read() {
        pugi::xml_document doc;
        const pugi::xml_parse_result parsed =
            doc.load_buffer(m_text.data(), m_text.size(), pugi::parse_default, pugi::encoding_auto);
        if (parsed.status == pugi::status_no_document_element)
            throw CGpxFault{Quoted(m_source) + " is not XML: line 1: it holds no element"};
        if (!parsed)
            throw CGpxFault{Quoted(m_source) + " is not XML: line " + std::to_string(m_lines.LineOf(parsed.offset)) +
                            ": " + parsed.description()};
        const pugi::xml_node root = doc.document_element();
        if (LocalName(root) != "gpx")
            throw CGpxFault{Quoted(m_source) + " is not a GPX file: line " + std::to_string(Line(root)) +
                            ": the document is <" + root.name() + ">, not <gpx>"};

        CGpxFile file;
        for (pugi::xml_node rte : root.children()) {
            if (rte.type() != pugi::node_element || LocalName(rte) != "rte") continue;
            CGpxRoute route;
            route.name = OneLine(Child(rte, "name").text().get());
            route.line = Line(rte);
            for (pugi::xml_node p : rte.children())
                if (p.type() == pugi::node_element && LocalName(p) == "rtept") route.points.push_back(Point(p));
            file.routes.push_back(std::move(route));
        }
        if (file.routes.empty())
            throw CGpxFault{Quoted(m_source) + " holds no route: a route is an <rte> element with <rtept> points"};
        return file;
    }

private:
    int Line(const pugi::xml_node& node) const { return m_lines.LineOf(node.offset_debug()); }

    CGpxPoint Point(const pugi::xml_node& node) {
        CGpxPoint point;
        point.line = Line(node);
        point.fileName = OneLine(Child(node, "name").text().get());
        point.name = Cp1252ToUtf8(Utf8ToCp1252(point.fileName));
        point.latitude = Coordinate(node, point, "lat", "latitude", 90.0);
        point.longitude = Coordinate(node, point, "lon", "longitude", 180.0);
        point.rhumbLine = IsRhumbLine(node);
        return point;
    }

    double Coordinate(const pugi::xml_node& node, const CGpxPoint& point, const char* attribute, const char* what,
                      double limit) const {
        std::string where = Quoted(m_source) + ", line " + std::to_string(point.line) + ": route point";
        if (!point.fileName.empty()) where.append(" ").append(Quoted(point.fileName));
        const pugi::xml_attribute a = node.attribute(attribute);
        if (!a) throw CGpxFault{where + " has no " + what + " (attribute " + attribute + ")"};
        const std::string text = Trimmed(a.value());
        double value = 0.0;
        const char* first = text.data();
        const char* last = text.data() + text.size();
        if (first != last && *first == '+') ++first;
        const auto result = std::from_chars(first, last, value);
        if (text.empty() || result.ec != std::errc() || result.ptr != last || !std::isfinite(value))
            throw CGpxFault{where + " has the " + what + " " + Quoted(a.value()) + ", which is not a number"};
        if (value < -limit || value > limit)
            throw CGpxFault{where + " has the " + what + " " + text + ", outside -" + NumberText(limit) + " to " +
                            NumberText(limit)};
        return value;
    }

    const std::string& m_text;
    const std::string& m_source;
    CLineIndex m_lines;
};

// XML 1.0 cannot carry most control characters, not even escaped: they become blanks.
std::string XmlSafe(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t code = 0;
        if (!NextUtf8(utf8, i, code)) code = 0xFFFD;
        if (code < 0x20 && code != '\t' && code != '\n' && code != '\r') code = ' ';
        AppendUtf8(out, code);
    }
    return out;
}

void AddPoint(pugi::xml_node parent, const char* element, const CPosition& p, bool withTime) {
    pugi::xml_node node = parent.append_child(element);
    node.append_attribute("lat").set_value(NumberText(p.GetLatitude()).c_str());
    node.append_attribute("lon").set_value(NumberText(p.GetLongitude()).c_str());
    if (withTime) node.append_child("time").text().set(p.GetTime().IsoText().c_str());
    node.append_child("name").text().set(XmlSafe(p.GetName()).c_str());
}

struct CStringWriter : pugi::xml_writer {
    std::string text;
    void write(const void* data, std::size_t size) override { text.append(static_cast<const char*>(data), size); }
};

} // namespace

bool ParseGpx(const std::string& text, const std::string& source, CGpxFile& out, std::string& error) {
    try {
        out = CGpxReader(text, source).Read();
        return true;
    } catch (const CGpxFault& fault) {
        error = fault.message;
        return false;
    }
}

bool ReadGpxFile(const std::string& path, CGpxFile& out, std::string& error) {
    std::string text;
    if (!ReadWholeFile(path, text, error)) return false;
    return ParseGpx(text, NormalizePath(path), out, error);
}

std::string GpxRouteTitle(const CGpxFile& file, std::size_t index) {
    const CGpxRoute& route = file.routes.at(index);
    const std::size_t n = route.points.size();
    return (route.name.empty() ? "Route " + std::to_string(index + 1) : route.name) + " (" + std::to_string(n) +
           (n == 1 ? " point)" : " points)");
}

int FindGpxRoute(const CGpxFile& file, const std::string& name) {
    for (std::size_t i = 0; i < file.routes.size(); ++i)
        if (file.routes[i].name == name) return static_cast<int>(i);
    return -1;
}

bool InGpxRoute(const CVoyage& voyage, int index) {
    return index == 0 || index == voyage.GetCount() - 1 || voyage.GetAt(index)->GetKind() != CPosition::kFix;
}

// GPX holds coordinates on the globe only; a point off it is refused by name.
bool Placeable(const CPosition& p, std::string& error) {
    const auto fits = [](double value, double limit) { return std::isfinite(value) && std::fabs(value) <= limit; };
    if (fits(p.GetLatitude(), 90.0) && fits(p.GetLongitude(), 180.0)) return true;
    const auto shortest = [](double value) {
        char buffer[32];
        return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
    };
    error = "The position \"" + OneLine(p.GetName()) + "\" is not on the globe (latitude " + shortest(p.GetLatitude()) +
            ", longitude " + shortest(p.GetLongitude()) + "): GPX cannot hold it";
    return false;
}

bool GpxText(const CVoyage& voyage, const CPosition& popular, std::string& text, std::string& error) {
    if (!Placeable(popular, error)) return false;
    for (int i = 0; i < voyage.GetCount(); ++i)
        if (!Placeable(*voyage.GetAt(i), error)) return false;
    pugi::xml_document doc;
    pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("UTF-8");
    pugi::xml_node gpx = doc.append_child("gpx");
    gpx.append_attribute("version").set_value("1.1");
    gpx.append_attribute("creator").set_value("Keelmark Lite");
    gpx.append_attribute("xmlns").set_value(kGpxNamespace);
    gpx.append_attribute("xmlns:xsi").set_value("http://www.w3.org/2001/XMLSchema-instance");
    gpx.append_attribute("xmlns:keelmark").set_value(kKeelmarkGpxNamespace);
    gpx.append_attribute("xsi:schemaLocation")
        .set_value("http://www.topografix.com/GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd");

    AddPoint(gpx, "wpt", popular, false);

    const int count = voyage.GetCount();
    pugi::xml_node rte = gpx.append_child("rte");
    const std::string title = voyage.GetDescription().empty()
                                  ? voyage.GetFirst()->GetName() + " - " + voyage.GetLast()->GetName()
                                  : voyage.GetDescription();
    rte.append_child("name").text().set(XmlSafe(title).c_str());
    for (int i = 0; i < count; ++i) {
        if (!InGpxRoute(voyage, i)) continue;
        const CPosition& p = *voyage.GetAt(i);
        AddPoint(rte, "rtept", p, false);
        if (p.GetProceedVia() == CPosition::kRhumbLine)
            rte.last_child().append_child("extensions").append_child("keelmark:leg").text().set("rhumb");
    }

    pugi::xml_node segment;
    for (int i = 0; i < count; ++i) {
        const CPosition& p = *voyage.GetAt(i);
        if (p.GetKind() != CPosition::kFix) continue;
        if (!segment) {
            pugi::xml_node trk = gpx.append_child("trk");
            trk.append_child("name").text().set("Position fixes");
            segment = trk.append_child("trkseg");
        }
        AddPoint(segment, "trkpt", p, true);
    }

    CStringWriter writer;
    doc.save(writer, "  ", pugi::format_default, pugi::encoding_utf8);
    text = std::move(writer.text);
    return true;
}

bool WriteGpxFile(const std::string& path, const CVoyage& voyage, const CPosition& popular, std::string& error) {
    std::string text;
    return GpxText(voyage, popular, text, error) && WriteFileAtomic(path, text, error);
}
