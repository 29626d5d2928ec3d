#include "app/ui/about_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

#include "app/ui/program.h"

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About %1").arg(QString::fromUtf8(kProgramName)));

    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    auto* name = new QLabel(QString::fromUtf8(kProgramName), this);
    name->setObjectName(QStringLiteral("nameLabel"));
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto* version = new QLabel(QStringLiteral("Version %1").arg(QString::fromUtf8(kProgramVersion)), this);
    version->setObjectName(QStringLiteral("versionLabel"));
    auto* maker = new QLabel(QString::fromUtf8(kOrganizationName), this);
    // The voyage plot's shorelines come with a licence of their own, named here.
    auto* shorelines = new QLabel(QStringLiteral("Shorelines of the voyage plot: GSHHG 2.3.7 by P. Wessel and "
                                                 "W. H. F. Smith,\nunder the GNU Lesser General Public License, "
                                                 "version 3 or later\n(coastline/NOTICE beside the program)."),
                                  this);
    shorelines->setObjectName(QStringLiteral("shorelineLicenceLabel"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setHorizontalSpacing(16);
    layout->addWidget(icon, 0, 0, 3, 1);
    layout->addWidget(name, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(maker, 2, 1);
    layout->addWidget(shorelines, 3, 1);
    layout->addWidget(buttons, 4, 0, 1, 2);
}
