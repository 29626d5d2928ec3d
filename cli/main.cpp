#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "platform/plain_services.h"
#include "platform/services.h"

int main(int argc, char** argv) {
    // Past a file size limit a write fails (and the save says so) instead of the program being killed.
    std::signal(SIGXFSZ, SIG_IGN);
    CSystemClock clock;
    CIniSettingsStore settings(CIniSettingsStore::DefaultPath());
    if (!settings.Load()) std::cerr << "keelmark: " << settings.LastError() << " (using default settings)\n";
    CStderrPrompts prompts;
    CNoFileChoice files;
    services::Scoped scope({&clock, &settings, &prompts, &files});

    std::vector<std::string> args(argv + 1, argv + argc);
    return RunCommandLine(args, std::cout, std::cerr);
}
