#pragma once

#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_file_choice.h"
#include "platform/qt/qt_prompts.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/services.h"

// The desktop program's implementations of the host services, kept together so
// that the program installs them in one step.
struct CQtServices {
    CQtClock clock;
    CQtSettingsStore settings;
    CQtPrompts prompts;
    CQtFileChoice files;

    services::Set AsSet() { return {&clock, &settings, &prompts, &files}; }
};
