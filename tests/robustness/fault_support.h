#pragma once

// What the fault-injection tests share: a child process to hold a fault that
// must not touch the test runner itself (a file size limit, another user, a
// private mount, a kill), and the program's six saved files.

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "astro/almanac.h"
#include "core/file_io.h"
#include "core/record_file.h"
#include "document/keelmark_lite_doc.h"
#include "document/record_types.h"
#include "particulars/port.h"
#include "particulars/vessel.h"
#include "platform/fake/fake_services.h"
#include "reports/report.h"
#include "weather/hurricane_list.h"

namespace fault {

namespace fs = std::filesystem;

// The names in the folder, sorted: a leftover temporary file shows here.
inline std::vector<std::string> NamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A folder of its own (any number per test), open to other users to read, removed afterwards.
class CScratch {
public:
    CScratch() {
        std::string pattern = (fs::temp_directory_path() / "keelmark-fault-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        path = pattern;
        fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
    }
    ~CScratch() {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path, ec);
    }
    CScratch(const CScratch&) = delete;
    CScratch& operator=(const CScratch&) = delete;
    std::string operator/(const std::string& name) const { return (path / name).string(); }
    std::vector<std::string> Names() const { return NamesIn(path); }
    fs::path path;
};

// The file's bytes, or a text saying why there are none (also in a child, where a failure would be lost).
inline std::string Bytes(const std::string& path) {
    std::string bytes, error;
    return ReadWholeFile(path, bytes, error) ? bytes : "<unreadable: " + error + ">";
}

// Runs the body in a forked child and gives back its lines of fields (split by
// \x1f), or nothing when it did not run to its end. The child never returns into
// the test framework: a failed expectation there would be lost, so it only reports.
using Records = std::vector<std::vector<std::string>>;
inline std::string Pack(const std::vector<std::string>& fields) {
    std::string out;
    for (const std::string& f : fields)
        out += f + '\x1f';
    return out + '\x1e';
}

inline bool RunInChild(const std::function<std::string()>& body, Records& records) {
    int fds[2];
    if (::pipe(fds) != 0) return false;
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) return false;
    if (pid == 0) {
        ::close(fds[0]);
        const std::string text = body() + "\x1d";
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t n = ::write(fds[1], text.data() + done, text.size() - done);
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string text;
    char buf[4096];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) != 0;)
        if (n > 0)
            text.append(buf, static_cast<std::size_t>(n));
        else if (errno != EINTR)
            break;
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || text.empty() || text.back() != '\x1d') return false;
    records.clear();
    std::istringstream in(text.substr(0, text.size() - 1));
    for (std::string record, field; std::getline(in, record, '\x1e');) {
        records.emplace_back();
        std::istringstream fields(record);
        while (std::getline(fields, field, '\x1f'))
            records.back().push_back(field);
    }
    return true;
}

// The six files the program saves, each through the call the program uses.
enum class FileKind { Voyage, Vessel, Port, Almanac, Cyclones, Report };
inline constexpr FileKind kAllFiles[] = {FileKind::Voyage,  FileKind::Vessel,   FileKind::Port,
                                         FileKind::Almanac, FileKind::Cyclones, FileKind::Report};

inline const char* FileName(FileKind kind) {
    static const char* const names[] = {"voyage.k7v",  "vessel.k7s",    "port.k7p",
                                        "almanac.dat", "hurricane.dat", "report.k7r"};
    return names[static_cast<int>(kind)];
}

// The message the program shows for a failed save where it has one of its
// own; nullptr where it shows the fault itself, naming the file.
inline const char* FixedMessage(FileKind kind) {
    return kind == FileKind::Vessel     ? CVessel::kCantSaveMessage
           : kind == FileKind::Cyclones ? kHurricaneSaveFailedText
                                        : nullptr;
}

struct SaveOutcome {
    bool saved = false;
    std::string told; // what the user gets to read: the prompts shown, or the voyage's error
};

// Saves a record of the kind to the path, with a text of `textSize` characters
// in it (big enough to pass a size limit when asked). The voyage document also
// saves its vessel and cyclones beside it: those go to `sideFolder`.
inline SaveOutcome SaveAs(FileKind kind, const std::string& path, std::size_t textSize, const std::string& sideFolder) {
    CFakeServices fake;
    fake.clock.Set(CTime::FromUtc(2026, 6, 1, 12, 0, 0));
    const std::string text(textSize, 'x');
    const auto setting = [&](const char* key, const std::string& value) {
        fake.settings.SetString(kSettingsSection, key, value);
    };
    SaveOutcome outcome;
    switch (kind) {
    case FileKind::Voyage: {
        setting(CVessel::kFileSetting, sideFolder + "/vessel.k7s");
        setting(kHurricaneSettingKey, sideFolder + "/hurricane.dat");
        CKeelmarkLiteDoc doc;
        doc.GetVoyage().SetTexts(text, "Liner", "042");
        outcome.saved = doc.SaveVoyageFile(path, outcome.told);
        break;
    }
    case FileKind::Vessel: {
        setting(CVessel::kFileSetting, path);
        CVessel vessel;
        vessel.m_name = text;
        outcome.saved = vessel.SaveVesselFile();
        break;
    }
    case FileKind::Port: {
        CPort port;
        port.m_agent.m_notes = text;
        outcome.saved = port.ExportTo(path);
        break;
    }
    case FileKind::Almanac: {
        CAlmanac almanac;
        almanac.AddObject()->SetStar(text, "677", kAstroStar, 28.1, 0.0, 37.9, 0.0, 0.6);
        outcome.saved = almanac.SaveFile(path);
        break;
    }
    case FileKind::Cyclones: {
        setting(kHurricaneSettingKey, path);
        CHurricaneList cyclones;
        cyclones.AddNew()->SetName(text);
        outcome.saved = cyclones.Save();
        break;
    }
    case FileKind::Report: {
        CReport report;
        report.SetHeader(text);
        outcome.saved = report.SaveFile(path);
        break;
    }
    }
    for (const std::string& shown : fake.prompts.Texts())
        outcome.told += (outcome.told.empty() ? "" : "\n") + shown;
    return outcome;
}

// Whether the file reads whole as a file of the type its name implies.
inline bool LoadsCleanly(const std::string& path) {
    CFakeServices fake;
    const RecordType* type = RecordTypeOfPath(path);
    std::string error;
    return type && LoadRecordFile(path, *type->makeFresh(), error) == LoadResult::Loaded;
}

} // namespace fault
