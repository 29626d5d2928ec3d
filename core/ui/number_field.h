#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QLineEdit;

// Data exchange of plain number fields. A value goes in in the general number
// format; on OK it is read back and checked against the field's range. Text that
// is not a number in range shows "Please enter an integer between MIN and MAX."
// (or "a number"), puts the focus on the field and gives false, so the dialog
// stays open with everything the user typed.

QString GeneralNumberText(double value);
void SetIntegerField(QLineEdit* edit, int value);
void SetNumberField(QLineEdit* edit, double value);
bool ReadIntegerField(QLineEdit* edit, int minimum, int maximum, int& value);
bool ReadNumberField(QLineEdit* edit, double minimum, double maximum, double& value);

// Fills a drop-down list with its entries in case-insensitive alphabetical
// order, none chosen: the stored value is the index in that order.
void FillSortedList(QComboBox* list, QStringList entries);

// Puts the focus on a field the user has to correct, its text selected.
void FocusField(QLineEdit* edit);
