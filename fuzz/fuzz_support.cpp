#include "fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#define KEELMARK_FUZZ_HEAP_WATCH 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KEELMARK_FUZZ_HEAP_WATCH 1
#endif
#endif

bool g_fuzzInputAccepted = false;

void FuzzRecordReader(const std::uint8_t* data, std::size_t size, const RecordType& type) {
    const std::string what = type.name;
    const std::string input(reinterpret_cast<const char*>(data), size);
    auto first = type.makeFresh();
    if (!ReadRecordBytes(input, *first)) return;
    g_fuzzInputAccepted = true;
    const std::string stored = StoreRecordBytes(*first, what.c_str());
    first.reset(); // the heap budget is for one record at a time

    auto second = type.makeFresh();
    if (!ReadRecordBytes(stored, *second)) FuzzFail(what + ": stored bytes of an accepted file are refused");
    if (StoreRecordBytes(*second, what.c_str()) != stored)
        FuzzFail(what + ": a record read from its own stored bytes stores differently");

    if (type.storesBackExactly) {
        if (stored.size() == input.size() && stored != input)
            FuzzFail(what + ": an accepted file does not store back byte for byte");
        if (stored.size() > input.size()) FuzzFail(what + ": an accepted file stores back longer than it was");
    }
}

void FuzzFail(const std::string& what) {
    std::fprintf(stderr, "\n==FUZZ FINDING== %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

#ifdef KEELMARK_FUZZ_HEAP_WATCH

// The allocator's hooks, as both compilers' AddressSanitizer runtimes export
// them (GCC ships no header for them).
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*, std::size_t),
                                              void (*freeHook)(const volatile void*));
std::size_t __sanitizer_get_allocated_size(const volatile void* p);
}

namespace {

// Kept per thread: only the thread running the input is watched, not the
// fuzzer's own helpers.
thread_local bool t_watching = false;
thread_local long long t_inUse = 0;
thread_local long long t_limit = 0;
thread_local long long t_peak = 0;
thread_local std::size_t t_inputSize = 0;
// KEELMARK_FUZZ_HEAP_REPORT=1 prints the peak of every input, to set the factors.
const bool g_report = std::getenv("KEELMARK_FUZZ_HEAP_REPORT") != nullptr;

void Complain(const char* text) {
    // No stdio here: this runs inside the allocator.
    const ssize_t ignored = ::write(2, text, __builtin_strlen(text));
    (void)ignored;
}

void OnMalloc(const volatile void*, std::size_t size) {
    if (!t_watching) return;
    t_inUse += static_cast<long long>(size);
    if (t_inUse > t_peak) t_peak = t_inUse;
    if (t_inUse > t_limit) {
        t_watching = false;
        Complain("\n==FUZZ FINDING== the input made the reader hold more heap than its budget\n");
        std::abort();
    }
}

void OnFree(const volatile void* p) {
    if (!t_watching || !p) return;
    t_inUse -= static_cast<long long>(__sanitizer_get_allocated_size(p));
}

const bool g_hooked = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;

} // namespace

CFuzzHeapBudget::CFuzzHeapBudget(std::size_t inputSize, std::size_t factor) {
    (void)g_hooked;
    t_inUse = 0;
    t_peak = 0;
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
