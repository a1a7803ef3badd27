// The functions defined below must keep their own names: with 64-bit file offsets the C
// library's headers would turn `open` into `open64`, and fortified headers define inline
// versions of them.
#undef _FILE_OFFSET_BITS
#undef _FORTIFY_SOURCE

#include "tests/support/OpenCounter.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <mutex>
#include <stdexcept>

namespace veldrun {
namespace test {

namespace {

const std::size_t kSlots = 16;
const std::size_t kNames = 64 * 1024;

// One live counter. The names are kept in place, NUL after each, so that noting an open
// allocates nothing: the allocator may itself open files, and a hook must not recurse.
struct Slot {
    bool used = false;
    std::thread::id thread;
    std::size_t count = 0;
    std::size_t named = 0;
    char names[kNames];
};

std::mutex g_lock;
Slot g_slots[kSlots];
// Lets every open pass without the lock while no counter lives.
std::atomic<int> g_live(0);

void Note(const char* path) {
    if (g_live.load(std::memory_order_acquire) == 0)
        return;
    const std::thread::id caller = std::this_thread::get_id();
    std::lock_guard<std::mutex> guard(g_lock);
    for (Slot& slot : g_slots) {
        if (!slot.used || slot.thread != caller)
            continue;
        ++slot.count;
        const std::size_t length = path ? std::strlen(path) : 0;
        if (slot.named + length + 1 <= kNames) {
            std::memcpy(slot.names + slot.named, path, length);
            slot.names[slot.named + length] = '\0';
            slot.named += length + 1;
        }
    }
}

// The definition that this executable's one hides, looked up once.
template <typename Function>
Function Next(std::atomic<Function>& cache, const char* name) {
    Function next = cache.load(std::memory_order_relaxed);
    if (!next) {
        next = reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
        cache.store(next, std::memory_order_relaxed);
    }
    return next;
}

// The mode argument is there only when the file may be created.
bool TakesMode(int flags) {
    return (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
}

mode_t ModeOf(int flags, va_list arguments) {
    return TakesMode(flags) ? static_cast<mode_t>(va_arg(arguments, int)) : 0;
}

typedef int (*OpenFunction)(const char*, int, ...);
typedef int (*OpenAtFunction)(int, const char*, int, ...);
typedef int (*CheckedOpenFunction)(const char*, int);
typedef int (*CheckedOpenAtFunction)(int, const char*, int);
typedef FILE* (*FopenFunction)(const char*, const char*);

template <typename Function, typename... Arguments>
auto Forward(std::atomic<Function>& cache, const char* name, const char* path,
             Arguments... arguments) {
    Note(path);
    const Function next = Next(cache, name);
    // The C library has every one of them; without it nothing could be opened at all.
    if (!next)
        std::abort();
    return next(arguments...);
}

std::atomic<OpenFunction> g_open(nullptr);
std::atomic<OpenAtFunction> g_openat(nullptr);
std::atomic<CheckedOpenFunction> g_open2(nullptr);
std::atomic<CheckedOpenAtFunction> g_openat2(nullptr);
std::atomic<FopenFunction> g_fopen(nullptr);

// Looked up before main, while one thread runs: a child that a threaded test forks must not
// need the loader's lock, which another thread may have held at the fork.
[[maybe_unused]] const bool g_resolved = Next(g_open, "open") && Next(g_openat, "openat") &&
                                         Next(g_open2, "__open_2") &&
                                         Next(g_openat2, "__openat_2") && Next(g_fopen, "fopen");

} // namespace

OpenCounter::OpenCounter(std::thread::id thread) {
    std::lock_guard<std::mutex> guard(g_lock);
    for (m_slot = 0; m_slot < kSlots && g_slots[m_slot].used; ++m_slot) {
    }
    if (m_slot == kSlots)
        throw std::length_error("too many open counters at once");
    Slot& slot = g_slots[m_slot];
    slot.used = true;
    slot.thread = thread;
    slot.count = 0;
    slot.named = 0;
    g_live.fetch_add(1, std::memory_order_release);
}

OpenCounter::~OpenCounter() {
    std::lock_guard<std::mutex> guard(g_lock);
    g_slots[m_slot].used = false;
    g_live.fetch_sub(1, std::memory_order_release);
}

std::size_t OpenCounter::Count() const {
    std::lock_guard<std::mutex> guard(g_lock);
    return g_slots[m_slot].count;
}

std::vector<std::string> OpenCounter::Paths() const {
    std::lock_guard<std::mutex> guard(g_lock);
    const Slot& slot = g_slots[m_slot];
    std::vector<std::string> paths;
    for (std::size_t at = 0; at < slot.named; at += paths.back().size() + 1)
        paths.emplace_back(slot.names + at);
    return paths;
}

std::string OpenCounter::Listing() const {
    std::string listing;
    for (const std::string& path : Paths())
        listing += path + "\n";
    return listing;
}

} // namespace test
} // namespace veldrun

using namespace veldrun::test;

// On 64-bit systems the functions with 64 in their names are the same functions under a
// second name, so one hook serves both.
static_assert(sizeof(off_t) == 8, "open64 differs from open here");

// The hooks. The checked variants are declared by fortified headers alone.
extern "C" {

int __open_2(const char* path, int flags);
int __openat_2(int folder, const char* path, int flags);

int open(const char* path, int flags, ...) {
    va_list rest;
    va_start(rest, flags);
    const mode_t mode = ModeOf(flags, rest);
    va_end(rest);
    return TakesMode(flags) ? Forward(g_open, "open", path, path, flags, mode)
                            : Forward(g_open, "open", path, path, flags);
}

int openat(int folder, const char* path, int flags, ...) {
    va_list rest;
    va_start(rest, flags);
    const mode_t mode = ModeOf(flags, rest);
    va_end(rest);
    return TakesMode(flags) ? Forward(g_openat, "openat", path, folder, path, flags, mode)
                            : Forward(g_openat, "openat", path, folder, path, flags);
}

int __open_2(const char* path, int flags) {
    return Forward(g_open2, "__open_2", path, path, flags);
}

int __openat_2(int folder, const char* path, int flags) {
    return Forward(g_openat2, "__openat_2", path, folder, path, flags);
}

FILE* fopen(const char* path, const char* mode) {
    return Forward(g_fopen, "fopen", path, path, mode);
}

int open64(const char* path, int flags, ...) __attribute__((alias("open")));
int openat64(int folder, const char* path, int flags, ...) __attribute__((alias("openat")));
int __open64_2(const char* path, int flags) __attribute__((alias("__open_2")));
int __openat64_2(int folder, const char* path, int flags) __attribute__((alias("__openat_2")));
FILE* fopen64(const char* path, const char* mode) __attribute__((alias("fopen")));

} // extern "C"
