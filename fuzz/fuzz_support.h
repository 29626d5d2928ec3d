#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/archive.h"

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

// Reads the bytes as a whole file of one record, the way LoadRecordFile does:
// into a fresh object, every byte used. False when the reader refuses them.
template <typename T> bool ReadRecordBytes(const std::string& bytes, T& fresh) {
    try {
        CBinaryReader reader(bytes);
        fresh.Serialize(reader);
        if (!reader.AtEnd()) reader.Fail(std::to_string(reader.Remaining()) + " unexpected bytes follow the data");
    } catch (const CArchiveException&) {
        return false;
    }
    return true;
}

// Stores a record that was just read; a stored record must never be refused.
template <typename T> std::string StoreRecordBytes(T& record, const char* what) {
    try {
        return StoreToBytes(record);
    } catch (const CArchiveException& e) {
        FuzzFail(std::string(what) + ": a record that was read cannot be stored: " + e.what());
    }
}

// The checks for a reader of one record type. Whatever the bytes, reading never
// crashes. Bytes that read store back canonically: the stored bytes read again
// and store to themselves, so no field changes on the way. A file in the
// canonical form stores back byte for byte; any other accepted file is longer
// (a text length written in a wider form than needed).
template <typename MakeFresh>
void FuzzRecordReader(const std::uint8_t* data, std::size_t size, const char* what, MakeFresh makeFresh,
                      bool canonicalIsShorter = true) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    auto first = makeFresh();
    if (!ReadRecordBytes(input, *first)) return;
    g_fuzzInputAccepted = true;
    const std::string stored = StoreRecordBytes(*first, what);
    first.reset(); // the heap budget is for one record at a time

    auto second = makeFresh();
    if (!ReadRecordBytes(stored, *second))
        FuzzFail(std::string(what) + ": stored bytes of an accepted file are refused");
    if (StoreRecordBytes(*second, what) != stored)
        FuzzFail(std::string(what) + ": a record read from its own stored bytes stores differently");

    if (canonicalIsShorter) {
        if (stored.size() == input.size() && stored != input)
            FuzzFail(std::string(what) + ": an accepted file does not store back byte for byte");
        if (stored.size() > input.size())
            FuzzFail(std::string(what) + ": an accepted file stores back longer than it was");
    }
}
