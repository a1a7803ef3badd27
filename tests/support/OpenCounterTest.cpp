#include "tests/support/OpenCounter.h"

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <QFile>

#include "tests/support/TempDir.h"

namespace veldrun {
namespace test {
namespace {

// Opens `path` once with each way a test or the program may use; returns how many.
std::size_t OpenEveryWay(const std::string& path) {
    std::ifstream(path).get();
    ::close(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    ::close(::openat(AT_FDCWD, path.c_str(), O_RDONLY | O_CLOEXEC));
    if (FILE* file = std::fopen(path.c_str(), "rb"))
        std::fclose(file);
    QFile(QString::fromStdString(path)).open(QIODevice::ReadOnly);
    return 5;
}

mode_t ModeOf(int fd) {
    struct stat info;
    return ::fstat(fd, &info) == 0 ? info.st_mode & 07777 : 0;
}

TEST(OpenCounterTest, CountsEachOpenOfItsThreadButNoLookUp) {
    TempDir dir;
    const std::string clip = dir.Write("clip.MTS", "bytes");
    OpenCounter counter;
    EXPECT_EQ(counter.Count(), 0u);

    const std::size_t opened = OpenEveryWay(clip);
    ASSERT_EQ(counter.Count(), opened) << counter.Listing();
    EXPECT_EQ(counter.Paths(), std::vector<std::string>(5, clip));

    // Looking at a file is not opening it.
    struct stat info;
    ASSERT_EQ(::stat(clip.c_str(), &info), 0);
    ASSERT_EQ(::lstat(clip.c_str(), &info), 0);
    ASSERT_EQ(::access(clip.c_str(), R_OK), 0);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(clip)));
    EXPECT_EQ(counter.Count(), 5u) << counter.Listing();

    // A failed attempt costs the same call, so it counts too.
    EXPECT_LT(::open((dir / "missing").c_str(), O_RDONLY), 0);
    EXPECT_EQ(counter.Count(), 6u);
    EXPECT_EQ(counter.Paths().back(), dir / "missing");
}

TEST(OpenCounterTest, PassesTheModeOfANewFileOn) {
    TempDir dir;
    OpenCounter counter;
    const mode_t mask = ::umask(022);
    const int created = ::open((dir / "new").c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0640);
    ASSERT_GE(created, 0);
    EXPECT_EQ(ModeOf(created), 0640u);
    ::close(created);
    const int at = ::openat(AT_FDCWD, (dir / "at").c_str(), O_CREAT | O_EXCL | O_WRONLY, 0604);
    ASSERT_GE(at, 0);
    EXPECT_EQ(ModeOf(at), 0604u);
    ::close(at);
    // An unnamed file, where the file system has them.
    const int unnamed = ::open(dir.Path().c_str(), O_TMPFILE | O_RDWR, 0600);
    if (unnamed >= 0) {
        EXPECT_EQ(ModeOf(unnamed), 0600u);
        ::close(unnamed);
    }
    ::umask(mask);
    EXPECT_EQ(counter.Count(), 3u) << counter.Listing();
}

TEST(OpenCounterTest, OtherThreadsAreCountedOnlyByTheirOwnCounters) {
    TempDir dir;
    const std::string clip = dir.Write("clip.MTS", "bytes");
    OpenCounter mine;
    std::promise<void> counting;
    std::size_t opened = 0, seenThere = 0;
    std::thread other([&] {
        counting.get_future().wait();
        OpenCounter own;
        opened = OpenEveryWay(clip) + OpenEveryWay(clip);
        seenThere = own.Count();
    });
    OpenCounter watching(other.get_id());
    counting.set_value();
    other.join();

    EXPECT_EQ(mine.Count(), 0u) << mine.Listing();
    EXPECT_EQ(seenThere, opened);
    EXPECT_EQ(watching.Count(), opened);
    // The other thread is gone; its counter still tells what it did.
    EXPECT_EQ(watching.Paths().size(), opened);
}

} // namespace
} // namespace test
} // namespace veldrun
