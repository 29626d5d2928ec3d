#include "app/scheduled_report.h"

#include "core/event_log.h"
#include "core/record_file.h"
#include "document/keelmark_lite_doc.h"
#include "platform/services.h"
#include "reports/outbox.h"
#include "reports/report.h"
#include "reports/report_schedule.h"

void PrepareReport(CKeelmarkLiteDoc& doc, CReport& report) {
    report.SetReferences(&doc.GetPopularPosition(), &doc.GetVoyage(), &doc.GetPresentPosition(), &doc.GetVessel());
    report.SetEtaSource([&doc] { return doc.ETAAtSpeed(doc.GetPresentPosition().GetSpeed()); });
    const double required = doc.RequiredSpeed();
    report.SetPreparedFigures(doc.UpdateVoyage(), required, doc.RequiredRpm(required));
}

std::optional<CScheduledReport> SendScheduledReport(CKeelmarkLiteDoc& doc) {
    CReportSchedule schedule = CReportSchedule::Load();
    const CTime now = services::Now();
    if (!schedule.IsActive() || *schedule.due > now) return std::nullopt;

    AdvanceSchedule(schedule, now);
    std::string error;
    if (!schedule.Save(error)) {
        // Without its next time stored the schedule would fire at every tick: stop it.
        services::Prompts().Alert("The report schedule could not be moved on and is stopped.\n" + error);
        return std::nullopt;
    }
    CReport report;
    if (LoadRecordFile(schedule.reportFile, report, error) != LoadResult::Loaded) {
        services::Prompts().Alert("The scheduled report was not sent.\n" + error);
        return std::nullopt;
    }
    PrepareReport(doc, report);
    report.SetSendAsMessage(true);
    CScheduledReport done;
    done.reportFile = schedule.reportFile;
    done.messagePath = WriteReportMessage(report, schedule.address, true);
    if (!done.messagePath.empty()) WriteLogIf("logreport", kReportSentLogText + done.messagePath);
    if (schedule.print) done.printText = ReportPrintText(report);
    // The next report's distance and speed since this one.
    if (!SaveRecordFile(schedule.reportFile, report, error))
        services::Prompts().Alert("The scheduled report's file could not be updated.\n" + error);
    return done;
}
