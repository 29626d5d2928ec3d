#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes one JSON document, 2-space indented, keys in the order given.
// Doubles take the shortest form that reads back to the same bits; NaN and
// the infinities are written as the strings "NaN", "Infinity", "-Infinity".
class CJsonWriter {
public:
    void BeginObject(const char* key = nullptr);
    void EndObject();
    void BeginArray(const char* key = nullptr);
    void EndArray();
    void Double(const char* key, double value);
    void Integer(const char* key, std::int64_t value);
    void String(const char* key, const std::string& value);
    void Bool(const char* key, bool value);
    void Null(const char* key);

    // The document with a final newline.
    std::string Text() const { return m_text + "\n"; }

    static std::string DoubleText(double value);
    static std::string Quote(const std::string& utf8);

private:
    void Prefix(const char* key);
    struct Level {
        bool array;
        bool empty;
    };
    std::string m_text;
    std::vector<Level> m_levels;
};
