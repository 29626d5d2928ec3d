#include "app/ui/program.h"

#include <QIcon>

// The resources are compiled into a static library, where nothing else would
// pull them into the program: register them by hand, once.
static void InitResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(keelmark);
        return true;
    }();
    (void)done;
}

QIcon ProgramIcon() {
    InitResources();
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/keelmark-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/keelmark-32.png"), QSize(32, 32));
    return icon;
}
