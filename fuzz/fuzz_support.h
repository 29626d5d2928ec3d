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
// replay) reports as a crash, and a heap budget so that no input makes the
// readers allocate more than a small multiple of its own size.

[[noreturn]] void FuzzFail(const std::string& what);

// Aborts at the allocation that takes the bytes in use above factor * inputSize
// + kFuzzHeapAllowance (only under AddressSanitizer, whose allocator reports them).
class CFuzzHeapBudget {
public:
    CFuzzHeapBudget(std::size_t inputSize, std::size_t factor);
    ~CFuzzHeapBudget();
    CFuzzHeapBudget(const CFuzzHeapBudget&) = delete;
    CFuzzHeapBudget& operator=(const CFuzzHeapBudget&) = delete;
};

// Set when the input was read as a valid file: the replay checks the seeds still are.
extern bool g_fuzzInputAccepted;

// Room for the fixed cost of a fresh record and of the parsers, whatever the input.
inline constexpr std::size_t kFuzzHeapAllowance = 64 * 1024;
// Texts take twice their size in UTF-8 and lists grow by doubling (report
// lines: 40 bytes in memory for 5 in the file): the worst files take about 25
// times their size.
inline constexpr std::size_t kFuzzFileHeapFactor = 32;
// A JSON document is parsed whole first, 16 bytes and more per value ("[[[["
// nests an array per byte): the worst take about 55 times their size.
inline constexpr std::size_t kFuzzJsonHeapFactor = 64;

inline bool ReadRecordBytes(const std::string& bytes, IRecord& fresh) {
    std::string fault;
    return DecodeRecordBytes(bytes, fresh, fault);
}

// The record as the file holds it; fails unless those bytes read again and
// store to themselves (no field changes on the way).
std::string StoreCanonically(IRecord& record, const RecordType& type);

// The record as `keelmark dump` prints it.
std::string DumpJson(IRecord& record);

inline std::string CorpusFolder(const RecordType& type) {
    return std::string(type.name) == "hurricanes" ? "cyclones" : type.name;
}

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
