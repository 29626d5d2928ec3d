#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

class CArchive;
enum class LoadResult;

// A record of any of the system's file types, owned, seen only as what a file
// holds: one Serialize for the binary file and for JSON alike.
class IRecord {
public:
    virtual ~IRecord() = default;
    virtual void Serialize(CArchive& ar) = 0;
    // Reads a whole file into a fresh record and takes it only when it loaded:
    // otherwise this record is as it was, and error names the file and the fault.
    virtual LoadResult Load(const std::string& path, std::string& error) = 0;
    // Writes the file atomically; false, with the fault, leaves the previous file whole.
    virtual bool Save(const std::string& path, std::string& error) = 0;
};

// One kind of file the system reads and writes whole. Every place that handles
// "any record file" (the command-line tool, the fuzz targets, the damaged-file
// tests) walks this table, so a new file type is one row.
struct RecordType {
    // The name the command-line tool takes after --type.
    const char* name;
    // The files of this type end so (in any case)...
    const char* extension;
    // ...and, when given, their names start so (in any case); a type without a
    // prefix takes the names of its extension that no other type claims.
    const char* namePrefix;
    // A fresh record, as a load starts from.
    std::unique_ptr<IRecord> (*makeFresh)();
    // Whether every file that reads stores back byte for byte when its texts are
    // written in their shortest length form. Not the almanac: its leading copy of
    // the first object is read and then overwritten.
    bool storesBackExactly;
};

// voyage, vessel, port, almanac, hurricanes, report.
std::span<const RecordType> RecordTypes();
// nullptr for a name not in the table.
const RecordType* FindRecordType(std::string_view name);
// The type a file's name implies (.k7v voyage, .k7s vessel, .k7p port, .k7r
// report, hurricane*.dat hurricanes, any other .dat almanac); nullptr for none.
const RecordType* RecordTypeOfPath(const std::string& path);
// "voyage|vessel|port|almanac|hurricanes|report".
std::string RecordTypeNames();
