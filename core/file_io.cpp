#include "core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <dirent.h>
#include <sys/file.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "core/text_encoding.h"

std::string NormalizePath(const std::string& path) {
    std::string out = path;
    for (char& c : out)
        if (c == '\\') c = '/';
    return out;
}

namespace {

std::string Fault(const std::string& what, const std::string& path, const std::string& why) {
    return what + " " + Quoted(path) + ": " + why;
}

std::string Fault(const std::string& what, const std::string& path, int err) {
    return Fault(what, path, std::strerror(err));
}

// What a file that is not a regular file is, for the message refusing it.
std::string NotAFile(mode_t mode) {
    if (S_ISDIR(mode)) return std::strerror(EISDIR);
    const char* kind = S_ISFIFO(mode)                   ? "a FIFO"
                       : S_ISCHR(mode) || S_ISBLK(mode) ? "a device"
                       : S_ISSOCK(mode)                 ? "a socket"
                                                        : nullptr;
    return kind ? std::string("it is ") + kind + ", not a file" : std::string("it is not a regular file");
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

std::string BaseOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path names with the links of its last part followed (a link may
// point at a file that does not exist yet). False with errno on a loop.
bool FollowLinks(const std::string& path, std::string& target) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        std::vector<char> buf(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 2);
        const ssize_t n = ::readlink(target.c_str(), buf.data(), buf.size() - 1);
        if (n < 0) return false;
        const std::string link(buf.data(), static_cast<std::size_t>(n));
        target = link.starts_with('/') || target.find('/') == std::string::npos ? link : FolderOf(target) + "/" + link;
    }
    errno = ELOOP;
    return false;
}

// ".<base>.XXXXXX", the XXXXXX as mkstemp fills them.
bool IsTemporaryName(const std::string& name, const std::string& base) {
    if (name.size() < 9 || name[0] != '.' || name[name.size() - 7] != '.') return false;
    for (std::size_t i = name.size() - 6; i < name.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
    const std::string named = name.substr(1, name.size() - 8);
    return base.empty() ? !named.empty() && named != "." && named != ".." : named == base;
}

// Removes the stale temporary files of base in the folder ("" for every base).
int RemoveStaleTemporaries(const std::string& folder, const std::string& base) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 0;
    int removed = 0;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (!IsTemporaryName(name, base)) continue;
        const std::string path = folder + "/" + name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        // A save in progress holds the lock; one just begun may not have taken it yet, hence the age too.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            st.st_mtime <= now - kStaleTemporaryAgeSeconds && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::unlink(path.c_str()) == 0)
            ++removed;
        ::close(fd);
    }
    ::closedir(dir);
    return removed;
}

} // namespace

int RemoveStaleTemporaryFiles(const std::string& folder) { return RemoveStaleTemporaries(NormalizePath(folder), ""); }

bool ReadWholeFile(const std::string& rawPath, std::string& bytes, std::string& error) {
    const std::string path = NormalizePath(rawPath);
    // Looked at before opening: opening a FIFO would wait for a writer, and a device may act on its opening.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        error = Fault("Cannot read", path, NotAFile(st.st_mode));
        return false;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = Fault("Cannot open", path, errno);
        return false;
    }
    // Checked again on what was opened, in case the name changed hands in between.
    const bool known = ::fstat(fd, &st) == 0;
    const int err = errno;
    if (!known || !S_ISREG(st.st_mode) || st.st_size > kMaxReadBytes) {
        ::close(fd);
        error = Fault("Cannot read", path,
                      !known ? std::string(std::strerror(err))
                      : !S_ISREG(st.st_mode)
                          ? NotAFile(st.st_mode)
                          : "it is larger than any of the program's files (" + std::to_string(st.st_size) + " bytes)");
        return false;
    }
    const auto size = static_cast<std::size_t>(st.st_size);
    std::string data(size, '\0');
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, data.data() + done, size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            error = Fault("Cannot read", path, err);
            return false;
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    data.resize(done);
    bytes.swap(data);
    return true;
}

CAtomicFileWriter::~CAtomicFileWriter() { Abort(); }

void CAtomicFileWriter::Abort() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temp.empty()) {
        ::unlink(m_temp.c_str());
        m_temp.clear();
    }
}

bool CAtomicFileWriter::Fail(int err) { return Fail(std::string(std::strerror(err))); }

bool CAtomicFileWriter::Fail(const std::string& why) {
    if (m_error.empty()) m_error = Fault("Cannot write", m_path, why);
    Abort();
    return false;
}

bool CAtomicFileWriter::Open(const std::string& rawPath) {
    Abort();
    m_error.clear();
    m_path = NormalizePath(rawPath);
    const std::string named = BaseOf(m_path);
    if (named.empty() || named == "." || named == "..") return Fail(EISDIR);
    // Through a link the file it points to is replaced, so the link stays a link.
    if (!FollowLinks(m_path, m_target)) return Fail(errno);
    m_folder = FolderOf(m_target);
    const std::string base = BaseOf(m_target);
    if (base.empty() || base == "." || base == "..") return Fail(EISDIR);
    struct stat st {};
    const bool exists = ::stat(m_target.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) return Fail(NotAFile(st.st_mode));
    // Temporary files an interrupted save of this file left behind.
    RemoveStaleTemporaries(m_folder, base);
    std::string temp = m_target.substr(0, m_target.size() - base.size()) + "." + base + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    m_fd = ::mkstemp(name.data());
    if (m_fd < 0) return Fail(errno);
    m_temp = name.data();
    // The lock tells a clean-up in another process that this file is still being written.
    ::flock(m_fd, LOCK_EX | LOCK_NB);
    // Keep the permissions of the file being replaced; a new file gets 0666 less the umask.
    if (exists) {
        ::fchmod(m_fd, st.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(m_fd, 0666 & ~mask);
    }
    return true;
}

bool CAtomicFileWriter::Write(const char* data, std::size_t size) {
    if (m_fd < 0) return false;
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(m_fd, data + done, size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return Fail(errno);
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool CAtomicFileWriter::Commit() {
    if (m_fd < 0) return false;
    if (::fsync(m_fd) != 0 && errno != EINVAL) return Fail(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) return Fail(errno);
    if (::rename(m_temp.c_str(), m_target.c_str()) != 0) return Fail(errno);
    m_temp.clear();
    // Make the rename itself durable.
    const int dfd = ::open(m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

bool WriteFileAtomic(const std::string& path, const std::string& bytes, std::string& error) {
    CAtomicFileWriter file;
    if (!file.Open(path) || !file.Write(bytes.data(), bytes.size()) || !file.Commit()) {
        error = file.Error();
        return false;
    }
    return true;
}

std::string KeepDamagedCopy(const std::string& path) {
    std::string bytes, error;
    if (!ReadWholeFile(path, bytes, error)) return "";
    const std::string base = NormalizePath(path);
    for (int n = 1; n <= 99; ++n) {
        const std::string copy = base + (n == 1 ? std::string() : "." + std::to_string(n)) + ".damaged";
        struct stat st {};
        if (::lstat(copy.c_str(), &st) != 0) return WriteFileAtomic(copy, bytes, error) ? copy : "";
        // The same damage found again (at every start, say) is kept once.
        std::string kept;
        if (S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) == bytes.size() &&
            ReadWholeFile(copy, kept, error) && kept == bytes)
            return copy;
    }
    return "";
}
