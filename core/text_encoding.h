#pragma once

#include <string>

// Text is UTF-8 in memory and Windows-1252 on disk. The five bytes that
// Windows-1252 leaves undefined map to the C1 control characters of the same
// value, so every byte from 0 to 255 survives a round trip.
std::string Cp1252ToUtf8(const std::string& bytes);
// Characters without a Windows-1252 byte, and bytes that are not valid UTF-8, become '?'.
std::string Utf8ToCp1252(const std::string& utf8);
