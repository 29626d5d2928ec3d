#include "fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdlib>

#include "cli/json_archive.h"

#if defined(__SANITIZE_ADDRESS__)
#define KEELMARK_FUZZ_HEAP_WATCH 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KEELMARK_FUZZ_HEAP_WATCH 1
#endif
#endif

bool g_fuzzInputAccepted = false;

std::string StoreCanonically(IRecord& record, const RecordType& type) {
    const std::string what = type.name;
    std::string stored;
    try {
        stored = StoreToBytes(record);
    } catch (const CArchiveException& e) {
        FuzzFail(what + ": a record that was read cannot be stored: " + e.what());
    }
    auto again = type.makeFresh();
    if (!ReadRecordBytes(stored, *again)) FuzzFail(what + ": the stored bytes of a record that was read are refused");
    if (StoreToBytes(*again) != stored) FuzzFail(what + ": a record read from its own stored bytes stores differently");
    return stored;
}

std::string DumpJson(IRecord& record) {
    CJsonOutArchive json;
    json.BeginObject(nullptr);
    record.Serialize(json);
    json.EndObject();
    return json.Text();
}

void FuzzFail(const std::string& what) {
    std::fprintf(stderr, "\n==FUZZ FINDING== %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

#ifdef KEELMARK_FUZZ_HEAP_WATCH

// As both compilers' AddressSanitizer runtimes export them (GCC ships no header).
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*, std::size_t),
                                              void (*freeHook)(const volatile void*));
std::size_t __sanitizer_get_allocated_size(const volatile void* p);
}

namespace {

// Kept per thread: only the thread running the input is watched, not the fuzzer's own helpers.
thread_local bool t_watching = false;
thread_local long long t_inUse = 0, t_limit = 0, t_peak = 0;
thread_local std::size_t t_inputSize = 0;
// KEELMARK_FUZZ_HEAP_REPORT=1 prints the peak of every input, to set the factors.
const bool g_report = std::getenv("KEELMARK_FUZZ_HEAP_REPORT") != nullptr;

void OnMalloc(const volatile void*, std::size_t size) {
    if (!t_watching) return;
    t_inUse += static_cast<long long>(size);
    if (t_inUse > t_peak) t_peak = t_inUse;
    if (t_inUse > t_limit) {
        t_watching = false;
        // No stdio here: this runs inside the allocator.
        static const char text[] = "\n==FUZZ FINDING== the input made the reader hold more heap than its budget\n";
        [[maybe_unused]] const ssize_t ignored = ::write(2, text, sizeof text - 1);
        std::abort();
    }
}

void OnFree(const volatile void* p) {
    if (t_watching && p) t_inUse -= static_cast<long long>(__sanitizer_get_allocated_size(p));
}

const bool g_hooked = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;

} // namespace

CFuzzHeapBudget::CFuzzHeapBudget(std::size_t inputSize, std::size_t factor) {
    (void)g_hooked;
    t_inUse = t_peak = 0;
    t_inputSize = inputSize;
    t_limit = static_cast<long long>(factor * inputSize + kFuzzHeapAllowance);
    t_watching = true;
}

CFuzzHeapBudget::~CFuzzHeapBudget() {
    t_watching = false;
    if (g_report) std::fprintf(stderr, "heap-peak %zu %lld\n", t_inputSize, t_peak);
}

#else

CFuzzHeapBudget::CFuzzHeapBudget(std::size_t, std::size_t) {}
CFuzzHeapBudget::~CFuzzHeapBudget() = default;

#endif
