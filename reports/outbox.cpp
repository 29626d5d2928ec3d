#include "reports/outbox.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/event_log.h"
#include "core/file_io.h"
#include "core/text_encoding.h"
#include "platform/services.h"
#include "reports/report.h"

namespace {

// Messages of one minute waiting in the outbox before the writer gives up.
constexpr int kMaxSameMinute = 999;

// Text-mode line ends, whatever the text came with.
void AppendLines(std::string& out, const std::string& text) {
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n') out += '\r';
        out += c;
    }
}

std::string Why(const std::string& path, int err) { return Quoted(path) + ": " + std::strerror(err); }

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return ::fsync(fd) == 0;
}

} // namespace

std::string OutboxBaseName(int hour, int minute) {
    const int hhmm = hour * 100 + minute;
    return hhmm == 0 ? "REP" : "REP" + std::to_string(hhmm);
}

std::string OutboxExtension(int dataSystem) {
    switch (dataSystem) {
    case 0:
        return "";
    case 2:
        return ".txt";
    default:
        return ".msg";
    }
}

std::string OutboxMessageBytes(const CReport& report, const std::string& address) {
    std::string text = "SMF-71\nTo: " + address + "\n";
    if (!report.GetHeader().empty()) text += report.GetHeader() + "\n";
    for (int i = 0; i < report.GetLineCount(); ++i)
        text += report.GetLineText(i) + "\n";
    text += report.GetFooter();
    std::string out;
    AppendLines(out, Utf8ToCp1252(text));
    return out;
}

std::string ReportPrintText(const CReport& report) {
    std::string text;
    if (!report.GetHeader().empty()) text += report.GetHeader() + "\n";
    for (int i = 0; i < report.GetLineCount(); ++i)
        text += report.GetLineText(i) + "\n";
    return text + report.GetFooter();
}

std::string WriteOutboxFile(const std::string& folder, const std::string& base, const std::string& extension,
                            const std::string& bytes, std::string& error) {
    const std::string dir = NormalizePath(folder.empty() ? "." : folder);
    const std::string prefix = dir.back() == '/' ? dir : dir + "/";
    struct stat st {};
    if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        error = "The outbox folder " + Quoted(folder) + " does not exist or is not a folder";
        return "";
    }
    // Written whole under a hidden name first, then linked under the first free
    // name: a link never replaces a file, and the message appears complete.
    std::string temp = prefix + "." + base + extension + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = Why(prefix + base + extension, errno);
        return "";
    }
    // As any new file would be (mkstemp makes it private): the sending program may be another user.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    const bool written = WriteAll(fd, bytes);
    const int writeErr = errno;
    ::close(fd);
    if (!written) {
        ::unlink(temp.c_str());
        error = Why(prefix + base + extension, writeErr);
        return "";
    }
    std::string result;
    for (int n = 1; n <= kMaxSameMinute && result.empty() && error.empty(); ++n) {
        const std::string path = prefix + base + (n == 1 ? "" : "-" + std::to_string(n)) + extension;
        if (::link(temp.c_str(), path.c_str()) == 0) {
            result = path;
        } else if (errno == EEXIST) {
            continue;
        } else if (errno == EPERM || errno == ENOTSUP || errno == EXDEV || errno == EMLINK) {
            // A file system without links (a shared drive): create the name exclusively instead.
            const int out = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            if (out < 0 && errno == EEXIST) continue;
            if (out < 0 || !WriteAll(out, bytes)) {
                error = Why(path, errno);
                if (out >= 0) {
                    ::close(out);
                    ::unlink(path.c_str());
                }
            } else {
                ::close(out);
                result = path;
            }
        } else {
            error = Why(path, errno);
        }
    }
    ::unlink(temp.c_str());
    if (result.empty() && error.empty())
        error = "The outbox folder " + Quoted(folder) + " holds " + std::to_string(kMaxSameMinute) +
                " messages of this minute already";
    return result;
}

std::string WriteReportMessage(CReport& report, const std::string& address, bool alert) {
    std::string path;
    if (report.GetSendAsMessage()) {
        const CTime local = CEventLog::LocalNow();
        const CTimeFields fields = local.Utc();
        std::string error;
        path = WriteOutboxFile(services::GetString("outbox", "."), OutboxBaseName(fields.hour, fields.minute),
                               OutboxExtension(services::GetInt("datasys", 1)),
                               OutboxMessageBytes(report, address), error);
        if (path.empty()) {
            const std::string text = std::string(kOutboxCannotWriteText) + "\n" + error;
            if (alert)
                services::Prompts().Alert(text);
            else
                services::Prompts().Show(text);
        }
    }
    report.SetRemainingDistanceAtLastReport(report.GetRemainingDistance());
    report.SetTimeOfLastReport(services::Now());
    return path;
}
