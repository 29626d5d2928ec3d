#pragma once

#include "platform/clock.h"
#include "platform/file_choice.h"
#include "platform/prompts.h"
#include "platform/settings_store.h"

// The host services the model asks for. The host (desktop program, command-line
// tool or test) installs its implementations at start; until then plain
// defaults serve: the system clock, an empty in-memory store, prompts that
// write to standard error and give the first answer, and no file choice.
namespace services {

IClock& Clock();
ISettingsStore& Settings();
IPrompts& Prompts();
IFileChoice& Files();

// Installs the given services (nullptr restores the plain default) and
// returns the previous ones, so a test can put them back.
struct Set {
    IClock* clock = nullptr;
    ISettingsStore* settings = nullptr;
    IPrompts* prompts = nullptr;
    IFileChoice* files = nullptr;
};
Set Install(const Set& set);

// Shorthands for the settings section of the application.
std::string GetString(const std::string& key, const std::string& defaultValue);
int GetInt(const std::string& key, int defaultValue);
CTime Now();

// Installs services for the lifetime of a scope; restores the previous ones after.
class Scoped {
public:
    explicit Scoped(const Set& set) : m_previous(Install(set)) {}
    ~Scoped() { Install(m_previous); }
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;

private:
    Set m_previous;
};

} // namespace services
