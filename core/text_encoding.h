#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text is UTF-8 in memory and Windows-1252 on disk. The five bytes that
// Windows-1252 leaves undefined map to the C1 control characters of the same
// value, so every byte from 0 to 255 survives a round trip.
std::string Cp1252ToUtf8(const std::string& bytes);
// Characters without a Windows-1252 byte, and bytes that are not valid UTF-8, become '?'.
std::string Utf8ToCp1252(const std::string& utf8);
// True when every character of the text has a Windows-1252 byte, so the files
// can hold it as it is (Utf8ToCp1252 would otherwise put '?' in its place).
bool FitsCp1252(std::string_view utf8);

// Control characters written as \n, \r, \t or \xNN, so a message naming the
// text (a file name may hold a line feed) stays on one line.
std::string EscapeControls(std::string_view text);
// The same in double quotes, as messages name files and keys.
std::string Quoted(std::string_view text);

// The UTF-8 codec under both. Appends a code point; a surrogate becomes U+FFFD.
void AppendUtf8(std::string& out, char32_t code);
// Reads the code point at text[i] and steps past it. False, stepping one byte,
// for a byte that does not start a valid sequence (truncated, overlong, a
// surrogate or beyond U+10FFFF).
bool NextUtf8(std::string_view text, std::size_t& i, char32_t& code);
