#pragma once

#include <map>
#include <string>

#include "platform/settings_store.h"

// Settings held in memory only (also the test double of the store).
class CMemorySettingsStore : public ISettingsStore {
public:
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const override;
    int GetInt(const std::string& section, const std::string& key, int defaultValue) const override;
    bool Contains(const std::string& section, const std::string& key) const override;
    bool SetString(const std::string& section, const std::string& key, const std::string& value) override;
    bool SetInt(const std::string& section, const std::string& key, int value) override;

    void Clear() { m_values.clear(); }
    const std::map<std::string, std::map<std::string, std::string>>& Values() const { return m_values; }

protected:
    std::map<std::string, std::map<std::string, std::string>> m_values;
};

// The desktop program's settings file, read and written without Qt so that the
// command-line tool sees the same settings: an INI file in the layout the Qt
// settings class writes on Linux ($XDG_CONFIG_HOME/Tessmoor Works/Keelmark Lite.conf).
class CIniSettingsStore : public CMemorySettingsStore {
public:
    explicit CIniSettingsStore(std::string path);
    static std::string DefaultPath();

    // Reads the file; a missing file is an empty store. False (with LastError) on an unreadable file.
    bool Load();
    bool SetString(const std::string& section, const std::string& key, const std::string& value) override;
    bool SetInt(const std::string& section, const std::string& key, int value) override;
    std::string LastError() const override { return m_error; }
    const std::string& Path() const { return m_path; }

    // The escaping of the INI layout, exposed for tests.
    static std::string EscapeKey(const std::string& key);
    static std::string UnescapeKey(const std::string& key);
    static std::string EscapeValue(const std::string& value);
    static std::string UnescapeValue(const std::string& value);

private:
    bool Save();
    std::string m_path;
    std::string m_error;
};
