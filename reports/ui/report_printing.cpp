#include "reports/ui/report_printing.h"

#include <QPrinter>
#include <QPrinterInfo>

#include "core/print_form.h"
#include "core/ui/printing.h"

namespace {

constexpr const char* kPrintTitle = "Position Report";

} // namespace

std::string ReportPdfPath(const std::string& reportFile) {
    std::string path = reportFile.empty() ? "Report.k7r" : reportFile;
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.resize(dot);
    return path + ".pdf";
}

std::string PrintReportText(const std::string& text, const std::string& pdfPath, std::string& error) {
    // The printer the printed forms use (Print Setup chooses it), without a dialog.
    QPrinter& printer = SharedPrinter();
    if (printer.outputFormat() != QPrinter::NativeFormat || QPrinterInfo::availablePrinterNames().isEmpty())
        return PrintTextToPdf(kPrintTitle, text, pdfPath, error) ? pdfPath : "";
    if (printer.printerName().isEmpty()) printer.setPrinterName(QPrinterInfo::defaultPrinterName());
    printer.setDocName(QString::fromLatin1(kPrintTitle));
    const std::string where = printer.printerName().toStdString();
    if (DrawForm(printer, PlainTextForm(kPrintTitle, text, PrintableHeight(printer)))) return where;
    error = "Cannot print on the printer \"" + where + "\".";
    return "";
}
