#include "platform/plain_services.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "core/file_io.h"

// ---- clock ---------------------------------------------------------------

CTime CSystemClock::Now() const {
    using namespace std::chrono;
    return CTime(duration_cast<seconds>(system_clock::now().time_since_epoch()).count());
}

long CSystemClock::LocalOffsetSeconds(CTime at) const {
    tzset();
    const std::time_t t = static_cast<std::time_t>(at.GetTime());
    std::tm local{};
    if (!localtime_r(&t, &local)) return 0;
    return local.tm_gmtoff;
}

bool CSystemClock::IsDaylightSaving(CTime at) const {
    tzset();
    const std::time_t t = static_cast<std::time_t>(at.GetTime());
    std::tm local{};
    if (!localtime_r(&t, &local)) return false;
    return local.tm_isdst > 0;
}

// ---- settings in memory --------------------------------------------------

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

// ---- settings file -------------------------------------------------------

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

std::string CIniSettingsStore::EscapeKey(const std::string& key) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : key) {
        const bool plain = std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string CIniSettingsStore::UnescapeKey(const std::string& key) {
    std::string out;
    for (std::size_t i = 0; i < key.size(); ++i) {
        if (key[i] == '%' && i + 2 < key.size() + 0 && std::isxdigit(static_cast<unsigned char>(key[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(key[i + 2]))) {
            out += static_cast<char>(std::stoi(key.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += key[i];
        }
    }
    return out;
}

std::string CIniSettingsStore::EscapeValue(const std::string& value) {
    std::string out;
    bool quote = !value.empty() && (value.front() == ' ' || value.back() == ' ');
    for (char c : value)
        if (c == ';' || c == ',' || c == '=' || c == '"') quote = true;
    if (!value.empty() && value.front() == '@') out += '@'; // "@" starts a typed value in this layout
    for (char c : value) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\0': out += "\\0"; break;
        default: out += c; break;
        }
    }
    return quote ? "\"" + out + "\"" : out;
}

std::string CIniSettingsStore::UnescapeValue(const std::string& raw) {
    std::string value = raw;
    // Trim blanks around an unquoted value.
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\r')) value.pop_back();
    std::size_t start = value.find_first_not_of(" \t");
    value = start == std::string::npos ? std::string() : value.substr(start);
    std::string out;
    bool inQuotes = false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '"') {
            inQuotes = !inQuotes;
            continue;
        }
        if (c == '\\' && i + 1 < value.size()) {
            const char n = value[++i];
            switch (n) {
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case '0': out += '\0'; break;
            case 'x': {
                std::size_t j = i + 1;
                unsigned long code = 0;
                while (j < value.size() && j < i + 5 && std::isxdigit(static_cast<unsigned char>(value[j]))) {
                    code = code * 16 + static_cast<unsigned long>(std::stoi(value.substr(j, 1), nullptr, 16));
                    ++j;
                }
                i = j - 1;
                // UTF-8 of the code point.
                if (code < 0x80) {
                    out += static_cast<char>(code);
                } else if (code < 0x800) {
                    out += static_cast<char>(0xC0 | (code >> 6));
                    out += static_cast<char>(0x80 | (code & 0x3F));
                } else {
                    out += static_cast<char>(0xE0 | (code >> 12));
                    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                    out += static_cast<char>(0x80 | (code & 0x3F));
                }
                break;
            }
            default: out += n; break;
            }
            continue;
        }
        out += c;
    }
    if (out.rfind("@@", 0) == 0) out.erase(0, 1);
    else if (out.rfind("@String(", 0) == 0 && out.back() == ')') out = out.substr(8, out.size() - 9);
    return out;
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
            section = UnescapeKey(line.substr(first + 1, (close == std::string::npos ? line.size() : close) - first - 1));
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key = line.substr(first, eq - first);
        while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.pop_back();
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
        for (const auto& [key, value] : keys) text += EscapeKey(key) + "=" + EscapeValue(value) + "\n";
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

// ---- prompts -------------------------------------------------------------

PromptAnswer CStderrPrompts::Show(const std::string& text, PromptIcon, PromptButtons buttons) {
    std::string line = text;
    for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
    std::cerr << line << '\n';
    if (buttons == PromptButtons::Ok) return PromptAnswer::Ok;
    return m_answer;
}

int CStderrPrompts::Choose(const std::string&, const std::string&, const std::vector<std::string>& options,
                           int defaultIndex) {
    if (m_choice >= 0 && m_choice < static_cast<int>(options.size())) return m_choice;
    return defaultIndex;
}
