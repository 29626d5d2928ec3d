// Writes the voyage file the benchmarks time the command-line tool on.
// Usage: keelmark_make_voyage POSITIONS OUT_FILE
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench/bench_voyage.h"
#include "core/record_file.h"
#include "platform/fake/fake_services.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: keelmark_make_voyage POSITIONS OUT_FILE\n");
        return 2;
    }
    CFakeServices fake;
    const CTime now = CTime::FromUtc(2026, 6, 1, 12, 0, 0);
    fake.clock.Set(now);
    auto doc = std::make_unique<CKeelmarkLiteDoc>();
    MakeBenchVoyage(*doc, std::atoi(argv[1]), now);
    struct Records {
        CKeelmarkLiteDoc* doc;
        void Serialize(CArchive& ar) { doc->SerializeRecords(ar); }
    } records{doc.get()};
    std::string error;
    if (!SaveRecordFile(argv[2], records, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}
