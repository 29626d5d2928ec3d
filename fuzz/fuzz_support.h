#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

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
inline bool ReadRecordBytes(const std::string& bytes, IRecord& fresh) {
    std::string fault;
    return DecodeRecordBytes(bytes, fresh, fault);
}

// The record as the file holds it. A record that was read must store, and its
// stored bytes must read again and store to themselves: no field changes on the way.
std::string StoreCanonically(IRecord& record, const RecordType& type);

// The record as `keelmark dump` prints it.
std::string DumpJson(IRecord& record);

// The folder of fuzz/corpus/ that holds a record type's seeds.
inline std::string CorpusFolder(const RecordType& type) {
    return std::string(type.name) == "hurricanes" ? "cyclones" : type.name;
}

// The checks for the reader of one record type. Whatever the bytes, reading
// never crashes; bytes that read store back canonically. For a type that stores
// back exactly, a file in the canonical form stores back byte for byte and any
// other accepted file is longer (a text length written in a wider form than needed).
void FuzzRecordReader(const std::uint8_t* data, std::size_t size, const RecordType& type);

// Every field a record visits, in order, as "name=value" (objects as "{name ... }",
// lists as "name[count ... ]"): the keys the JSON archive writes, and what lies
// under each. Loading (storing = false), every list offers `listSize` items.
class CFieldList : public CArchive {
public:
    bool storing = true;
    std::size_t listSize = 0;
    std::vector<std::string> names;
    std::string text;

    bool IsStoring() const override { return storing; }
    void Long(const char* n, std::int32_t& v) override { Add(n, std::to_string(v)); }
    void Dword(const char* n, std::uint32_t& v) override { Add(n, std::to_string(v)); }
    void Double(const char* n, double& v) override {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.10g", v);
        Add(n, buf);
    }
    void Time(const char* n, CTime& v) override { Add(n, std::to_string(v.GetTime())); }
    void String(const char* n, std::string& v) override { Add(n, v); }
    void BeginObject(const char* n) override { Mark(n, "{" + std::string(n ? n : "")); }
    void EndObject() override { Mark(nullptr, "}"); }
    std::size_t BeginList(const char* n, std::size_t count, CountType, std::size_t) override {
        Mark(n, std::string(n) + "[" + std::to_string(count));
        return storing ? count : listSize;
    }
    void BeginItem() override {}
    void EndItem() override {}
    void EndList() override { Mark(nullptr, "]"); }

private:
    void Add(const char* n, const std::string& value) { Mark(n, std::string(n) + "=" + value); }
    void Mark(const char* n, const std::string& entry) {
        if (n && *n) names.push_back(n);
        text += (text.empty() ? "" : " ") + entry;
    }
};

// The fields of a record, as CFieldList lists them.
template <typename T> std::string FieldsOf(T& record) {
    CFieldList list;
    record.Serialize(list);
    return list.text;
}
