#pragma once

#include <cstddef>
#include <string>

// Paths from the settings may use '\' as written by older installations.
std::string NormalizePath(const std::string& path);

// The largest file read whole; anything bigger is not one of the program's files.
inline constexpr long long kMaxReadBytes = 1LL << 30;

// Reads a whole file. False, with a message naming the file and the fault, on failure.
// Only a regular file is read (a link to one is followed): a folder, a FIFO, a
// device or a socket is refused before it is opened, and the read stops at the
// size the file had when it was opened.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);

// Writes a file so that it is either replaced whole or left as it was: the bytes go
// to a temporary file in the same folder, are flushed to disk, and the temporary file
// is renamed over the target. False, with a message naming the file and the fault.
bool WriteFileAtomic(const std::string& path, const std::string& bytes, std::string& error);

// Keeps a copy of a file that was refused as damaged, before anything can overwrite
// it: "<path>.damaged", or "<path>.2.damaged" and so on when an earlier, different
// copy is already kept (a copy with the same bytes is not made twice). Returns the
// copy's name, or "" when no copy could be made.
std::string KeepDamagedCopy(const std::string& path);

// A save's temporary file is ".<name>.XXXXXX" beside its target (six letters or
// digits), locked while it is written. One left behind by a crash is stale once it
// is unlocked and untouched for this long; a save of the same file removes the
// stale ones of its name before it starts.
inline constexpr long kStaleTemporaryAgeSeconds = 10 * 60;
// Removes the stale temporary files of every name in the folder (at start-up, in
// the data folder). Only files of that pattern, owned by this user, are touched.
// Returns how many were removed.
int RemoveStaleTemporaryFiles(const std::string& folder);

// Writes a file piece by piece: Open makes the temporary file, Write appends,
// Commit flushes and renames. Destroyed without a Commit, the temporary file goes
// and the target is untouched. A target that is a symbolic link is saved through
// it: the file it points to is replaced and the link stays. A target that exists
// but is not a regular file (a folder, FIFO or device) is refused.
class CAtomicFileWriter {
public:
    CAtomicFileWriter() = default;
    ~CAtomicFileWriter();
    CAtomicFileWriter(const CAtomicFileWriter&) = delete;
    CAtomicFileWriter& operator=(const CAtomicFileWriter&) = delete;

    bool Open(const std::string& path);
    bool Write(const char* data, std::size_t size);
    bool Commit();
    void Abort();
    // The first fault met, naming the file.
    const std::string& Error() const { return m_error; }

private:
    bool Fail(int err);
    bool Fail(const std::string& why);
    std::string m_path;   // as given, for messages
    std::string m_target; // the file replaced: the path with its links followed
    std::string m_folder;
    std::string m_temp;
    std::string m_error;
    int m_fd = -1;
};
