#include "cli/json_writer.h"

#include <bit>
#include <cerrno>
#include <charconv>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ostream>

std::string CJsonWriter::DoubleText(double value) {
    if (std::isnan(value)) {
        // A NaN other than the default quiet one keeps its bits, so that load restores them.
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
        if (bits == kDefaultNaNBits) return "\"NaN\"";
        char text[32];
        std::snprintf(text, sizeof text, "\"NaN:0x%016" PRIx64 "\"", bits);
        return text;
    }
    if (std::isinf(value)) return value > 0 ? "\"Infinity\"" : "\"-Infinity\"";
    // "-0" would read back as the integer 0 and lose the sign.
    if (value == 0.0 && std::signbit(value)) return "-0.0";
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, result.ptr);
}

std::string CJsonWriter::Quote(const std::string& utf8) {
    static const char* hex = "0123456789abcdef";
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

void CJsonWriter::Stream() {
    errno = 0;
    m_sink->write(m_text.data(), static_cast<std::streamsize>(m_text.size()));
    m_text.clear();
    // Going on would only build the rest of a document nobody gets.
    if (!*m_sink) throw CJsonOutputError(errno ? std::strerror(errno) : "the output refused the data");
}

void CJsonWriter::MaybeFlush() {
    if (m_sink && m_text.size() >= (1u << 16)) Stream();
}

void CJsonWriter::Finish() {
    m_text += "\n";
    if (m_sink) Stream();
}

void CJsonWriter::Prefix(const char* key) {
    MaybeFlush();
    if (!m_levels.empty()) {
        Level& level = m_levels.back();
        if (!level.empty) m_text += ",";
        level.empty = false;
        m_text += "\n";
        m_text.append(2 * m_levels.size(), ' ');
        if (!level.array) m_text += Quote(key ? key : "") + ": ";
    }
}

void CJsonWriter::BeginObject(const char* key) {
    Prefix(key);
    m_text += "{";
    m_levels.push_back({false, true});
}

void CJsonWriter::BeginArray(const char* key) {
    Prefix(key);
    m_text += "[";
    m_levels.push_back({true, true});
}

void CJsonWriter::EndObject() {
    const bool empty = m_levels.back().empty;
    m_levels.pop_back();
    if (!empty) {
        m_text += "\n";
        m_text.append(2 * m_levels.size(), ' ');
    }
    m_text += "}";
}

void CJsonWriter::EndArray() {
    const bool empty = m_levels.back().empty;
    m_levels.pop_back();
    if (!empty) {
        m_text += "\n";
        m_text.append(2 * m_levels.size(), ' ');
    }
    m_text += "]";
}

void CJsonWriter::Double(const char* key, double value) {
    Prefix(key);
    m_text += DoubleText(value);
}

void CJsonWriter::Integer(const char* key, std::int64_t value) {
    Prefix(key);
    m_text += std::to_string(value);
}

void CJsonWriter::String(const char* key, const std::string& value) {
    Prefix(key);
    m_text += Quote(value);
}

void CJsonWriter::Bool(const char* key, bool value) {
    Prefix(key);
    m_text += value ? "true" : "false";
}

void CJsonWriter::Null(const char* key) {
    Prefix(key);
    m_text += "null";
}
