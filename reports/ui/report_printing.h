#pragma once

#include <string>

inline constexpr const char* kReportPrintedToPdf = "No printer is set up: the report was written to ";

// Prints the report's text as the printed forms print plain text, on the
// printer they use (the default printer, or the one chosen in Print Setup),
// without asking. Without a printer it goes to the PDF file `pdfPath` instead
// (replacing it, atomically). Gives where it went (the printer's name or the
// PDF file), or "" with `error` set.
std::string PrintReportText(const std::string& text, const std::string& pdfPath, std::string& error);

// The PDF file beside a report file: its name with ".pdf" for ".k7r".
std::string ReportPdfPath(const std::string& reportFile);
