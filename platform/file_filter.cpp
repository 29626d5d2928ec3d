#include "platform/file_filter.h"

#include <vector>

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        const auto end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// "*.txt;*.log" -> "*.txt *.log"
std::string QtPatterns(const std::string& patterns) {
    std::string out;
    for (const std::string& part : Split(patterns, ';')) {
        std::string pattern = Trim(part);
        if (pattern.empty()) continue;
        if (pattern == "*.*") pattern.resize(1); // "*"
        if (!out.empty()) out += ' ';
        out += pattern;
    }
    return out.empty() ? "*" : out;
}

// The description without a trailing "(*.k7s)": the patterns are shown from the
// pattern half instead. A parenthesis that lists no wildcard is part of the name.
std::string Description(const std::string& text) {
    std::string description = Trim(text);
    if (!description.empty() && description.back() == ')') {
        const auto open = description.rfind('(');
        if (open != std::string::npos) {
            const std::string inside = description.substr(open + 1, description.size() - open - 2);
            if (inside.find_first_of("*?") != std::string::npos) description = Trim(description.substr(0, open));
        }
    }
    return description;
}

} // namespace

std::string ToQtFileFilter(const std::string& filter) {
    const std::vector<std::string> parts = Split(filter, '|');
    std::string out;
    // Pairs of description and patterns; the closing "||" leaves empty pieces behind.
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (Trim(parts[i]).empty() && Trim(parts[i + 1]).empty()) break;
        std::string description = Description(parts[i]);
        const std::string patterns = QtPatterns(parts[i + 1]);
        if (!out.empty()) out += ";;";
        out += description.empty() ? "(" + patterns + ")" : description + " (" + patterns + ")";
    }
    return out;
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
    std::string ext = extension;
    if (!ext.empty() && ext.front() == '.') ext.erase(0, 1);
    if (ext.empty() || path.empty()) return path;
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty()) return path; // a folder, not a file
    if (name.back() == '.') return path + ext;
    // A dot that starts the name marks a hidden file, not an extension.
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) return path;
    return path + "." + ext;
}
