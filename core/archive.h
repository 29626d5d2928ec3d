#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/time.h"

class CAtomicFileWriter;

// A value that could not be stored or read. The message names the value.
class CArchiveException : public std::runtime_error {
public:
    explicit CArchiveException(const std::string& what) : std::runtime_error(what) {}
};

// How a list keeps its count in the binary file. LongNoneBelowOne: a LONG count
// where 0 or less means no items (the lists whose readers always took it so).
enum class CountType { Long, Dword, LongNoneBelowOne };

// The field visitor behind every record's Serialize: the same call reads or
// writes a field, by name, so storing and loading always visit the same fields
// in the same order. The binary archive ignores the names except in its error
// messages; other archives (JSON in the command-line tool) use them as keys.
class CArchive {
public:
    virtual ~CArchive() = default;
    virtual bool IsStoring() const = 0;
    bool IsLoading() const { return !IsStoring(); }

    virtual void Long(const char* name, std::int32_t& value) = 0;
    virtual void Dword(const char* name, std::uint32_t& value) = 0;
    virtual void Double(const char* name, double& value) = 0;
    virtual void Time(const char* name, CTime& value) = 0;
    virtual void String(const char* name, std::string& value) = 0;

    // A contained record written in place (no bytes of its own in the binary file).
    virtual void BeginObject(const char* name) = 0;
    virtual void EndObject() = 0;

    // A counted list. Storing: count is the number of items to be written.
    // Loading: returns the number of items to read; minItemBytes is the least
    // an item takes in the binary file, so an impossible count fails at once.
    virtual std::size_t BeginList(const char* name, std::size_t count, CountType type, std::size_t minItemBytes) = 0;
    virtual void BeginItem() = 0;
    virtual void EndItem() = 0;
    virtual void EndList() = 0;

    // True for the binary file archive; records with file-only quirks check this.
    virtual bool IsBinary() const { return false; }
};

// Appends values to a byte string in the file encoding: little-endian integers,
// IEEE doubles, 4-byte unsigned times, counted Windows-1252 strings.
class CBinaryWriter : public CArchive {
public:
    CBinaryWriter() = default;
    // Streams into the file piece by piece instead of holding every byte.
    explicit CBinaryWriter(CAtomicFileWriter* file) : m_file(file) {}
    // Writes what is still buffered to the file; false on a write fault.
    bool Flush();

    bool IsStoring() const override { return true; }
    bool IsBinary() const override { return true; }

    void Long(const char* name, std::int32_t& value) override;
    void Dword(const char* name, std::uint32_t& value) override;
    void Double(const char* name, double& value) override;
    void Time(const char* name, CTime& value) override;
    void String(const char* name, std::string& value) override;
    void BeginObject(const char*) override {}
    void EndObject() override {}
    std::size_t BeginList(const char* name, std::size_t count, CountType type, std::size_t minItemBytes) override;
    void BeginItem() override {}
    void EndItem() override {}
    void EndList() override {}

    // Raw bytes, for tests and callers that write a prepared encoding.
    void WriteBytes(const void* data, std::size_t size);
    void WriteLong(std::int32_t v);
    void WriteDword(std::uint32_t v);
    void WriteDouble(double v);
    void WriteTime(CTime t, const char* name = "time");
    void WriteString(const std::string& utf8);

    void Reserve(std::size_t bytes) { m_bytes.reserve(bytes); }
    const std::string& Bytes() const { return m_bytes; }
    std::string TakeBytes() { return std::move(m_bytes); }

private:
    void MaybeFlush() {
        if (m_file && m_bytes.size() >= kFlushSize) Flush();
    }
    static constexpr std::size_t kFlushSize = 1 << 16;
    std::string m_bytes;
    CAtomicFileWriter* m_file = nullptr;
};

// Reads values from a byte string; every read is checked against the bytes left.
// A failure throws CArchiveException naming the value (with its path in the file).
class CBinaryReader : public CArchive {
public:
    CBinaryReader(const void* data, std::size_t size);
    explicit CBinaryReader(const std::string& bytes) : CBinaryReader(bytes.data(), bytes.size()) {}
    // The reader keeps a pointer into the bytes: a temporary would be gone at once.
    explicit CBinaryReader(std::string&&) = delete;

    bool IsStoring() const override { return false; }
    bool IsBinary() const override { return true; }

    void Long(const char* name, std::int32_t& value) override;
    void Dword(const char* name, std::uint32_t& value) override;
    void Double(const char* name, double& value) override;
    void Time(const char* name, CTime& value) override;
    void String(const char* name, std::string& value) override;
    void BeginObject(const char* name) override;
    void EndObject() override;
    std::size_t BeginList(const char* name, std::size_t count, CountType type, std::size_t minItemBytes) override;
    void BeginItem() override;
    void EndItem() override;
    void EndList() override;

    std::int32_t ReadLong(const char* name);
    std::uint32_t ReadDword(const char* name);
    double ReadDouble(const char* name);
    CTime ReadTime(const char* name);
    std::string ReadString(const char* name);

    std::size_t Remaining() const { return m_size - m_pos; }
    std::size_t Position() const { return m_pos; }
    bool AtEnd() const { return m_pos == m_size; }
    // Fails with a message naming what is wrong, at the current place in the file.
    [[noreturn]] void Fail(const std::string& what) const;

private:
    const unsigned char* Take(std::size_t n, const char* name);
    std::string PathOf(const char* name) const;

    const unsigned char* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    struct Frame {
        std::string name;
        long index; // -1 for an object, else the item index in a list
    };
    std::vector<Frame> m_path;
};

// Stores a record into bytes, or loads it from bytes into the record. Loading
// into a fresh object and checking that every byte was used is the caller's part.
template <typename T>
std::string StoreToBytes(T& record) {
    CBinaryWriter writer;
    record.Serialize(writer);
    return writer.TakeBytes();
}
