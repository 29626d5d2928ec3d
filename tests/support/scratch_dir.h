#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

// A folder of its own for one test, removed afterwards (permissions restored
// first, so a test that made it read-only still cleans up).
class CScratchDir {
public:
    CScratchDir();
    ~CScratchDir();
    CScratchDir(const CScratchDir&) = delete;
    CScratchDir& operator=(const CScratchDir&) = delete;

    std::filesystem::path path;
    std::string operator/(const std::string& name) const { return (path / name).string(); }
    std::size_t Entries() const;
};

// Whole-file helpers that fail the test (with the fault) when the file system says no.
std::string Slurp(const std::string& path);
void Put(const std::string& path, const std::string& bytes);
