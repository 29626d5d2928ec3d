#pragma once

#include <string>

#include "core/archive.h"
#include "core/file_io.h"
#include "core/text_encoding.h"

// Saves a record to its file atomically, streaming it through a storing archive.
// False, with a message naming the file and the fault; the previous file is then intact.
template <typename T> bool SaveRecordFile(const std::string& path, T& record, std::string& error) {
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
        error = file.Error().empty() ? "Cannot write " + Quoted(NormalizePath(path)) + ": " + e.what() : file.Error();
        return false;
    }
    if (!file.Commit()) {
        error = file.Error();
        return false;
    }
    return true;
}

// Decodes the whole of a file's bytes into a fresh record. Bytes left over after
// the record mean the file is not what it claims to be. False, with the fault
// (not naming any file), when the bytes are refused.
template <typename T> bool DecodeRecordBytes(const std::string& bytes, T& fresh, std::string& fault) {
    try {
        CBinaryReader reader(bytes);
        fresh.Serialize(reader);
        if (!reader.AtEnd()) reader.Fail(std::to_string(reader.Remaining()) + " unexpected bytes follow the data");
    } catch (const CArchiveException& e) {
        fault = e.what();
        return false;
    }
    return true;
}

// A file that cannot be read at all is told apart from one that is damaged:
// their readers give them different messages.
enum class LoadResult { Loaded, Unreadable, Damaged };

// Reads a whole file into a record. The caller passes a fresh record and keeps it
// only when Loaded, so a failed load changes nothing. Otherwise error names the
// file and the fault.
template <typename T> LoadResult LoadRecordFile(const std::string& path, T& fresh, std::string& error) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, error)) return LoadResult::Unreadable;
    std::string fault;
    if (!DecodeRecordBytes(bytes, fresh, fault)) {
        error = Quoted(NormalizePath(path)) + " is damaged: " + fault;
        return LoadResult::Damaged;
    }
    return LoadResult::Loaded;
}
