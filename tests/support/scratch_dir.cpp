#include "support/scratch_dir.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>

#include "core/file_io.h"

namespace fs = std::filesystem;

CScratchDir::CScratchDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    static std::atomic<int> serial{0};
    const std::string name = info ? std::string(info->test_suite_name()) + "-" + info->name() : "outside-a-test";
    path = fs::temp_directory_path() /
           ("keelmark-test-" + std::to_string(::getpid()) + "-" + std::to_string(serial++) + "-" + name);
    fs::remove_all(path);
    fs::create_directories(path);
}

CScratchDir::~CScratchDir() {
    std::error_code ec;
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path, ec);
}

std::vector<std::string> CScratchDir::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Slurp(const std::string& path) {
    std::string bytes, error;
    EXPECT_TRUE(ReadWholeFile(path, bytes, error)) << error;
    return bytes;
}

void Put(const std::string& path, const std::string& bytes) {
    std::string error;
    EXPECT_TRUE(WriteFileAtomic(path, bytes, error)) << error;
}
