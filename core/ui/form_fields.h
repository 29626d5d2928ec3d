#pragma once

#include <QString>

#include <string>

class QLineEdit;
class QWidget;

// Fields of the particulars, address and checklist dialogs, named for tests.

// Free text that goes into a file: refuses what Windows-1252 cannot hold.
QLineEdit* StorableTextField(QWidget* parent, const char* name, const std::string& text);
// A number in the general number format, read back with ReadNumberField.
QLineEdit* NumberEdit(QWidget* parent, const char* name, double value);
// A figure the dialog works out; the user cannot edit it.
QLineEdit* FigureField(QWidget* parent, const char* name);
// A text the dialog writes and the user cannot change, about `characters` wide.
QLineEdit* ReadOnlyText(QWidget* parent, const char* name, int characters = 10);
// The field with its unit behind it, as one row.
QWidget* WithUnit(QWidget* field, const QString& unit);
