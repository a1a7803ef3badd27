#include "engine/OutputTrim.h"

#include <atomic>
#include <cstdint>
#include <sched.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veldrun {

namespace {

// Only lock-free atomics may be read in a signal handler.
static_assert(std::atomic<int>::is_always_lock_free, "the descriptor must be lock-free");
static_assert(std::atomic<std::uint64_t>::is_always_lock_free, "the identity must be lock-free");

std::atomic<int> g_fd{-1};
// Set by a handler while it uses the descriptor: the merge's thread waits before closing it, so
// that a handler never works on a number that was closed and taken by another file meanwhile.
std::atomic<bool> g_trimming{false};
// The file's identity: a descriptor number that a closed output left may be reused by another
// file before the handler reads it, and that file must not be cut.
std::atomic<std::uint64_t> g_device{0};
std::atomic<std::uint64_t> g_inode{0};

} // namespace

void OutputTrim::Arm(int fd) {
    struct stat info;
    if (::fstat(fd, &info) != 0)
        return;
    g_device.store(static_cast<std::uint64_t>(info.st_dev));
    g_inode.store(static_cast<std::uint64_t>(info.st_ino));
    g_fd.store(fd);
}

void OutputTrim::Disarm() {
    g_fd.store(-1);
    while (g_trimming.load())
        ::sched_yield();
}

bool OutputTrim::Now() {
    g_trimming.store(true);
    bool trimmed = true;
    const int fd = g_fd.load();
    struct stat info;
    if (fd >= 0 && ::fstat(fd, &info) == 0 &&
        static_cast<std::uint64_t>(info.st_dev) == g_device.load() &&
        static_cast<std::uint64_t>(info.st_ino) == g_inode.load())
        trimmed = ::ftruncate(fd, info.st_size) == 0;
    g_trimming.store(false);
    return trimmed;
}

} // namespace veldrun
