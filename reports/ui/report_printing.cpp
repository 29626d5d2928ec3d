#include "reports/ui/report_printing.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStringList>

std::string ReportPdfPath(const std::string& reportFile) {
    std::string path = reportFile.empty() ? "Report.k7r" : reportFile;
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.resize(dot);
    return path + ".pdf";
}

std::string PrintReportText(const std::string& text, const std::string& pdfPath, std::string& error) {
    QPrinter printer(QPrinter::HighResolution);
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    std::string where;
    if (info.isNull()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdfPath));
        where = pdfPath;
    } else {
        printer.setPrinterName(info.printerName());
        where = info.printerName().toStdString();
    }
    printer.setDocName(QStringLiteral("Position Report"));
    QPainter painter;
    if (!painter.begin(&printer)) {
        error = "Cannot print to " + where;
        return "";
    }
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    painter.setFont(font);
    const QFontMetrics metrics(font, &printer);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRect area(0, 0, page.width(), page.height());
    int y = metrics.ascent();
    for (const QString& line : QString::fromStdString(text).split(QLatin1Char('\n'))) {
        if (y > area.height()) {
            printer.newPage();
            y = metrics.ascent();
        }
        painter.drawText(0, y, line);
        y += metrics.lineSpacing();
    }
    if (!painter.end()) {
        error = "Cannot print to " + where;
        return "";
    }
    return where;
}
