#include "app/options.h"

#include "platform/services.h"

namespace {

struct CTextOption {
    const char* key;
    std::string COptions::*field;
    const char* defaultValue;
};

constexpr CTextOption kTextOptions[] = {
    {"almanac", &COptions::almanac, kDefaultAlmanacPath},   {"vesseldata", &COptions::vesselData, kDefaultVesselPath},
    {"hurri", &COptions::hurricane, kDefaultHurricanePath}, {"logging", &COptions::logging, kDefaultLoggingPath},
    {"outbox", &COptions::outbox, kDefaultFolder},          {"inbox", &COptions::inbox, kDefaultFolder},
};

constexpr const char* kDataSystemKey = "datasys";

} // namespace

COptions COptions::Load() {
    COptions o;
    for (const CTextOption& t : kTextOptions)
        o.*t.field = services::GetString(t.key, t.defaultValue);
    for (const COptionSwitch& s : kOptionSwitches)
        o.*s.field = services::GetInt(s.key, 1) != 0;
    const int system = services::GetInt(kDataSystemKey, kStsWin32);
    // The sheet has three buttons; a value none of them stands for would leave
    // the group blank and be written back as garbage.
    o.dataSystem = system >= kConnect2 && system <= kAsciiFile ? system : kStsWin32;
    return o;
}

bool COptions::Save(std::string& error) const {
    ISettingsStore& store = services::Settings();
    error.clear();
    auto note = [&](const char* key) {
        if (!error.empty()) return;
        const std::string why = store.LastError();
        error = std::string("The option \"") + key + "\" could not be saved." + (why.empty() ? "" : "\n" + why);
    };
    for (const CTextOption& t : kTextOptions)
        if (!store.SetString(kSettingsSection, t.key, this->*t.field)) note(t.key);
    if (!store.SetInt(kSettingsSection, kDataSystemKey, dataSystem)) note(kDataSystemKey);
    for (const COptionSwitch& s : kOptionSwitches)
        if (!store.SetInt(kSettingsSection, s.key, this->*s.field ? 1 : 0)) note(s.key);
    return error.empty();
}
