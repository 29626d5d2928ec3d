#include "core/event_log.h"

#include <cstdio>

#include "core/file_io.h"
#include "platform/services.h"

std::string CEventLog::FileName(const std::string& loggingSetting, CTime localTime) {
    const std::string base = loggingSetting.size() > 4 ? loggingSetting.substr(0, loggingSetting.size() - 4) : "";
    return base + " " + localTime.FormatUtc("%A %d %b") + ".txt";
}

std::string CEventLog::Line(const std::string& text, CTime localTime) {
    return localTime.FormatUtc("%m/%d/%y  %H:%M:%S  ") + text + "\r\n";
}

CTime CEventLog::LocalNow() {
    const CTime now = services::Now();
    return now + services::Clock().LocalOffsetSeconds(now);
}

bool CEventLog::IsOn(const char* key) { return services::GetInt(key, 1) == 1; }

std::string CEventLog::Write(const std::string& text) {
    const CTime local = LocalNow();
    const std::string name = FileName(services::GetString("logging", "KeelmarkLog.txt"), local);
    std::FILE* file = std::fopen(NormalizePath(name).c_str(), "ab");
    if (!file) {
        services::Prompts().Show("Unable to open logfile \n" + name);
        return name;
    }
    const std::string line = Line(text, local);
    std::fwrite(line.data(), 1, line.size(), file);
    std::fclose(file);
    return name;
}

void WriteLogIf(const char* switchKey, const std::string& text) {
    if (CEventLog::IsOn(switchKey)) CEventLog().Write(text);
}
