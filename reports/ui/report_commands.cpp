#include "reports/ui/report_commands.h"

#include <optional>

#include "app/scheduled_report.h"
#include "core/event_log.h"
#include "core/ui/command_registry.h"
#include "document/keelmark_lite_doc.h"
#include "platform/services.h"
#include "reports/outbox.h"
#include "reports/ui/report_printing.h"
#include "reports/ui/report_sheet.h"
#include "reports/ui/schedule_sheet.h"

namespace {

// The sheet on the document's report; on OK the report is saved to the sheet's
// file and then sent and printed as its boxes say. A file that cannot be saved
// stops there: nothing is sent, the last-report values stay.
void EditReport(const CCommandContext& c, const std::string& fileName) {
    CReport& report = c.Doc().GetReport();
    CReportSheet sheet(report, fileName, c.parent);
    if (sheet.exec() != QDialog::Accepted) return;
    report = sheet.Edited();
    if (!report.SaveFile(sheet.FileName())) return;
    if (!report.GetSendAsMessage() && !report.GetPrint()) return;
    const std::string sent = WriteReportMessage(report, report.GetMessageAddress());
    if (!sent.empty()) WriteLogIf("logreport", kReportSentLogText + sent);
    if (report.GetPrint()) PrintReport(ReportPrintText(report), sheet.FileName(), false);
}

void OnNewReport(const CCommandContext& c) {
    PrepareReport(c.Doc(), c.Doc().GetReport());
    EditReport(c, kNewReportName);
}

void OnOpenReport(const CCommandContext& c) {
    CReport& report = c.Doc().GetReport();
    PrepareReport(c.Doc(), report);
    const FileChoiceRequest request{kReportFilter, kReportExtension, "Report", {}, true};
    const std::optional<std::string> path = services::Files().ChooseOpen(request);
    if (path && !report.LoadFile(*path)) return;
    EditReport(c, path.value_or(kNewReportName));
}

void OnReportScheduler(const CCommandContext& c) {
    CSheetSchedule sheet(CReportSchedule::Load(), c.parent);
    if (sheet.exec() != QDialog::Accepted) return;
    std::string error;
    if (!sheet.Edited().Save(error)) services::Prompts().Show(error, PromptIcon::Warning);
}

} // namespace

void PrintReport(const std::string& text, const std::string& reportFile, bool scheduled) {
    std::string error;
    const std::string pdf = ReportPdfPath(reportFile);
    const std::string where = PrintReportText(text, pdf, error);
    if (where.empty()) {
        scheduled ? services::Prompts().Alert(error) : (void)services::Prompts().Show(error, PromptIcon::Warning);
        return;
    }
    if (where == pdf && !scheduled) services::Prompts().Show(kReportPrintedToPdf + pdf);
}

void RunReportSchedule(CKeelmarkLiteDoc& doc) {
    const std::optional<CScheduledReport> done = SendScheduledReport(doc);
    if (done && !done->printText.empty()) PrintReport(done->printText, done->reportFile, true);
}

void RegisterReportCommands(CCommandRegistry& registry) {
    registry.Register(Command::NewReport, OnNewReport);
    registry.Register(Command::OpenReport, OnOpenReport);
    registry.Register(Command::ReportScheduler, OnReportScheduler);
}
