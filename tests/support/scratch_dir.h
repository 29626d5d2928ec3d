#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A folder of its own (any number per test), removed afterwards (permissions
// restored first, so a test that made it read-only still cleans up).
class CScratchDir {
public:
    CScratchDir();
    ~CScratchDir();
    CScratchDir(const CScratchDir&) = delete;
    CScratchDir& operator=(const CScratchDir&) = delete;

    std::filesystem::path path;
    std::string operator/(const std::string& name) const { return (path / name).string(); }
    // The names in the folder, sorted: a leftover temporary file shows here.
    std::vector<std::string> Names() const;
};

// Whole-file helpers that fail the test (with the fault) when the file system says no.
std::string Slurp(const std::string& path);
void Put(const std::string& path, const std::string& bytes);
