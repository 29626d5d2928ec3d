#pragma once

#include <string>

class CReport;

inline constexpr const char* kOutboxCannotWriteText = "Aaaaarchhh...\nProblem opening report for Writing";
inline constexpr const char* kReportSentLogText = "Report sent ";

// The message file's name before its extension: "REP" and the local time as
// hour x 100 + minute without leading zeros (09:05 REP905, 12:07 REP1207,
// 00:00 REP alone).
std::string OutboxBaseName(int hour, int minute);
// The extension "datasys" asks for: 1 (and anything unknown, its default)
// ".msg", 2 ".txt", 0 none.
std::string OutboxExtension(int dataSystem);

// The message as it goes on disk, in Windows-1252 with CR LF line ends:
// "SMF-71", "To: " and the address, the header when there is one, each line
// of the report, and the footer (when there is one) without a line end.
std::string OutboxMessageBytes(const CReport& report, const std::string& address);

// The report as printed: header, lines and footer, one per line ("\n").
std::string ReportPrintText(const CReport& report);

// Puts a message into the folder under `base` + `extension`, or, when that name
// is taken (a report not yet sent, written the same minute), under base + "-2",
// "-3" ... + extension: no message waiting in the outbox is ever replaced. The
// file appears whole or not at all, so the sending program never picks up half
// a message. Gives the path written, or "" with `error` set.
std::string WriteOutboxFile(const std::string& folder, const std::string& base, const std::string& extension,
                            const std::string& bytes, std::string& error);

// Writes the report as a message to the outbox folder ("outbox", named by the
// local time and "datasys") when its send flag is on; a failure is reported
// (through `alert`: a box that does not wait when the schedule sends). Either
// way the report counts as made now: its last-report time and distance move on.
// Gives the path written, or "".
std::string WriteReportMessage(CReport& report, const std::string& address, bool alert = false);
