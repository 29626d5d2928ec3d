#pragma once

#include <string>

// Paths from the settings may use '\' as written by older installations.
std::string NormalizePath(const std::string& path);

// Reads a whole file. False, with a message naming the file and the fault, on failure.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);

// Writes a file so that it is either replaced whole or left as it was: the bytes go
// to a temporary file in the same folder, are flushed to disk, and the temporary file
// is renamed over the target. False, with a message naming the file and the fault.
bool WriteFileAtomic(const std::string& path, const std::string& bytes, std::string& error);
