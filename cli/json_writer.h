#pragma once

#include <cstdint>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

// The bits of the default quiet NaN, written as plain "NaN".
inline constexpr std::uint64_t kDefaultNaNBits = 0x7FF8000000000000ULL;

// The stream the document is streamed into refused it (a full disk, say); what() is the fault.
class CJsonOutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes one JSON document, 2-space indented, keys in the order given.
// Doubles take the shortest form that reads back to the same bits; NaN and
// the infinities are written as the strings "NaN", "Infinity", "-Infinity",
// and any other NaN as "NaN:0x" with its 16 hexadecimal digits.
class CJsonWriter {
public:
    CJsonWriter() = default;
    // Streams the document into out as it grows, instead of holding all of it.
    explicit CJsonWriter(std::ostream* out) : m_sink(out) {}

    void BeginObject(const char* key = nullptr);
    void EndObject();
    void BeginArray(const char* key = nullptr);
    void EndArray();
    void Double(const char* key, double value);
    void Integer(const char* key, std::int64_t value);
    void String(const char* key, const std::string& value);
    void Bool(const char* key, bool value);
    void Null(const char* key);

    // The document (what has not been streamed yet) with a final newline.
    std::string Text() const { return m_text + "\n"; }
    // Streams the rest of the document and its final newline. A stream that
    // refuses a piece throws CJsonOutputError, here or while the document grows.
    void Finish();

    static std::string DoubleText(double value);
    static std::string Quote(const std::string& utf8);

private:
    void Prefix(const char* key);
    void MaybeFlush();
    void Stream();
    struct Level {
        bool array;
        bool empty;
    };
    std::string m_text;
    std::vector<Level> m_levels;
    std::ostream* m_sink = nullptr;
};
