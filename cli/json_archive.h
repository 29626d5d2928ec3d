#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cli/json_writer.h"
#include "core/archive.h"

// Writes the records visited by Serialize as one JSON document, keys in file order.
class CJsonOutArchive : public CArchive {
public:
    CJsonOutArchive() = default;
    explicit CJsonOutArchive(std::ostream* out) : m_writer(out) {}
    void Finish() { m_writer.Finish(); }
    bool IsStoring() const override { return true; }
    void Long(const char* name, std::int32_t& value) override { m_writer.Integer(name, value); }
    void Dword(const char* name, std::uint32_t& value) override { m_writer.Integer(name, value); }
    void Double(const char* name, double& value) override { m_writer.Double(name, value); }
    void Time(const char* name, CTime& value) override { m_writer.Integer(name, value.GetTime()); }
    void String(const char* name, std::string& value) override { m_writer.String(name, value); }
    void BeginObject(const char* name) override { m_writer.BeginObject(name); }
    void EndObject() override { m_writer.EndObject(); }
    std::size_t BeginList(const char* name, std::size_t count, CountType, std::size_t) override {
        m_writer.BeginArray(name);
        return count;
    }
    void BeginItem() override { m_writer.BeginObject(); }
    void EndItem() override { m_writer.EndObject(); }
    void EndList() override { m_writer.EndArray(); }

    std::string Text() const { return m_writer.Text(); }

private:
    CJsonWriter m_writer;
};

// Reads records from a JSON document in the shape CJsonOutArchive writes.
// A missing, duplicate or unknown key, a value of the wrong type or out of its
// range, and text Windows-1252 cannot hold fail with CArchiveException naming
// the key and where it is.
class CJsonInArchive : public CArchive {
public:
    // Throws CArchiveException when the text is not JSON or not an object.
    explicit CJsonInArchive(const std::string& text);
    ~CJsonInArchive() override;

    bool IsStoring() const override { return false; }
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
    // Refuses a key of the document that no field read.
    void Finish();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
