#include "astro/ui/astro_edit_sheet.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "astro/ui/astro_widgets.h"
#include "core/ui/storable_text.h"

namespace {

constexpr const char* kKindLabels[kAstroKindCount] = {"Sun", "Planet, Comet, Planetoide (solair orbit)",
                                                      "Moon (in orbit around earth)", "Star",
                                                      "Satellite (in orbit around earth)"};

constexpr const char* kOrbitLabels[6] = {"Long. Asc. Node (N):", "Inclination(i)",    "Arg. of Perihelion (w):",
                                         "Semi-major Axis (a):", "eccentricity (e):", "mean anomaly (M):"};

// The orbit's values in the rows of the page, each as (at epoch, daily motion).
std::pair<double*, double*> OrbitRow(AstroOrbit& o, int row) {
    switch (row) {
    case 0:
        return {&o.ascendingNode, &o.ascendingNodeDailyMotion};
    case 1:
        return {&o.inclination, &o.inclinationDailyMotion};
    case 2:
        return {&o.perihelionArgument, &o.perihelionArgumentDailyMotion};
    case 3:
        return {&o.semiMajorAxis, &o.semiMajorAxisDailyChange};
    case 4:
        return {&o.eccentricity, &o.eccentricityDailyChange};
    default:
        return {&o.meanAnomaly, &o.meanAnomalyDailyMotion};
    }
}

// An orbit of eccentricity 1 or more is no ellipse: its position cannot be solved.
constexpr double kMaximumEccentricity = 0.99;

QLabel* Note(const char* text, QWidget* parent) {
    auto* note = new QLabel(QString::fromLatin1(text), parent);
    note->setWordWrap(true);
    return note;
}

} // namespace

CPageAstroEditName::CPageAstroEditName(const std::string& name, int kind, QWidget* parent) : QWidget(parent) {
    m_name = new QLineEdit(AstroText(name), this);
    m_name->setObjectName(QStringLiteral("nameEdit"));
    AcceptOnlyStorableText(m_name);
    auto* group = new QGroupBox(QStringLiteral("Type of object: "), this);
    auto* buttons = new QButtonGroup(this);
    auto* groupLayout = new QVBoxLayout(group);
    for (int k = 0; k < kAstroKindCount; ++k) {
        m_kinds[k] = new QRadioButton(QString::fromLatin1(kKindLabels[k]), group);
        m_kinds[k]->setObjectName(QStringLiteral("kind%1").arg(k));
        buttons->addButton(m_kinds[k], k);
        groupLayout->addWidget(m_kinds[k]);
    }
    m_kinds[CAstroObject::IsKind(kind) ? kind : kAstroSun]->setChecked(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Name:"), m_name);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(group);
    layout->addWidget(
        Note("Note: For all 'moving' objects (including the Sun) please fill in the 'orbit' page, for all "
             "'fixed' objects (stars) fill in the 'position' page.",
             this));
    layout->addStretch(1);
}

int CPageAstroEditName::Kind() const {
    for (int k = 0; k < kAstroKindCount; ++k)
        if (m_kinds[k]->isChecked()) return k;
    return kAstroSun;
}

CPageAstroEditPlanet::CPageAstroEditPlanet(const AstroOrbit& orbit, QWidget* parent) : QWidget(parent) {
    AstroOrbit values = orbit;
    auto* grid = new QGridLayout(this);
    for (int row = 0; row < 6; ++row) {
        const auto [atEpoch, daily] = OrbitRow(values, row);
        m_fields[row][0] = AstroNumberEdit(this, QStringLiteral("orbit%1").arg(row).toLatin1().constData());
        m_fields[row][1] = AstroNumberEdit(this, QStringLiteral("orbitDaily%1").arg(row).toLatin1().constData());
        SetAstroNumber(m_fields[row][0], *atEpoch);
        SetAstroNumber(m_fields[row][1], *daily);
        grid->addWidget(new QLabel(QString::fromLatin1(kOrbitLabels[row]), this), row, 0);
        grid->addWidget(m_fields[row][0], row, 1);
        grid->addWidget(new QLabel(QStringLiteral("Daily Motion:"), this), row, 2);
        grid->addWidget(m_fields[row][1], row, 3);
    }
    grid->setRowStretch(6, 1);
}

bool CPageAstroEditPlanet::Read(AstroOrbit& orbit) const {
    AstroOrbit read;
    for (int row = 0; row < 6; ++row) {
        const auto [atEpoch, daily] = OrbitRow(read, row);
        const bool ok = row == 4 ? ReadAstroNumber(m_fields[row][0], 0.0, kMaximumEccentricity, *atEpoch)
                                 : ReadAstroNumber(m_fields[row][0], *atEpoch);
        if (!ok || !ReadAstroNumber(m_fields[row][1], *daily)) return false;
    }
    orbit = read;
    return true;
}

CPageAstroEditStar::CPageAstroEditStar(const AstroStarFields& star, QWidget* parent) : QWidget(parent) {
    m_fk5 = new QLineEdit(AstroText(star.fk5Number), this);
    m_fk5->setObjectName(QStringLiteral("fk5Edit"));
    AcceptOnlyStorableText(m_fk5);
    m_rightAscension = AstroNumberEdit(this, "rightAscensionEdit");
    m_rightAscensionMotion = AstroNumberEdit(this, "rightAscensionMotionEdit");
    m_declination = AstroNumberEdit(this, "declinationEdit");
    m_declinationMotion = AstroNumberEdit(this, "declinationMotionEdit");
    m_magnitude = AstroNumberEdit(this, "magnitudeEdit");
    SetAstroNumber(m_rightAscension, star.rightAscension);
    SetAstroNumber(m_rightAscensionMotion, star.properMotionRightAscension);
    SetAstroNumber(m_declination, star.declination);
    SetAstroNumber(m_declinationMotion, star.properMotionDeclination);
    SetAstroNumber(m_magnitude, star.magnitude);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("FK5 Catalogue nr.:"), this), 0, 0);
    grid->addWidget(m_fk5, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Right Ascension:"), this), 1, 0);
    grid->addWidget(m_rightAscension, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Proper Motion:"), this), 1, 2);
    grid->addWidget(m_rightAscensionMotion, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Declination:"), this), 2, 0);
    grid->addWidget(m_declination, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Proper Motion:"), this), 2, 2);
    grid->addWidget(m_declinationMotion, 2, 3);
    grid->addWidget(new QLabel(QStringLiteral("Magnitude:"), this), 3, 0);
    grid->addWidget(m_magnitude, 3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(
        Note("Note: this page only to be filled in for 'fixed' objects (stars).\nAll numbers to be entered "
             "as degrees, proper motion to be entered as degrees per hour.",
             this));
    layout->addStretch(1);
}

bool CPageAstroEditStar::Read(AstroStarFields& star) const {
    AstroStarFields read;
    read.fk5Number = m_fk5->text().toStdString();
    if (!ReadAstroNumber(m_rightAscension, 0.0, 360.0, read.rightAscension) ||
        !ReadAstroNumber(m_rightAscensionMotion, read.properMotionRightAscension) ||
        !ReadAstroNumber(m_declination, -90.0, 90.0, read.declination) ||
        !ReadAstroNumber(m_declinationMotion, read.properMotionDeclination) ||
        !ReadAstroNumber(m_magnitude, read.magnitude))
        return false;
    star = read;
    return true;
}

CSheetAstroEdit::CSheetAstroEdit(CAstroObject& object, QWidget* parent) : QDialog(parent), m_object(object) {
    setWindowTitle(QStringLiteral("Properties"));
    std::string name;
    AstroOrbit orbit;
    object.GetOrbit(name, orbit);
    AstroStarFields star;
    object.GetStar(star.fk5Number, star.declination, star.properMotionDeclination, star.rightAscension,
                   star.properMotionRightAscension, star.magnitude);

    m_tabs = new QTabWidget(this);
    m_namePage = new CPageAstroEditName(object.GetName(), object.GetKind(), m_tabs);
    m_orbitPage = new CPageAstroEditPlanet(orbit, m_tabs);
    m_starPage = new CPageAstroEditStar(star, m_tabs);
    m_tabs->addTab(m_namePage, QStringLiteral("Name"));
    m_tabs->addTab(m_orbitPage, QStringLiteral("Orbit"));
    m_tabs->addTab(m_starPage, QStringLiteral("Position"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSheetAstroEdit::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSheetAstroEdit::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

void CSheetAstroEdit::accept() {
    const std::string name = m_namePage->NameEdit()->text().toStdString();
    const int kind = m_namePage->Kind();
    if (kind == kAstroStar) {
        AstroStarFields star;
        m_tabs->setCurrentWidget(m_starPage);
        if (!m_starPage->Read(star)) return;
        m_object.SetStar(name, star.fk5Number, kAstroStar, star.declination, star.properMotionDeclination,
                         star.rightAscension, star.properMotionRightAscension, star.magnitude);
    } else {
        AstroOrbit orbit;
        m_tabs->setCurrentWidget(m_orbitPage);
        if (!m_orbitPage->Read(orbit)) return;
        m_object.SetOrbit(name, kind, orbit);
    }
    QDialog::accept();
}
