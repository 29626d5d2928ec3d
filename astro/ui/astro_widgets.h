#pragma once

#include <QIcon>
#include <QString>

#include <string>

class CAlmanac;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QWidget;

// Pieces the celestial dialogs share: the kind icons, the report list, spin
// boxes and fields that are checked on OK with the framework's messages.

inline QString AstroText(const std::string& text) { return QString::fromStdString(text); }

// The small icon of an object kind (0 Sun .. 4 Satellite); the star's for any other value.
QIcon AstroKindIcon(int kind);

// A report-style list with the given column titles and widths, single selection, model order.
QTreeWidget* AstroList(QWidget* parent, const char* name, const QStringList& titles, const QList<int>& widths);
// The row chosen in the list, -1 for none.
int SelectedRow(const QTreeWidget* list);

// A field the dialog writes and the user cannot change.
QLineEdit* AstroReadOnly(QWidget* parent, const char* name, int characters = 10);
// A field for a decimal number without range ("Please enter a number." when it is none).
QLineEdit* AstroNumberEdit(QWidget* parent, const char* name);
void SetAstroNumber(QLineEdit* edit, double value);
bool ReadAstroNumber(QLineEdit* edit, double& value);
// The same with a range, refused with "Please enter a number between MIN and MAX.".
bool ReadAstroNumber(QLineEdit* edit, double minimum, double maximum, double& value);

// Spin boxes whose text is checked as the framework's data exchange checks it:
// text that is not a whole number (or a number) in range is refused with
// "Please enter an integer between MIN and MAX." ("a number"), the field gets
// the focus and the result is false.
QSpinBox* AstroSpin(QWidget* parent, const char* name, int minimum, int maximum);
// "objectList": the almanac's objects with their kind icons, the first chosen.
QComboBox* AstroObjectList(QWidget* parent, const CAlmanac& almanac);
QDoubleSpinBox* AstroMinutesSpin(QWidget* parent, const char* name, double maximum);
bool ReadSpin(QSpinBox* spin, int& value);
bool ReadSpin(QDoubleSpinBox* spin, double& value);

// A push button that does not take Enter from the dialog's default button.
QPushButton* AstroButton(QWidget* parent, const char* text, const char* name);
