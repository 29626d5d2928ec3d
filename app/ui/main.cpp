#include <QApplication>
#include <QFileInfo>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/ui/keelmark_lite_app.h"
#include "app/ui/main_frame.h"
#include "app/ui/program.h"
#include "core/file_io.h"
#include "platform/plain_services.h"
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

constexpr const char* kQuitAfterStart = "--quit-after-start";

// The voyage file named on the command line (Qt has taken its own options out),
// made absolute while the folder it was named in is still the working folder.
std::string CommandLineFile(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument.startsWith(u'-')) continue;
        return QFileInfo(QString::fromStdString(NormalizePath(argument.toStdString())))
            .absoluteFilePath()
            .toStdString();
    }
    return {};
}

} // namespace

int main(int argc, char* argv[]) {
    std::signal(SIGXFSZ, SIG_IGN); // past a file size limit a save fails with its message instead
    bool quitAfterStart = false;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], kQuitAfterStart) == 0) quitAfterStart = true;

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

    CStartup startup;
    startup.commandLineFile = CommandLineFile(QApplication::arguments());

    CQtServices qtServices;
    services::Set installed = qtServices.AsSet();
    // A start that must not wait for anyone: every message goes to standard
    // error with its first answer, and no tip of the day.
    CStderrPrompts unattended;
    if (quitAfterStart) {
        installed.prompts = &unattended;
        startup.tipOfTheDay = false;
    }
    services::Scoped scope(installed);

    CKeelmarkLiteApp keelmark;
    if (!keelmark.InitInstance(startup)) return 1;
    if (quitAfterStart) {
        QApplication::processEvents();
        return 0;
    }
    return QApplication::exec();
}
