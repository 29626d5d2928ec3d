// Every reader of the record-type table against damaged files: cut short at
// every length, bytes left over, a count as large as a file can announce, a
// missing file. Each gives the right result and a message naming the file, and
// the record being loaded keeps what it had.
#include <gtest/gtest.h>

#include <fstream>

#include "core/archive.h"
#include "core/record_file.h"
#include "document/record_types.h"
#include "platform/fake/fake_services.h"
#include "support/bytes.h"
#include "support/scratch_dir.h"

namespace {

// Plainly, without the atomic save's flushes: thousands of files are written here.
void WriteRaw(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Fills every field a record reads with a small valid value and every list with
// two items, so that a file has something in each of its parts.
class CFiller : public CArchive {
public:
    bool IsStoring() const override { return false; }
    void Long(const char*, std::int32_t& value) override { value = 1; }
    void Dword(const char*, std::uint32_t& value) override { value = 1; }
    void Double(const char*, double& value) override { value = 1.5; }
    void Time(const char*, CTime& value) override { value = CTime(1000000); }
    void String(const char*, std::string& value) override { value = "ab"; }
    void BeginObject(const char*) override {}
    void EndObject() override {}
    std::size_t BeginList(const char*, std::size_t, CountType, std::size_t) override {
        ++lists;
        return items;
    }
    void BeginItem() override {}
    void EndItem() override {}
    void EndList() override {}
    int lists = 0;
    std::size_t items = 2;
};

} // namespace

TEST(DamagedFiles, EveryReaderRefusesThemWholeNamingTheFile) {
    CFakeServices fake;
    fake.clock.Set(CTime::FromUtc(2026, 6, 1, 12, 0, 0));
    CScratchDir dir;
    for (const RecordType& type : RecordTypes()) {
        SCOPED_TRACE(type.name);
        const std::string path = dir / (std::string("file") + type.extension);
        auto source = type.makeFresh();
        CFiller filler;
        source->Serialize(filler);
        const std::string good = StoreToBytes(*source);
        WriteRaw(path, good);

        auto record = type.makeFresh();
        std::string error;
        ASSERT_EQ(record->Load(path, error), LoadResult::Loaded) << error;
        ASSERT_EQ(StoreToBytes(*record), good);

        const auto expectRefused = [&](const std::string& bytes, LoadResult expected, const std::string& fault) {
            WriteRaw(path, bytes);
            error.clear();
            EXPECT_EQ(record->Load(path, error), expected) << ToHex(bytes);
            EXPECT_NE(error.find(path), std::string::npos) << error;
            EXPECT_NE(error.find(fault), std::string::npos) << error;
            EXPECT_EQ(StoreToBytes(*record), good) << "a failed load changed the record";
        };
        for (std::size_t length : {std::size_t{0}, std::size_t{3}, good.size() / 3, good.size() - 1})
            expectRefused(good.substr(0, length), LoadResult::Damaged, "\"" + path + "\" is damaged: ");
        std::string fault;
        for (std::size_t length = 0; length < good.size(); ++length)
            EXPECT_FALSE(DecodeRecordBytes(good.substr(0, length), *type.makeFresh(), fault)) << length;
        expectRefused(good + Hex("00 7f"), LoadResult::Damaged, "2 unexpected bytes follow the data");

        // A count wherever one may be: refused before anything is allocated for it.
        int huge = 0;
        for (std::size_t at = 0; at + 4 <= good.size(); ++at) {
            std::string bytes = good;
            bytes.replace(at, 4, Hex("ff ff ff 7f"));
            if (!DecodeRecordBytes(bytes, *type.makeFresh(), fault))
                huge += fault.find("announces 2147483647 ") != std::string::npos;
        }
        EXPECT_EQ(huge > 0, filler.lists > 0) << "no list count was refused";

        std::filesystem::remove(path);
        EXPECT_EQ(record->Load(path, error), LoadResult::Unreadable);
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_EQ(StoreToBytes(*record), good);
    }
}

TEST(DamagedFiles, AListCountBelowOneReadsNoItems) {
    CFakeServices fake;
    // Each list's count in a file whose lists are empty (the checklist ends the vessel
    // file); the report's count is a DWORD, which has nothing below 0.
    for (const auto& [name, atEnd, belowZeroIsNone] :
         {std::tuple{"hurricanes", false, true}, {"vessel", true, true}, {"report", false, false}}) {
        auto record = FindRecordType(name)->makeFresh();
        CFiller filler;
        filler.items = 0;
        record->Serialize(filler);
        const std::string good = StoreToBytes(*record);
        const std::size_t at = atEnd ? good.size() - 4 : 0;
        ASSERT_EQ(good.substr(at, 4), Hex("00 00 00 00")) << name;
        for (const char* count : {"ff ff ff ff", "00 00 00 80"}) {
            std::string bytes = good, fault;
            bytes.replace(at, 4, Hex(count));
            EXPECT_EQ(DecodeRecordBytes(bytes, *record, fault), belowZeroIsNone) << name << " " << count << fault;
            EXPECT_EQ(StoreToBytes(*record), good) << name << " " << count;
        }
    }
}
