#pragma once

#include <optional>
#include <string>

class CKeelmarkLiteDoc;
class CReport;

// Gives a report the document's records (present and popular position, voyage,
// vessel), the ETA at the present speed, and the figures of the moment:
// remaining distance, required speed and revolutions.
void PrepareReport(CKeelmarkLiteDoc& doc, CReport& report);

// What a scheduled report did, for the view to print.
struct CScheduledReport {
    std::string messagePath; // "" when no message was written
    std::string printText;   // the report's text when the schedule prints it
    std::string reportFile;  // the schedule's report file
};

// The scheduler's turn in the dashboard refresh. When the schedule is due, it
// moves on to its next time first (so a fault is told once, not every tick),
// then reads the schedule's report file, writes it to the outbox, logs
// "Report sent " and the file when "logreport" is on, and keeps the report's
// last-report time and distance in its file. Faults are told in boxes that do
// not wait. Nothing when no report was due.
std::optional<CScheduledReport> SendScheduledReport(CKeelmarkLiteDoc& doc);
