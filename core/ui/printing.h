#pragma once

#include <functional>
#include <string>

#include "core/print_form.h"

class QPagedPaintDevice;
class QPrinter;
class QWidget;

// Printing of forms (core/print_form.h) and plain texts on a printer, into a
// PDF file, or into the print preview. Print Setup changes the one printer
// that every print starts from, for the program run.

// Builds the form for pages of the given printable height (tenths of a mm).
using FormBuilder = std::function<CPrintForm(int pageHeight)>;

QPrinter& SharedPrinter();
// The height of the device's printable area in tenths of a millimetre.
int PrintableHeight(const QPagedPaintDevice& device);
// Draws every page of the form on the device (a printer or a PDF writer); false
// when the device cannot be painted on.
bool DrawForm(QPagedPaintDevice& device, const CPrintForm& form);

// Writes the form as a PDF file on A4 pages, atomically; false with a message
// naming the file when it cannot be written.
bool PrintFormToPdf(const FormBuilder& build, const std::string& path, std::string& error);

// The printer dialog on the shared printer (a PDF file is among its outputs and
// is the output when no printer is set up), then the form on what was chosen.
// False when the user cancelled. A failure to print is reported.
bool PrintFormWithDialog(QWidget* parent, const FormBuilder& build, const std::string& documentName);
// The print preview of the form on the shared printer, which can print from there.
void PreviewForm(QWidget* parent, const FormBuilder& build, const std::string& documentName);
// The printer's page setup, kept for the following prints.
void PrintSetup(QWidget* parent);

// A plain text (a report) through the printer dialog; false when cancelled.
bool PrintTextWithDialog(QWidget* parent, const std::string& title, const std::string& text);
void PreviewText(QWidget* parent, const std::string& title, const std::string& text);
bool PrintTextToPdf(const std::string& title, const std::string& text, const std::string& path, std::string& error);
