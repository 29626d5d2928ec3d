#pragma once

#include <cstdint>
#include <string>

#include "core/archive.h"

// Bytes written by hand: "01 ff 3a" (blanks ignored).
std::string Hex(const std::string& text);
// Little-endian encodings, so expected layouts can be spelled out field by field.
std::string LeLong(std::int32_t v);
std::string LeDouble(double v);
std::string CountedString(const std::string& cp1252);
// The bytes as hex text, for readable failure messages.
std::string ToHex(const std::string& bytes);

// Reads the bytes into the record as the file reader does; false when some are left over.
template <class T> bool ReadAll(T& record, const std::string& bytes) {
    CBinaryReader reader(bytes);
    record.Serialize(reader);
    return reader.AtEnd();
}
