#include "platform/plain_settings_store.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string_view>
#include <vector>

#include "core/file_io.h"
#include "core/text_encoding.h"

std::string CMemorySettingsStore::GetString(const std::string& section, const std::string& key,
                                            const std::string& defaultValue) const {
    auto s = m_values.find(section);
    if (s == m_values.end()) return defaultValue;
    auto k = s->second.find(key);
    return k == s->second.end() ? defaultValue : k->second;
}

int CMemorySettingsStore::GetInt(const std::string& section, const std::string& key, int defaultValue) const {
    auto s = m_values.find(section);
    if (s == m_values.end()) return defaultValue;
    auto k = s->second.find(key);
    if (k == s->second.end()) return defaultValue;
    // Like the Qt store: a value that is not a whole number reads as 0.
    const std::string& text = k->second;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || v < INT32_MIN || v > INT32_MAX) return 0;
    return static_cast<int>(v);
}

bool CMemorySettingsStore::Contains(const std::string& section, const std::string& key) const {
    auto s = m_values.find(section);
    return s != m_values.end() && s->second.count(key) != 0;
}

bool CMemorySettingsStore::SetString(const std::string& section, const std::string& key, const std::string& value) {
    m_values[section][key] = value;
    return true;
}

bool CMemorySettingsStore::SetInt(const std::string& section, const std::string& key, int value) {
    m_values[section][key] = std::to_string(value);
    return true;
}

CIniSettingsStore::CIniSettingsStore(std::string path) : m_path(std::move(path)) {}

std::string CIniSettingsStore::DefaultPath() {
    std::string base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::string(home) + "/.config";
    else
        base = ".";
    return base + "/Tessmoor Works/Keelmark Lite.conf";
}

// The escaping follows the Qt settings class's INI reader and writer to the
// character, so that the desktop program and the command-line tool read back
// exactly what the other wrote.

namespace {

bool IsAsciiAlnum(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// UTF-8 to UTF-16 code units, as Qt holds the key; a malformed byte becomes U+FFFD.
std::vector<char16_t> Utf16Units(const std::string& text) {
    std::vector<char16_t> units;
    for (std::size_t i = 0; i < text.size();) {
        char32_t code = 0;
        if (!NextUtf8(text, i, code)) code = 0xFFFD;
        if (code >= 0x10000) {
            units.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(code));
        }
    }
    return units;
}

std::string Utf8FromUnits(const std::vector<char16_t>& units) {
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

// The text a value stands for once its escapes are undone: "@@x" is "x" with
// its leading "@", other "@Type(...)" forms are typed values of which only the
// string ones matter here.
std::string UntypedValue(const std::string& text) {
    if (!text.empty() && text.front() == '@') {
        if (text.back() == ')') {
            if (text.rfind("@String(", 0) == 0) return text.substr(8, text.size() - 9);
            if (text.rfind("@ByteArray(", 0) == 0) return text.substr(11, text.size() - 12);
        }
        if (text == "@Invalid()") return {};
        if (text.rfind("@@", 0) == 0) return text.substr(1);
    }
    return text;
}

} // namespace

std::string CIniSettingsStore::EscapeKey(const std::string& key) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (char16_t unit : Utf16Units(key)) {
        if (unit == '/') {
            out += '\\'; // a "/" separates groups; the file writes it as "\"
        } else if (unit < 0x80 &&
                   (IsAsciiAlnum(static_cast<unsigned char>(unit)) || unit == '_' || unit == '-' || unit == '.')) {
            out += static_cast<char>(unit);
        } else if (unit <= 0xFF) {
            out += '%';
            out += hex[unit >> 4];
            out += hex[unit & 15];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += hex[(unit >> shift) & 15];
        }
    }
    return out;
}

std::string CIniSettingsStore::UnescapeKey(const std::string& key) {
    const std::vector<char16_t> in = Utf16Units(key);
    std::vector<char16_t> units;
    for (std::size_t i = 0; i < in.size();) {
        if (in[i] == '\\') {
            units.push_back('/');
            ++i;
            continue;
        }
        if (in[i] != '%' || i + 1 == in.size()) {
            units.push_back(in[i++]);
            continue;
        }
        const bool wide = in[i + 1] == 'U';
        const std::size_t first = i + (wide ? 2 : 1);
        const std::size_t digits = wide ? 4 : 2;
        char16_t code = 0;
        bool ok = first + digits <= in.size();
        for (std::size_t k = 0; ok && k < digits; ++k) {
            const int d = in[first + k] < 0x80 ? HexDigitValue(static_cast<char>(in[first + k])) : -1;
            if (d < 0)
                ok = false;
            else
                code = static_cast<char16_t>(code * 16 + d);
        }
        if (!ok) {
            units.push_back('%'); // not an escape: the "%" stands for itself
            ++i;
            continue;
        }
        units.push_back(code);
        i = first + digits;
    }
    return Utf8FromUnits(units);
}

std::string CIniSettingsStore::EscapeValue(const std::string& value) {
    std::string text;
    if (value.find('\0') != std::string::npos)
        text = "@String(" + value + ")";
    else if (!value.empty() && value.front() == '@')
        text = "@" + value; // "@" starts a typed value in this layout
    else
        text = value;

    static const char* hex = "0123456789abcdef";
    std::string out;
    bool needsQuotes = false;
    // After "\x1" or "\0" a following hex digit would be read as part of the escape.
    bool escapeNextIfHexDigit = false;
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == ';' || c == ',' || c == '=') needsQuotes = true;
        if (escapeNextIfHexDigit && HexDigitValue(c) >= 0) {
            out += "\\x";
            out += hex[u >> 4];
            out += hex[u & 15];
            continue;
        }
        escapeNextIfHexDigit = false;
        switch (c) {
        case '\0':
            out += "\\0";
            escapeNextIfHexDigit = true;
            break;
        case '\a':
            out += "\\a";
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
        case '\v':
            out += "\\v";
            break;
        case '"':
        case '\\':
            out += '\\';
            out += c;
            break;
        default:
            if (u <= 0x1F) {
                out += "\\x";
                if (u >= 16) out += hex[u >> 4];
                out += hex[u & 15];
                escapeNextIfHexDigit = true;
            } else {
                out += c; // UTF-8 bytes go out as they are
            }
            break;
        }
    }
    if (needsQuotes || (!out.empty() && (out.front() == ' ' || out.back() == ' '))) out = "\"" + out + "\"";
    return out;
}

std::string CIniSettingsStore::UnescapeValue(const std::string& raw) {
    // An unquoted ";" starts a comment that runs to the end of the line.
    std::size_t length = raw.size();
    {
        bool inQuotes = false;
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] == '\\') {
                ++i;
            } else if (raw[i] == '"') {
                inQuotes = !inQuotes;
            } else if (raw[i] == ';' && !inQuotes) {
                length = i;
                break;
            }
        }
    }
    std::string_view text(raw.data(), length);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.remove_suffix(1);

    // Unquoted commas make a list; its items read back joined by ", ".
    std::vector<std::string> items;
    std::string current;
    bool isList = false;
    bool inQuotes = false;
    bool currentQuoted = false;
    std::size_t chopLimit = 0; // trailing blanks before this point are part of the value
    bool chopAtEnd = true;
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        chopLimit = current.size();
    };
    const auto chopTrailingBlanks = [&] {
        while (current.size() > chopLimit && (current.back() == ' ' || current.back() == '\t'))
            current.pop_back();
    };
    skipBlanks();
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\\') {
            if (++i >= text.size()) {
                chopAtEnd = false;
                break;
            }
            const char e = text[i++];
            static const char kEscapes[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                               {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                               {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
            bool done = false;
            for (const auto& escape : kEscapes) {
                if (e == escape[0]) {
                    current += escape[1];
                    done = true;
                    break;
                }
            }
            if (!done && (e == 'x' || (e >= '0' && e <= '7'))) {
                const bool isHex = e == 'x';
                if (isHex && (i >= text.size() || HexDigitValue(text[i]) < 0)) {
                    // "\x" without digits stands for nothing
                    if (i >= text.size()) {
                        chopAtEnd = false;
                        break;
                    }
                } else {
                    char16_t code = isHex ? 0 : static_cast<char16_t>(e - '0');
                    while (i < text.size()) {
                        const int d =
                            isHex ? HexDigitValue(text[i]) : (text[i] >= '0' && text[i] <= '7' ? text[i] - '0' : -1);
                        if (d < 0) break;
                        code = static_cast<char16_t>(code * (isHex ? 16 : 8) + d);
                        ++i;
                    }
                    AppendUtf8(current, code);
                    if (i >= text.size()) {
                        chopAtEnd = false;
                        break;
                    }
                }
            }
            // Any other escaped character is dropped.
            chopLimit = current.size();
            continue;
        }
        if (c == '"') {
            ++i;
            currentQuoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) skipBlanks();
            continue;
        }
        if (c == ',' && !inQuotes) {
            if (!currentQuoted) chopTrailingBlanks();
            isList = true;
            items.push_back(UntypedValue(current));
            current.clear();
            currentQuoted = false;
            ++i;
            skipBlanks();
            continue;
        }
        current += c;
        ++i;
    }
    if (chopAtEnd && !currentQuoted) chopTrailingBlanks();
    if (!isList) return UntypedValue(current);
    items.push_back(UntypedValue(current));
    std::string joined;
    for (std::size_t k = 0; k < items.size(); ++k)
        joined += (k ? ", " : "") + items[k];
    return joined;
}

bool CIniSettingsStore::Load() {
    m_error.clear();
    std::string bytes;
    std::string error;
    if (!std::filesystem::exists(m_path)) {
        m_values.clear();
        return true;
    }
    if (!ReadWholeFile(m_path, bytes, error)) {
        m_error = error;
        return false;
    }
    std::map<std::string, std::map<std::string, std::string>> values;
    std::istringstream in(bytes);
    std::string line;
    std::string section = "General";
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == ';' || line[first] == '#') continue;
        if (line[first] == '[') {
            const std::size_t close = line.find(']', first);
            section =
                UnescapeKey(line.substr(first + 1, (close == std::string::npos ? line.size() : close) - first - 1));
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key = line.substr(first, eq - first);
        while (!key.empty() && (key.back() == ' ' || key.back() == '\t'))
            key.pop_back();
        values[section][UnescapeKey(key)] = UnescapeValue(line.substr(eq + 1));
    }
    m_values.swap(values);
    return true;
}

bool CIniSettingsStore::Save() {
    std::string text;
    for (const auto& [section, keys] : m_values) {
        if (!text.empty()) text += "\n";
        text += "[" + EscapeKey(section) + "]\n";
        for (const auto& [key, value] : keys)
            text += EscapeKey(key) + "=" + EscapeValue(value) + "\n";
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(m_path).parent_path(), ec);
    std::string error;
    if (!WriteFileAtomic(m_path, text, error)) {
        m_error = error;
        return false;
    }
    return true;
}

bool CIniSettingsStore::SetString(const std::string& section, const std::string& key, const std::string& value) {
    // Re-read first so that values written meanwhile by the desktop program survive.
    Load();
    CMemorySettingsStore::SetString(section, key, value);
    return Save();
}

bool CIniSettingsStore::SetInt(const std::string& section, const std::string& key, int value) {
    Load();
    CMemorySettingsStore::SetInt(section, key, value);
    return Save();
}
