#include "app/ui/program.h"

#include <QIcon>
#include <QString>

// The resources are compiled into a static library, where nothing else would
// pull them into the program: register them by hand, once.
static void InitKeelmarkResources() { Q_INIT_RESOURCE(keelmark); }

void InitResources() {
    static const bool done = [] {
        InitKeelmarkResources();
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

QIcon ToolbarIcon(const char* name) {
    InitResources();
    return QIcon(QStringLiteral(":/icons/%1.png").arg(QString::fromUtf8(name)));
}
