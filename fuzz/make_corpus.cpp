// Writes the seed corpus of the fuzz targets: for every record type a fresh
// record and one with every field filled with awkward values, as the file the
// program saves and as the JSON that `keelmark dump` prints; and the JSON
// target's dictionary of keys; and for the dump target every file again, with a
// cyclone file whose doubles are NaNs of their own bits. Usage: make_corpus FOLDER (normally fuzz/).
#include <bit>
#include <filesystem>
#include <fstream>
#include <limits>
#include <set>

#include "core/text_encoding.h"
#include "fuzz/fuzz_support.h"
#include "platform/fake/fake_services.h"

namespace fs = std::filesystem;

namespace {

// Loads every field of a record from a fixed cycle of awkward values: edge
// integers, NaN, infinities, -0.0, times at both ends of the file's range,
// texts in every Windows-1252 character and one long enough for the wider
// length form. Lists get a few items each.
class CVariedSource : public CArchive {
public:
    bool IsStoring() const override { return false; }
    void Long(const char* name, std::int32_t& value) override {
        static const std::int32_t cycle[] = {1, 0, -1, 2147483647, -2147483647 - 1, 1025, 66, 2};
        // Kinds the readers check must stay kinds.
        value = std::string(name) == "kind" ? static_cast<std::int32_t>(m_n++ % 5) : cycle[m_n++ % 8];
    }
    void Dword(const char*, std::uint32_t& value) override {
        static const std::uint32_t cycle[] = {0, 1, 0xFFFFFFFFu, 7};
        value = cycle[m_n++ % 4];
    }
    void Double(const char* name, double& value) override {
        // Places stay on the globe (the readers refuse others), at its edges.
        static const double latitudes[] = {90.0, -90.0, -0.0, 5e-324, 51.925};
        static const double longitudes[] = {-180.0, 180.0, -179.999, 0.0, -0.0};
        if (std::string(name) == "latitude") return void(value = latitudes[m_n++ % 5]);
        if (std::string(name) == "longitude") return void(value = longitudes[m_n++ % 5]);
        constexpr double inf = std::numeric_limits<double>::infinity();
        static const double cycle[] = {51.925, -4.475,  0.0, -0.0,     std::numeric_limits<double>::quiet_NaN(),
                                       1e300,  -1e-300, inf, -179.999, 0.1,
                                       5e-324, -inf};
        value = cycle[m_n++ % 12];
    }
    void Time(const char*, CTime& value) override {
        static const std::int64_t cycle[] = {1780000000, 0, 0xFFFFFFFFLL, 946684800};
        value = CTime(cycle[m_n++ % 4]);
    }
    void String(const char*, std::string& value) override {
        if (!m_longTextGiven) {
            m_longTextGiven = true;
            std::string all;
            for (int c = 0; c < 256; ++c)
                all += static_cast<char>(c);
            value = Cp1252ToUtf8(all + all.substr(32, 60)); // 316 characters
            return;
        }
        static const char* const cycle[] = {"", "Rotterdam",
                                            "\xc3\x85lesund \xe2\x80\x93 Troms\xc3\xb8 \xe2\x82\xac\xc2\xbd",
                                            "line one\r\nline two", "\"quoted\" \\ back"};
        value = cycle[m_n++ % 5];
    }
    void BeginObject(const char*) override {}
    void EndObject() override {}
    std::size_t BeginList(const char*, std::size_t, CountType, std::size_t) override { return 3; }
    void BeginItem() override {}
    void EndItem() override {}
    void EndList() override {}

private:
    unsigned m_n = 0;
    bool m_longTextGiven = false;
};

// Every double but the coordinates a NaN of its own: the x86 default (sign set),
// signalling ones, payloads.
class CNaNSource : public CVariedSource {
public:
    void Double(const char* name, double& value) override {
        if (std::string(name) == "latitude" || std::string(name) == "longitude") {
            value = 1.0;
            return;
        }
        static const std::uint64_t cycle[] = {0xFFF8000000000000ULL, 0x7FF0000000000001ULL, 0xFFF4000000000ABCULL,
                                              0x7FF8000000000000ULL, 0x7FFFFFFFFFFFFFFFULL};
        value = std::bit_cast<double>(cycle[m_n++ % 5]);
    }

private:
    unsigned m_n = 0;
};

void Write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

std::string DictEntry(const std::string& text) {
    std::string out = "\"";
    for (char c : text)
        out += (c == '"' || c == '\\') ? std::string{'\\', c} : std::string{c};
    return out + "\"";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_corpus FOLDER\n");
        return 2;
    }
    const fs::path root(argv[1]), corpus = root / "corpus";
    CFakeServices fake; // a fixed clock: the same seeds on every run
    fake.clock.Set(CTime::FromUtc(2026, 6, 1, 12, 0, 0));
    std::vector<std::string> folders = {"json", "dump"};
    for (const RecordType& type : RecordTypes())
        folders.push_back(CorpusFolder(type));
    for (const std::string& folder : folders) {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(corpus / folder, ec))
            if (entry.path().filename().string().rfind("valid-", 0) == 0) fs::remove(entry.path());
    }
    std::set<std::string> names;
    for (const RecordType& type : RecordTypes()) {
        const std::string folder = CorpusFolder(type);
        auto fresh = type.makeFresh(), varied = type.makeFresh();
        CVariedSource source;
        varied->Serialize(source);
        for (auto& [name, record] :
             {std::pair<std::string, IRecord*>{"default", fresh.get()}, {"varied", varied.get()}}) {
            Write(corpus / folder / ("valid-" + name + type.extension), StoreToBytes(*record));
            Write(corpus / "json" / ("valid-" + folder + "-" + name + ".json"), DumpJson(*record));
            Write(corpus / "dump" / ("valid-" + folder + "-" + name + type.extension), StoreToBytes(*record));
        }
        if (folder == "cyclones") {
            auto nans = type.makeFresh();
            CNaNSource nanSource;
            nans->Serialize(nanSource);
            Write(corpus / "dump" / ("valid-cyclones-nan" + std::string(type.extension)), StoreToBytes(*nans));
        }
        CFieldList fields;
        varied->Serialize(fields);
        names.insert(fields.names.begin(), fields.names.end());
    }
    std::string dict = "# The keys and tokens of the JSON that keelmark load reads; written by make_corpus.\n";
    for (const std::string& name : names)
        dict += DictEntry("\"" + name + "\":") + "\n";
    for (const char* token :
         {"{",       "}",    "[",     "]",  ":",     ",",          "\"NaN\"",    "\"Infinity\"", "\"-Infinity\"",
          "null",    "true", "false", "-0", "1e308", "4294967295", "2147483648", "-2147483649",  "\\u0000",
          "\\ud800", "1.5"})
        dict += DictEntry(token) + "\n";
    Write(root / "json.dict", dict);
    std::printf("seeds written under %s\n", corpus.c_str());
    return 0;
}
