#pragma once

// What the fault-injection tests share: a scratch folder, a child process to
// hold a fault that must not touch the test runner itself (a file size limit,
// another user, a private mount, a kill), and the program's six saved files.

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <system_error>
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

// A folder of its own under the temporary folder, removed with everything in
// it afterwards (write permission given back first).
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
        for (auto it = fs::recursive_directory_iterator(path, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec))
            if (it->is_directory(ec)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path, ec);
    }
    CScratch(const CScratch&) = delete;
    CScratch& operator=(const CScratch&) = delete;

    std::string operator/(const std::string& name) const { return (path / name).string(); }
    // The names in the folder, sorted: a leftover temporary file shows here.
    std::vector<std::string> Names() const { return NamesIn(path); }
    static std::vector<std::string> NamesIn(const fs::path& folder) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path path;
};

inline std::string Bytes(const std::string& path) {
    std::string bytes, error;
    if (!ReadWholeFile(path, bytes, error)) return "<unreadable: " + error + ">";
    return bytes;
}

// Runs the body in a forked child and gives back what it returned. The child
// never returns into the test framework: a failed expectation there would be
// lost, so the body only reports and the parent checks.
struct ChildResult {
    bool finished = false; // the body ran to its end
    std::string text;
};

inline ChildResult RunInChild(const std::function<std::string()>& body) {
    int fds[2];
    if (::pipe(fds) != 0) return {};
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) return {};
    if (pid == 0) {
        ::close(fds[0]);
        std::string text = body();
        text.insert(0, "1");
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
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) != 0;) {
        if (n < 0) {
            if (errno == EINTR) continue;
            break;
        }
        text.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ChildResult result;
    result.finished = WIFEXITED(status) && WEXITSTATUS(status) == 0 && !text.empty() && text[0] == '1';
    if (result.finished) result.text = text.substr(1);
    return result;
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
    if (kind == FileKind::Vessel) return CVessel::kCantSaveMessage;
    if (kind == FileKind::Cyclones) return kHurricaneSaveFailedText;
    return nullptr;
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
    SaveOutcome outcome;
    switch (kind) {
    case FileKind::Voyage: {
        fake.settings.SetString(kSettingsSection, CVessel::kFileSetting, sideFolder + "/vessel.k7s");
        fake.settings.SetString(kSettingsSection, kHurricaneSettingKey, sideFolder + "/hurricane.dat");
        CKeelmarkLiteDoc doc;
        doc.GetVoyage().SetTexts(text, "Liner", "042");
        outcome.saved = doc.SaveVoyageFile(path, outcome.told);
        break;
    }
    case FileKind::Vessel: {
        fake.settings.SetString(kSettingsSection, CVessel::kFileSetting, path);
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
        fake.settings.SetString(kSettingsSection, kHurricaneSettingKey, path);
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
    if (!type) return false;
    auto fresh = type->makeFresh();
    std::string error;
    return LoadRecordFile(path, *fresh, error) == LoadResult::Loaded;
}

// Outcomes passed from a child as text: fields split by \x1f, records by \x1e.
inline std::string Pack(const std::vector<std::string>& fields) {
    std::string out;
    for (const std::string& f : fields)
        out += f + '\x1f';
    return out + '\x1e';
}

inline std::vector<std::vector<std::string>> Unpack(const std::string& text) {
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> fields;
    std::string field;
    for (char c : text) {
        if (c == '\x1f') {
            fields.push_back(field);
            field.clear();
        } else if (c == '\x1e') {
            records.push_back(fields);
            fields.clear();
        } else {
            field += c;
        }
    }
    return records;
}

} // namespace fault
