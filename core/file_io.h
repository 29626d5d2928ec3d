#pragma once

#include <cstddef>
#include <string>

// Paths from the settings may use '\' as written by older installations.
std::string NormalizePath(const std::string& path);

// Reads a whole file. False, with a message naming the file and the fault, on failure.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);

// Writes a file so that it is either replaced whole or left as it was: the bytes go
// to a temporary file in the same folder, are flushed to disk, and the temporary file
// is renamed over the target. False, with a message naming the file and the fault.
bool WriteFileAtomic(const std::string& path, const std::string& bytes, std::string& error);

// Keeps a copy of a file that was refused as damaged, as "<path>.damaged", before
// anything can overwrite it. Returns the copy's name, or "" when no copy could be made.
std::string KeepDamagedCopy(const std::string& path);

// The same, written piece by piece: Open makes the temporary file, Write appends,
// Commit flushes and renames. Destroyed without a Commit, the temporary file goes
// and the target is untouched.
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
    std::string m_path;
    std::string m_folder;
    std::string m_temp;
    std::string m_error;
    int m_fd = -1;
};
