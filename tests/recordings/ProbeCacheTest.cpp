#include "recordings/ProbeCache.h"

#include <atomic>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <malloc.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "tests/support/OpenCounter.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestStream.h"

namespace veldrun {
namespace test {
namespace {

const std::int64_t kSecond = TestStream::kSecond;

std::string Clip(std::int64_t first) {
    return TestStream(192).Recording(first, first + 10 * kSecond).Bytes();
}

std::int64_t FirstClock(ProbeCache& cache, const std::string& path) {
    const boost::optional<StreamProbe::Result> result = cache.Probe(path);
    return result ? result->firstClock : -1;
}

// The same, with the number of files opened for it in `opens`.
std::int64_t FirstClock(ProbeCache& cache, const std::string& path, std::size_t& opens) {
    const OpenCounter counter;
    const std::int64_t first = FirstClock(cache, path);
    opens = counter.Count();
    return first;
}

// Sets the file's modification time, so that only its size or content tells of a change.
void SetModified(const std::string& path, std::int64_t seconds) {
    struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

TEST(ProbeCacheTest, ReadsAFileOnceAndAgainOnlyWhenItChanges) {
    TempDir dir;
    ProbeCache cache;
    const std::string path = dir.Write("00001.MTS", Clip(1 * kSecond));
    SetModified(path, 1000000);
    std::size_t opens = 0;
    EXPECT_EQ(FirstClock(cache, path, opens), 1 * kSecond);
    EXPECT_EQ(opens, 1u);
    EXPECT_EQ(FirstClock(cache, path, opens), 1 * kSecond);
    EXPECT_EQ(opens, 0u) << "an unchanged clip was read again";
    EXPECT_EQ(cache.Size(), 1u);

    // Other bytes of the same size with the modification time set back: the inode's change
    // time still tells.
    dir.Write("00001.MTS", Clip(2 * kSecond));
    SetModified(path, 1000000);
    EXPECT_EQ(FirstClock(cache, path, opens), 2 * kSecond);
    EXPECT_EQ(opens, 1u);

    // Another size; then another file renamed over it.
    dir.Write("00001.MTS", Clip(3 * kSecond) + TestStream(192).Payload(1).Bytes());
    EXPECT_EQ(FirstClock(cache, path), 3 * kSecond);
    const std::string other = dir.Write("other.MTS", Clip(4 * kSecond));
    ASSERT_EQ(std::rename(other.c_str(), path.c_str()), 0);
    EXPECT_EQ(FirstClock(cache, path), 4 * kSecond);
    EXPECT_EQ(cache.Size(), 1u);

    // Gone, or no longer readable as a file: no result, and nothing kept.
    ASSERT_EQ(std::remove(path.c_str()), 0);
    EXPECT_FALSE(cache.Probe(path));
    EXPECT_EQ(cache.Size(), 0u);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_FALSE(cache.Probe(path));
    EXPECT_EQ(cache.Size(), 0u);
}

TEST(ProbeCacheTest, ServesSeveralThreadsWhileFilesChange) {
    TempDir dir;
    ProbeCache cache;
    std::vector<std::string> paths;
    for (int at = 0; at < 8; ++at)
        paths.push_back(dir.Write(std::to_string(at) + ".MTS", Clip(at * 100 * kSecond)));
    std::atomic<bool> wrong(false);
    std::vector<std::thread> readers;
    for (int reader = 0; reader < 4; ++reader) {
        readers.emplace_back([&, reader] {
            for (int round = 0; round < 40; ++round) {
                const std::size_t at = static_cast<std::size_t>(reader + round) % paths.size();
                const std::int64_t first = FirstClock(cache, paths[at]);
                // Clip 0 is being rewritten: it may read as either version, or as unreadable
                // or no stream for a moment while it is half written.
                if (at != 0 && first != static_cast<std::int64_t>(at) * 100 * kSecond)
                    wrong = true;
            }
        });
    }
    for (int round = 0; round < 20; ++round)
        dir.Write("0.MTS", Clip(round % 2 ? 7 * kSecond : 0));
    for (std::thread& reader : readers)
        reader.join();
    EXPECT_FALSE(wrong);
    EXPECT_EQ(FirstClock(cache, paths[0]), 7 * kSecond); // the last version written
    cache.Clear();
    std::size_t opens = 0;
    EXPECT_EQ(FirstClock(cache, paths[1], opens), 100 * kSecond);
    EXPECT_EQ(opens, 1u) << "a cleared cache still answered";
}

// Limits this process's address space to what it uses now plus `spare` bytes; false when it
// cannot.
bool LimitAddressSpace(std::uint64_t spare) {
    std::uint64_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    rlimit limit{};
    if (pages == 0 || ::getrlimit(RLIMIT_AS, &limit) != 0)
        return false;
    limit.rlim_cur = pages * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE)) + spare;
    return ::setrlimit(RLIMIT_AS, &limit) == 0;
}

TEST(ProbeCacheTest, OutOfMemoryWhileReadingLeavesTheClipUnreadAndUncached) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "a sanitizer's allocator ends the program when a limit refuses memory";
#endif
    TempDir dir;
    // No tables and the first clock 900 KiB in: reading grows its buffer towards 1 MiB.
    const std::string deep = dir.Write(
        "deep.MTS",
        TestStream(192).Payload(4800).Recording(kSecond, 2 * kSecond, 20, 3, false).Bytes());
    // In a freshly started copy of this test, so that the limit stays there and no memory
    // freed by other tests' threads can serve the buffers; the exit status says what went
    // wrong, 134 being an abort.
    const auto readUnderLimit = [&] {
        ProbeCache cache;
        // Memory freed earlier in this process could serve the buffers despite the limit: large
        // blocks are to come from new mappings, which the limit counts.
        ::mallopt(M_MMAP_THRESHOLD, 64 * 1024);
        if (!LimitAddressSpace(256 * 1024))
            return 3;
        if (cache.Probe(deep))
            return 4; // read although its buffers could not be had
        if (cache.Size() != 0)
            return 5;
        if (!LimitAddressSpace(std::uint64_t(1) << 40))
            return 6;
        // Memory back: the clip is read again, not answered from a failed attempt.
        return FirstClock(cache, deep) == kSecond ? 0 : 7;
    };
    ::testing::GTEST_FLAG(death_test_style) = "threadsafe";
    EXPECT_EXIT(std::exit(readUnderLimit()), ::testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace test
} // namespace veldrun
