#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/archive.h"
#include "core/record_file.h"
#include "document/record_types.h"

// What every fuzz target shares: a hard failure that the fuzzer (and the corpus
// replay) reports as a crash, and a watch on the heap so that no input makes
// the readers allocate more than a small multiple of its own size.

// Prints what went wrong and aborts: libFuzzer saves the input, the replay fails.
[[noreturn]] void FuzzFail(const std::string& what);

// Watches every allocation made while it lives (only in builds with
// AddressSanitizer, whose allocator reports them; elsewhere it does nothing).
// Aborts at the allocation that takes the bytes in use above
// factor * inputSize + kFuzzHeapAllowance.
class CFuzzHeapBudget {
public:
    CFuzzHeapBudget(std::size_t inputSize, std::size_t factor);
    ~CFuzzHeapBudget();
    CFuzzHeapBudget(const CFuzzHeapBudget&) = delete;
    CFuzzHeapBudget& operator=(const CFuzzHeapBudget&) = delete;
};

// Set by a target when the input was read as a valid file, so that the corpus
// replay can check that the seed files still are.
extern bool g_fuzzInputAccepted;

// Room for the fixed cost of a fresh record and of the parsers, whatever the input.
inline constexpr std::size_t kFuzzHeapAllowance = 64 * 1024;
// A file's bytes become records, texts twice their size in UTF-8, and lists
// that grow by doubling (report lines: 40 bytes in memory for 5 in the file):
// the worst files found take about 25 times their size.
inline constexpr std::size_t kFuzzFileHeapFactor = 32;
// A JSON document is parsed whole first, at 16 bytes and more per value
// however short its text ("[[[[" nests an array per byte): the worst found
// take about 55 times their size.
inline constexpr std::size_t kFuzzJsonHeapFactor = 64;

// Reads the bytes as a whole file of one record, as LoadRecordFile does.
// False when the reader refuses them.
template <typename T> bool ReadRecordBytes(const std::string& bytes, T& fresh) {
    std::string fault;
    return DecodeRecordBytes(bytes, fresh, fault);
}

// Stores a record that was just read; a stored record must never be refused.
template <typename T> std::string StoreRecordBytes(T& record, const char* what) {
    try {
        return StoreToBytes(record);
    } catch (const CArchiveException& e) {
        FuzzFail(std::string(what) + ": a record that was read cannot be stored: " + e.what());
    }
}

// The folder of fuzz/corpus/ that holds a record type's seeds.
inline std::string CorpusFolder(const RecordType& type) {
    return std::string(type.name) == "hurricanes" ? "cyclones" : type.name;
}

// The checks for the reader of one record type. Whatever the bytes, reading
// never crashes. Bytes that read store back canonically: the stored bytes read
// again and store to themselves, so no field changes on the way. For a type
// that stores back exactly, a file in the canonical form stores back byte for
// byte and any other accepted file is longer (a text length written in a wider
// form than needed).
void FuzzRecordReader(const std::uint8_t* data, std::size_t size, const RecordType& type);
