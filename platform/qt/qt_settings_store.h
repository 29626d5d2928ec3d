#pragma once

#include <string>

#include "platform/settings_store.h"

// The settings store of the desktop program: the Qt settings class, organization
// "Tessmoor Works", application "Keelmark Lite", one group per section. Each call
// opens the store afresh, so a value the command-line tool wrote meanwhile is seen.
class CQtSettingsStore : public ISettingsStore {
public:
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const override;
    int GetInt(const std::string& section, const std::string& key, int defaultValue) const override;
    bool Contains(const std::string& section, const std::string& key) const override;
    bool SetString(const std::string& section, const std::string& key, const std::string& value) override;
    bool SetInt(const std::string& section, const std::string& key, int value) override;
    std::string LastError() const override { return m_error; }

    // The file the values live in.
    static std::string FilePath();

private:
    std::string m_error;
};
