#include "core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

std::string NormalizePath(const std::string& path) {
    std::string out = path;
    for (char& c : out)
        if (c == '\\') c = '/';
    return out;
}

namespace {

std::string Fault(const std::string& what, const std::string& path, int err) {
    return what + " \"" + path + "\": " + std::strerror(err);
}

} // namespace

bool ReadWholeFile(const std::string& rawPath, std::string& bytes, std::string& error) {
    const std::string path = NormalizePath(rawPath);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = Fault("Cannot open", path, errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        error = Fault("Cannot read", path, EISDIR);
        return false;
    }
    std::string data;
    if (st.st_size > 0) data.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            error = Fault("Cannot read", path, err);
            return false;
        }
        if (n == 0) break;
        data.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
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

bool CAtomicFileWriter::Fail(int err) {
    if (m_error.empty()) m_error = Fault("Cannot write", m_path, err);
    Abort();
    return false;
}

bool CAtomicFileWriter::Open(const std::string& rawPath) {
    Abort();
    m_error.clear();
    m_path = NormalizePath(rawPath);
    const std::size_t slash = m_path.find_last_of('/');
    m_folder = slash == std::string::npos ? std::string(".") : m_path.substr(0, slash == 0 ? 1 : slash);
    const std::string base = slash == std::string::npos ? m_path : m_path.substr(slash + 1);
    if (base.empty() || base == "." || base == "..") return Fail(EISDIR);
    struct stat st {};
    const bool exists = ::stat(m_path.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) return Fail(EISDIR);
    std::string temp = (slash == std::string::npos ? std::string() : m_path.substr(0, slash + 1)) + "." + base + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    m_fd = ::mkstemp(name.data());
    if (m_fd < 0) return Fail(errno);
    m_temp = name.data();
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
    if (::rename(m_temp.c_str(), m_path.c_str()) != 0) return Fail(errno);
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
    const std::string copy = NormalizePath(path) + ".damaged";
    return WriteFileAtomic(copy, bytes, error) ? copy : "";
}
