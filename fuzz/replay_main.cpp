// Runs a fuzz target over files instead of under libFuzzer: every file named,
// and every file in each folder named. The normal build's tests use it to
// replay the committed corpus with any compiler. A file whose name starts
// with "valid-" is a seed made by make_corpus and must also be accepted.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        if (!fs::is_directory(argv[i]))
            files.emplace_back(argv[i]);
        else
            for (const auto& entry : fs::directory_iterator(argv[i]))
                if (entry.is_regular_file()) files.push_back(entry.path());
    }
    if (files.empty()) return std::fprintf(stderr, "usage: %s FILE_OR_FOLDER...: nothing to replay\n", argv[0]), 2;
    int refusedSeeds = 0;
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        if (!in) return std::fprintf(stderr, "cannot read %s\n", file.c_str()), 1;
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        g_fuzzInputAccepted = false;
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        if (file.filename().string().rfind("valid-", 0) == 0 && !g_fuzzInputAccepted) {
            std::fprintf(stderr, "the seed %s is no longer a valid file: run make_corpus again\n", file.c_str());
            ++refusedSeeds;
        }
    }
    std::printf("replayed %zu inputs\n", files.size());
    return refusedSeeds == 0 ? 0 : 1;
}
