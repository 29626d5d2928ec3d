#include "support/bytes.h"

#include <bit>
#include <cctype>
#include <stdexcept>

std::string Hex(const std::string& text) {
    std::string digits, out;
    for (char c : text)
        if (std::isxdigit(static_cast<unsigned char>(c))) digits += c;
    if (digits.size() % 2) throw std::invalid_argument("odd number of hex digits");
    for (std::size_t i = 0; i < digits.size(); i += 2)
        out += static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16));
    return out;
}

static std::string LittleEndian(std::uint64_t u, int size) {
    std::string out;
    for (int i = 0; i < size; ++i)
        out += static_cast<char>((u >> (8 * i)) & 0xFF);
    return out;
}

std::string LeLong(std::int32_t v) { return LittleEndian(static_cast<std::uint32_t>(v), 4); }
std::string LeDouble(double v) { return LittleEndian(std::bit_cast<std::uint64_t>(v), 8); }

std::string CountedString(const std::string& cp1252) {
    return std::string(1, static_cast<char>(cp1252.size())) + cp1252;
}

std::string ToHex(const std::string& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        if (!out.empty()) out += ' ';
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}
