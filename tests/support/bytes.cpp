#include "support/bytes.h"

#include <bit>
#include <stdexcept>

std::string Hex(const std::string& text) {
    std::string out;
    int pending = -1;
    for (char c : text) {
        int v;
        if (c >= '0' && c <= '9') v = c - '0';
        else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
        else continue;
        if (pending < 0) {
            pending = v;
        } else {
            out += static_cast<char>(pending * 16 + v);
            pending = -1;
        }
    }
    if (pending >= 0) throw std::invalid_argument("odd number of hex digits");
    return out;
}

std::string LeLong(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    std::string out;
    for (int i = 0; i < 4; ++i) out += static_cast<char>((u >> (8 * i)) & 0xFF);
    return out;
}

std::string LeDouble(double v) {
    const auto u = std::bit_cast<std::uint64_t>(v);
    std::string out;
    for (int i = 0; i < 8; ++i) out += static_cast<char>((u >> (8 * i)) & 0xFF);
    return out;
}

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
