#pragma once

#include <string>

class CCommandRegistry;
class CKeelmarkLiteDoc;

// Prints a report's text (header, lines, footer) on the default printer, or,
// without one, into the PDF file beside its report file (said, unless a
// schedule prints it). A fault is told (without waiting, for a schedule).
void PrintReport(const std::string& text, const std::string& reportFile, bool scheduled);

// The report schedule's turn in the dashboard refresh: sends (and prints) the
// scheduled report when it is due.
void RunReportSchedule(CKeelmarkLiteDoc& doc);

// Registers the report commands: new report, open report, report scheduler.
void RegisterReportCommands(CCommandRegistry& registry);
