#pragma once

#include <QDialog>
#include <QWidget>

#include "astro/astro_object.h"

class QLineEdit;
class QRadioButton;
class QTabWidget;

// "Name": the object's name and its kind.
class CPageAstroEditName : public QWidget {
public:
    CPageAstroEditName(const std::string& name, int kind, QWidget* parent = nullptr);
    QLineEdit* NameEdit() const { return m_name; }
    QRadioButton* KindButton(int kind) const { return m_kinds[kind]; }
    int Kind() const;

private:
    QLineEdit* m_name;
    QRadioButton* m_kinds[kAstroKindCount];
};

// "Orbit": the six elements, each at epoch and its daily motion.
class CPageAstroEditPlanet : public QWidget {
public:
    CPageAstroEditPlanet(const AstroOrbit& orbit, QWidget* parent = nullptr);
    // The values typed; false after telling the user about a field that is not a number.
    bool Read(AstroOrbit& orbit) const;
    // Field `row` (0 node .. 5 mean anomaly), at epoch (column 0) or daily motion (1).
    QLineEdit* Field(int row, int column) const { return m_fields[row][column]; }

private:
    QLineEdit* m_fields[6][2];
};

// The star values of the "Position" page.
struct AstroStarFields {
    std::string fk5Number;
    double rightAscension = 0.0;
    double properMotionRightAscension = 0.0;
    double declination = 0.0;
    double properMotionDeclination = 0.0;
    double magnitude = 0.0;
};

// "Position": the catalogue place of a star.
class CPageAstroEditStar : public QWidget {
public:
    CPageAstroEditStar(const AstroStarFields& star, QWidget* parent = nullptr);
    bool Read(AstroStarFields& star) const;

    QLineEdit* FK5Edit() const { return m_fk5; }
    QLineEdit* RightAscensionEdit() const { return m_rightAscension; }
    QLineEdit* RightAscensionMotionEdit() const { return m_rightAscensionMotion; }
    QLineEdit* DeclinationEdit() const { return m_declination; }
    QLineEdit* DeclinationMotionEdit() const { return m_declinationMotion; }
    QLineEdit* MagnitudeEdit() const { return m_magnitude; }

private:
    QLineEdit* m_fk5;
    QLineEdit* m_rightAscension;
    QLineEdit* m_rightAscensionMotion;
    QLineEdit* m_declination;
    QLineEdit* m_declinationMotion;
    QLineEdit* m_magnitude;
};

// "Properties": the editor of one almanac object. On OK the page of the chosen
// kind is checked and applied (the orbit for a moving object, the position for
// a star); the other page is neither checked nor applied.
class CSheetAstroEdit : public QDialog {
public:
    explicit CSheetAstroEdit(CAstroObject& object, QWidget* parent = nullptr);

    QTabWidget* Tabs() const { return m_tabs; }
    CPageAstroEditName* NamePage() const { return m_namePage; }
    CPageAstroEditPlanet* OrbitPage() const { return m_orbitPage; }
    CPageAstroEditStar* StarPage() const { return m_starPage; }

    void accept() override;

private:
    CAstroObject& m_object;
    QTabWidget* m_tabs;
    CPageAstroEditName* m_namePage;
    CPageAstroEditPlanet* m_orbitPage;
    CPageAstroEditStar* m_starPage;
};
