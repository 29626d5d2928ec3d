#pragma once

#include <string>

// The per-user settings store: string and integer values by section and key.
// Each reader passes its own default, returned when the key is absent.
class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    virtual std::string GetString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) const = 0;
    virtual int GetInt(const std::string& section, const std::string& key, int defaultValue) const = 0;
    virtual bool Contains(const std::string& section, const std::string& key) const = 0;
    // False when the value could not be written (the store says why through LastError).
    virtual bool SetString(const std::string& section, const std::string& key, const std::string& value) = 0;
    virtual bool SetInt(const std::string& section, const std::string& key, int value) = 0;
    virtual std::string LastError() const { return {}; }
};

// The application's own section of the store.
inline constexpr const char* kSettingsSection = "Keelmark Lite";
