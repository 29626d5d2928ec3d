#pragma once

#include <cstdint>
#include <string>

// Bytes written by hand: "01 ff 3a" (blanks ignored).
std::string Hex(const std::string& text);
// Little-endian encodings, so expected layouts can be spelled out field by field.
std::string LeLong(std::int32_t v);
std::string LeDouble(double v);
std::string CountedString(const std::string& cp1252);
// The bytes as hex text, for readable failure messages.
std::string ToHex(const std::string& bytes);
