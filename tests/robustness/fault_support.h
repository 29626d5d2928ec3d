#pragma once

// What the fault-injection tests share: a child process to hold a fault that
// must not touch the test runner itself (a file size limit, another user, a
// private mount, a kill), and the program's six saved files.

#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <optional>
#include <string>

#include "astro/almanac.h"
#include "core/file_io.h"
#include "core/record_file.h"
#include "document/keelmark_lite_doc.h"
#include "document/record_types.h"
#include "particulars/port.h"
#include "particulars/vessel.h"
#include "platform/fake/fake_services.h"
#include "reports/report.h"
#include "support/scratch_dir.h"
#include "weather/hurricane_list.h"

namespace fault {

namespace fs = std::filesystem;

// The file's bytes, or a text saying why there are none (also in a child, where a failure would be lost).
inline std::string Bytes(const std::string& path) {
    std::string bytes, error;
    return ReadWholeFile(path, bytes, error) ? bytes : "<unreadable: " + error + ">";
}

// Runs the body in a forked child and gives back the text it returned, or
// nothing when it did not run to its end. The child never returns into the
// test framework: a failed expectation there would be lost, so it only reports.
inline std::optional<std::string> RunInChild(const std::function<std::string()>& body) {
    int fds[2];
    if (::pipe(fds) != 0) return std::nullopt;
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const std::string text = body() + '\n';
        ::_exit(::write(fds[1], text.data(), text.size()) == static_cast<ssize_t>(text.size()) ? 0 : 1);
    }
    ::close(fds[1]);
    std::string text;
    char buf[4096];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;)
        text.append(buf, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        text.empty() || text.back() != '\n')
        return std::nullopt;
    text.pop_back();
    return text;
}

// The six files the program saves, each through the call the program uses, and
// the message shown for a failed save where it has one of its own (else the
// fault itself is shown, naming the file).
enum FileKind { Voyage, Vessel, Port, Almanac, Cyclones, Report };
struct FileInfo {
    const char* name;
    const char* fixedMessage;
};
inline const FileInfo kFiles[] = {
    {"voyage.k7v", nullptr},  {"vessel.k7s", CVessel::kCantSaveMessage},   {"port.k7p", nullptr},
    {"almanac.dat", nullptr}, {"hurricane.dat", kHurricaneSaveFailedText}, {"report.k7r", nullptr}};

struct SaveOutcome {
    bool saved = false;
    std::string told; // what the user gets to read: the prompts shown, or the voyage's error
};

// Saves a record of the kind to the path, with a text of `textSize` characters
// in it (big enough to pass a size limit when asked). The voyage document also
// saves its vessel and cyclones beside it: those go to `sideFolder`.
inline SaveOutcome SaveAs(int kind, const std::string& path, std::size_t textSize, const std::string& sideFolder) {
    CFakeServices fake;
    fake.clock.Set(CTime::FromUtc(2026, 6, 1, 12, 0, 0));
    fake.settings.SetString(kSettingsSection, CVessel::kFileSetting,
                            kind == Vessel ? path : sideFolder + "/vessel.k7s");
    fake.settings.SetString(kSettingsSection, kHurricaneSettingKey,
                            kind == Cyclones ? path : sideFolder + "/hurricane.dat");
    const std::string text(textSize, 'x');
    SaveOutcome outcome;
    if (kind == Voyage) {
        CKeelmarkLiteDoc doc;
        doc.GetVoyage().SetTexts(text, "Liner", "042");
        outcome.saved = doc.SaveVoyageFile(path, outcome.told);
    } else if (kind == Vessel) {
        CVessel vessel;
        vessel.m_name = text;
        outcome.saved = vessel.SaveVesselFile();
    } else if (kind == Port) {
        CPort port;
        port.m_agent.m_notes = text;
        outcome.saved = port.ExportTo(path);
    } else if (kind == Almanac) {
        CAlmanac almanac;
        almanac.AddObject()->SetStar(text, "677", kAstroStar, 28.1, 0.0, 37.9, 0.0, 0.6);
        outcome.saved = almanac.SaveFile(path);
    } else if (kind == Cyclones) {
        CHurricaneList cyclones;
        cyclones.AddNew()->SetName(text);
        outcome.saved = cyclones.Save();
    } else {
        CReport report;
        report.SetHeader(text);
        outcome.saved = report.SaveFile(path);
    }
    for (const std::string& shown : fake.prompts.Texts())
        outcome.told += (outcome.told.empty() ? "" : "\n") + shown;
    return outcome;
}

// "told" when the save failed and the user read why (the fixed message, or the
// path and the fault); else what happened instead.
inline std::string Told(int kind, const SaveOutcome& outcome, const std::string& path, int err) {
    if (outcome.saved) return "saved";
    const char* fixed = kFiles[kind].fixedMessage;
    const bool told = fixed ? outcome.told == fixed
                            : outcome.told.find(path) != std::string::npos &&
                                  outcome.told.find(std::strerror(err)) != std::string::npos;
    return told ? "told" : "told \"" + outcome.told + "\"";
}

// Whether the file reads whole as a file of the type its name implies.
inline bool LoadsCleanly(const std::string& path) {
    CFakeServices fake;
    const RecordType* type = RecordTypeOfPath(path);
    std::string error;
    return type && LoadRecordFile(path, *type->makeFresh(), error) == LoadResult::Loaded;
}

} // namespace fault
