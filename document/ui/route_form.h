#pragma once

#include <QString>

#include <string>

class QLineEdit;
class QWidget;

// Small pieces shared by the route and fix editing dialogs.

inline QString Q(const std::string& text) { return QString::fromStdString(text); }

// A read-only number as forms show it: cut to the decimals, general format.
QString FormNumber(double value, int decimals = 2);

// A field the dialog writes and the user cannot edit.
QLineEdit* ReadOnlyField(QWidget* parent, const char* name, const QString& widest = QStringLiteral("00000.00"));
