#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/ui/main_frame.h"
#include "app/ui/program.h"
#include "platform/qt/qt_services.h"

namespace {

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

// Without a display Qt aborts with a message about platform plugins; say instead
// what to do.
bool HasDisplay(int argc, char* argv[]) {
    if (IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM")) return true;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return true;
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    bool quitAfterStart = false;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--quit-after-start") == 0) quitAfterStart = true;

    if (!HasDisplay(argc, argv)) {
        std::fprintf(stderr, "keelmark-lite: no display found; run it in a desktop session, or with "
                             "QT_QPA_PLATFORM=offscreen or under xvfb-run.\n");
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QString::fromUtf8(kOrganizationName));
    QApplication::setApplicationName(QString::fromUtf8(kProgramName));
    QApplication::setApplicationVersion(QString::fromUtf8(kProgramVersion));
    QApplication::setWindowIcon(ProgramIcon());

    CQtServices qtServices;
    services::Scoped installed(qtServices.AsSet());

    CMainFrame frame;
    frame.show();
    if (quitAfterStart) {
        QApplication::processEvents();
        return 0;
    }
    return QApplication::exec();
}
