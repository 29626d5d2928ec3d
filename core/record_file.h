#pragma once

#include <string>

#include "core/archive.h"
#include "core/file_io.h"

// Saves a record to its file atomically, streaming it through a storing archive.
// False, with a message naming the file and the fault; the previous file is then intact.
template <typename T>
bool SaveRecordFile(const std::string& path, T& record, std::string& error) {
    CAtomicFileWriter file;
    if (!file.Open(path)) {
        error = file.Error();
        return false;
    }
    try {
        CBinaryWriter writer(&file);
        record.Serialize(writer);
        writer.Flush();
    } catch (const CArchiveException& e) {
        error = file.Error().empty() ? "Cannot write \"" + NormalizePath(path) + "\": " + e.what() : file.Error();
        return false;
    }
    if (!file.Commit()) {
        error = file.Error();
        return false;
    }
    return true;
}

// Reads a whole file into a record. The caller passes a fresh record and keeps it
// only on success, so a failed load changes nothing. Bytes left over after the
// record mean the file is not what it claims to be, and fail the load too.
template <typename T>
bool LoadRecordFile(const std::string& path, T& fresh, std::string& error) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, error)) return false;
    try {
        CBinaryReader reader(bytes);
        fresh.Serialize(reader);
        if (!reader.AtEnd())
            reader.Fail(std::to_string(reader.Remaining()) + " unexpected bytes follow the data");
    } catch (const CArchiveException& e) {
        error = "\"" + NormalizePath(path) + "\" is damaged: " + e.what();
        return false;
    }
    return true;
}
