#include "platform/services.h"

#include "platform/plain_services.h"

namespace services {
namespace {

CSystemClock g_defaultClock;
CMemorySettingsStore g_defaultSettings;
CStderrPrompts g_defaultPrompts;
CNoFileChoice g_defaultFiles;

Set g_installed;

} // namespace

IClock& Clock() { return g_installed.clock ? *g_installed.clock : g_defaultClock; }
ISettingsStore& Settings() { return g_installed.settings ? *g_installed.settings : g_defaultSettings; }
IPrompts& Prompts() { return g_installed.prompts ? *g_installed.prompts : g_defaultPrompts; }
IFileChoice& Files() { return g_installed.files ? *g_installed.files : g_defaultFiles; }

Set Install(const Set& set) {
    Set previous = g_installed;
    g_installed = set;
    return previous;
}

std::string GetString(const std::string& key, const std::string& defaultValue) {
    return Settings().GetString(kSettingsSection, key, defaultValue);
}

int GetInt(const std::string& key, int defaultValue) { return Settings().GetInt(kSettingsSection, key, defaultValue); }

CTime Now() { return Clock().Now(); }

} // namespace services
