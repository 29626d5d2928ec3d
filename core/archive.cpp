#include "core/archive.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include "core/file_io.h"
#include "core/text_encoding.h"

static_assert(std::numeric_limits<double>::is_iec559, "the file encoding needs IEEE doubles");

// ---- writer --------------------------------------------------------------

void CBinaryWriter::WriteBytes(const void* data, std::size_t size) {
    m_bytes.append(static_cast<const char*>(data), size);
}

void CBinaryWriter::WriteDword(std::uint32_t v) {
    const char b[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                       static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 24) & 0xFF)};
    m_bytes.append(b, 4);
}

void CBinaryWriter::WriteLong(std::int32_t v) { WriteDword(static_cast<std::uint32_t>(v)); }

void CBinaryWriter::WriteDouble(double v) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(v);
    char b[8];
    for (int i = 0; i < 8; ++i) b[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    m_bytes.append(b, 8);
}

void CBinaryWriter::WriteTime(CTime t, const char* name) {
    // The file keeps 4 unsigned bytes; a time outside them must not be stored wrapped.
    if (t.GetTime() < 0 || t.GetTime() > 0xFFFFFFFFLL)
        throw CArchiveException(std::string("The time \"") + name + "\" (" + t.IsoText() +
                                ") cannot be stored: the file holds times from 1970-01-01 to 2106-02-07 only");
    WriteDword(static_cast<std::uint32_t>(t.GetTime()));
}

void CBinaryWriter::WriteString(const std::string& utf8) {
    const std::string bytes = Utf8ToCp1252(utf8);
    const std::size_t len = bytes.size();
    if (len < 255) {
        m_bytes += static_cast<char>(len);
    } else if (len < 0xFFFE) {
        m_bytes += static_cast<char>(0xFF);
        m_bytes += static_cast<char>(len & 0xFF);
        m_bytes += static_cast<char>((len >> 8) & 0xFF);
    } else {
        if (len > 0xFFFFFFFFu) throw CArchiveException("A text is too long to be stored");
        m_bytes += static_cast<char>(0xFF);
        m_bytes += static_cast<char>(0xFF);
        m_bytes += static_cast<char>(0xFF);
        WriteDword(static_cast<std::uint32_t>(len));
    }
    m_bytes += bytes;
}

bool CBinaryWriter::Flush() {
    if (!m_file) return true;
    const bool ok = m_file->Write(m_bytes.data(), m_bytes.size());
    m_bytes.clear();
    if (!ok) throw CArchiveException(m_file->Error());
    return ok;
}

void CBinaryWriter::Long(const char*, std::int32_t& value) {
    WriteLong(value);
    MaybeFlush();
}
void CBinaryWriter::Dword(const char*, std::uint32_t& value) {
    WriteDword(value);
    MaybeFlush();
}
void CBinaryWriter::Double(const char*, double& value) {
    WriteDouble(value);
    MaybeFlush();
}
void CBinaryWriter::Time(const char* name, CTime& value) {
    WriteTime(value, name);
    MaybeFlush();
}
void CBinaryWriter::String(const char*, std::string& value) {
    WriteString(value);
    MaybeFlush();
}

std::size_t CBinaryWriter::BeginList(const char* name, std::size_t count, CountType type, std::size_t) {
    if (type != CountType::Dword) {
        if (count > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
            throw CArchiveException(std::string("Too many entries in \"") + name + "\" to be stored");
        WriteLong(static_cast<std::int32_t>(count));
    } else {
        if (count > 0xFFFFFFFFu) throw CArchiveException(std::string("Too many entries in \"") + name + "\" to be stored");
        WriteDword(static_cast<std::uint32_t>(count));
    }
    return count;
}

// ---- reader --------------------------------------------------------------

CBinaryReader::CBinaryReader(const void* data, std::size_t size)
    : m_data(static_cast<const unsigned char*>(data)), m_size(size) {}

std::string CBinaryReader::PathOf(const char* name) const {
    std::string path;
    for (const Frame& f : m_path) {
        if (f.index < 0 && f.name.empty()) continue;
        if (!path.empty() && f.index < 0) path += '.';
        if (f.index < 0) path += f.name;
        else path += "[" + std::to_string(f.index) + "]";
    }
    if (name && *name) {
        if (!path.empty()) path += '.';
        path += name;
    }
    return path;
}

void CBinaryReader::Fail(const std::string& what) const {
    throw CArchiveException(what + " (at byte " + std::to_string(m_pos) + ")");
}

const unsigned char* CBinaryReader::Take(std::size_t n, const char* name) {
    if (n > m_size - m_pos)
        Fail("The file ends before \"" + PathOf(name) + "\": " + std::to_string(n) + " bytes needed, " +
             std::to_string(m_size - m_pos) + " left");
    const unsigned char* p = m_data + m_pos;
    m_pos += n;
    return p;
}

std::uint32_t CBinaryReader::ReadDword(const char* name) {
    const unsigned char* p = Take(4, name);
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int32_t CBinaryReader::ReadLong(const char* name) { return static_cast<std::int32_t>(ReadDword(name)); }

double CBinaryReader::ReadDouble(const char* name) {
    const unsigned char* p = Take(8, name);
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | p[i];
    return std::bit_cast<double>(bits);
}

CTime CBinaryReader::ReadTime(const char* name) { return CTime(static_cast<std::int64_t>(ReadDword(name))); }

std::string CBinaryReader::ReadString(const char* name) {
    const std::size_t start = m_pos;
    std::size_t len = *Take(1, name);
    if (len == 0xFF) {
        const unsigned char* p = Take(2, name);
        len = static_cast<std::size_t>(p[0]) | (static_cast<std::size_t>(p[1]) << 8);
        if (len == 0xFFFE) {
            m_pos = start;
            Fail("The text \"" + PathOf(name) + "\" is stored with 16-bit characters, which are not supported");
        }
        if (len == 0xFFFF) len = ReadDword(name);
    }
    const unsigned char* chars = Take(len, name);
    return Cp1252ToUtf8(std::string(reinterpret_cast<const char*>(chars), len));
}

void CBinaryReader::Long(const char* name, std::int32_t& value) { value = ReadLong(name); }
void CBinaryReader::Dword(const char* name, std::uint32_t& value) { value = ReadDword(name); }
void CBinaryReader::Double(const char* name, double& value) { value = ReadDouble(name); }
void CBinaryReader::Time(const char* name, CTime& value) { value = ReadTime(name); }
void CBinaryReader::String(const char* name, std::string& value) { value = ReadString(name); }

void CBinaryReader::BeginObject(const char* name) { m_path.push_back({name ? name : "", -1}); }
void CBinaryReader::EndObject() {
    if (!m_path.empty()) m_path.pop_back();
}

std::size_t CBinaryReader::BeginList(const char* name, std::size_t, CountType type, std::size_t minItemBytes) {
    std::size_t count = 0;
    if (type == CountType::LongNoneBelowOne) {
        count = static_cast<std::size_t>(std::max(ReadLong(name), 0));
    } else if (type == CountType::Long) {
        const std::int32_t n = ReadLong(name);
        if (n < 0) Fail("The number of entries in \"" + PathOf(name) + "\" is negative (" + std::to_string(n) + ")");
        count = static_cast<std::size_t>(n);
    } else {
        count = ReadDword(name);
    }
    const std::size_t least = minItemBytes == 0 ? 1 : minItemBytes;
    if (count > (m_size - m_pos) / least)
        Fail("The file announces " + std::to_string(count) + " entries in \"" + PathOf(name) + "\" but holds only " +
             std::to_string(m_size - m_pos) + " more bytes");
    m_path.push_back({name ? name : "", -1});
    m_path.push_back({"", -1});
    return count;
}

void CBinaryReader::BeginItem() {
    if (!m_path.empty()) ++m_path.back().index;
}
void CBinaryReader::EndItem() {}
void CBinaryReader::EndList() {
    if (m_path.size() >= 2) m_path.resize(m_path.size() - 2);
}
