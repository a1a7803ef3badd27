// How a merge treats its output: nothing is emptied before the inputs are known to fit, one
// merge writes a file at a time, reserved space is given back, the data are on the disk before
// success, and every failure says which file and why. Disks are filled and broken for real
// where the machine allows (root: tmpfs and loop devices); a lock that the file system refuses,
// which no local one does, through a stand-in for fcntl.
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdarg>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <memory>
#include <mutex>
#include <regex>
#include <signal.h>
#include <string>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "engine/File.h"
#include "engine/OutputTrim.h"
#include "engine/Veldrun.h"
#include "tests/engine/CallLog.h"
#include "tests/engine/MergeFailure.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/Mount.h"
#include "tests/support/TempDir.h"
#include "tests/support/UnreadableFile.h"

using veldrun::JobFiles;
using veldrun::MergeError;
using veldrun::ProgressCallback;
using veldrun::Veldrun;
using veldrun::test::CallLog;
using veldrun::test::Failure;
using veldrun::test::kUnreadableFile;
using veldrun::test::MergeFailure;
using veldrun::test::Mount;
using veldrun::test::RunInChild;
using veldrun::test::TempDir;

namespace {

// The next tries for a lock (F_OFD_SETLK) that fail, and with what error: locks that fail
// other than by another holder cannot be had on a local file system.
std::atomic<int> lockFailures{0};
std::atomic<int> lockError{0};

} // namespace

// Stands in for the C library's fcntl in this program, engine included (linked statically):
// a try for a lock fails as told; everything else goes to the kernel.
extern "C" int fcntl64(int fd, int command, ...) {
    va_list arguments;
    va_start(arguments, command);
    const unsigned long argument = va_arg(arguments, unsigned long);
    va_end(arguments);
    if (command == F_OFD_SETLK && lockFailures.load() > 0) {
        --lockFailures;
        errno = lockError.load();
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fcntl, fd, command, argument));
}

namespace {

typedef MergeError::Kind Kind;

const std::int64_t MiB = 1 << 20;

// Another process holding locks on a file until destroyed, as `user`, through its own open
// of the file with `openFlags`; `take` takes the locks on that descriptor.
class LockHolder {
public:
    LockHolder(const std::string& path, uid_t user, int openFlags,
               const std::function<bool(int)>& take) {
        int ready[2], release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            // Earlier holders' ends too: they must see their own release, not wait for this one.
            for (int fd = 3; fd < 1024; ++fd) {
                if (fd != ready[1] && fd != release[0])
                    ::close(fd);
            }
            if (::setgid(user) != 0 || ::setuid(user) != 0)
                ::_exit(2);
            const int fd = ::open(path.c_str(), openFlags);
            if (fd < 0 || !take(fd))
                ::_exit(3);
            char done = 'y', ignored;
            if (::write(ready[1], &done, 1) != 1)
                ::_exit(4);
            // Until the test closes its end.
            while (::read(release[0], &ignored, 1) > 0) {
            }
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        m_release = release[1];
        char done = 0;
        m_holding = m_pid > 0 && ::read(ready[0], &done, 1) == 1;
        ::close(ready[0]);
    }
    ~LockHolder() {
        if (m_release >= 0)
            ::close(m_release);
        if (m_pid > 0)
            ::waitpid(m_pid, nullptr, 0);
    }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

    bool Holding() const { return m_holding; }

private:
    pid_t m_pid = -1;
    int m_release = -1;
    bool m_holding = false;
};

// Takes a lock of `type` over [start, start + length) (0: to the end) through fcntl `command`.
std::function<bool(int)> RecordLock(int command, short type, off_t start = 0, off_t length = 0) {
    return [=](int fd) {
        struct flock lock = {};
        lock.l_type = type;
        lock.l_whence = SEEK_SET;
        lock.l_start = start;
        lock.l_len = length;
        return ::fcntl(fd, command, &lock) == 0;
    };
}

std::int64_t AllocatedBytes(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 ? static_cast<std::int64_t>(info.st_blocks) * 512 : -1;
}

} // namespace

TEST(OutputSpace, TooLittleFreeSpaceIsRefusedBeforeTheOutputIsTouched) {
    TempDir dir;
    Mount small = Mount::Tmpfs(dir / "small", 4096);
    if (!small.Ready())
        GTEST_SKIP() << small.Why();
    const std::string input = dir.Write("a", TempDir::Pattern(6 * MiB, 1));
    const std::string previous = TempDir::Pattern(MiB, 2);
    const std::string out = dir.Write("small/out.mts", previous);

    CallLog log;
    const Failure failure = MergeFailure({input}, out, log.Callback());
    EXPECT_EQ("Not enough free space for the output file", failure.message);
    EXPECT_EQ(Kind::NotEnoughSpace, failure.kind);
    EXPECT_TRUE(std::regex_match(
        failure.detail,
        std::regex("needs 6\\.3 MB, [34]\\.[0-9] MB free on " + dir.Path() + "/small")))
        << failure.detail;
    EXPECT_TRUE(log.calls.empty());
    EXPECT_TRUE(TempDir::Read(out) == previous);

    // A new output is not left behind.
    EXPECT_EQ("Not enough free space for the output file",
              MergeFailure({input}, dir / "small/new.mts").message);
    EXPECT_FALSE(TempDir::Exists(dir / "small/new.mts"));

    // The space the output takes now counts: it is emptied before the copy.
    const std::string large = dir.Write("small/large.mts", TempDir::Pattern(3 * MiB, 3));
    const std::string fits = dir.Write("b", TempDir::Pattern(2 * MiB + MiB / 2, 4));
    EXPECT_EQ("", MergeFailure({fits}, large).message);
    EXPECT_TRUE(TempDir::Read(large) == TempDir::Read(fits));
}

TEST(OutputSpace, AProcessFileSizeLimitBelowTheTotalIsRefusedBeforeAnyCall) {
    TempDir dir;
    const std::string input = dir.Write("a", TempDir::Pattern(3 * MiB, 5));
    const std::string out = dir.Write("out.mts", "keep");
    // In a child, so that the limit stays there. No signal handling is set: nothing is
    // written, so nothing may raise the file size signal.
    const int status = RunInChild([&] {
        const rlimit limit = {MiB, MiB};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 3;
        CallLog log;
        const Failure failure = MergeFailure({input}, out, log.Callback());
        if (failure.message != "Output file is too large for its file system")
            return 4;
        if (failure.detail != "needs 3.1 MB; this program may write files of at most 1.0 MB "
                              "(its file size limit)")
            return 5;
        return log.calls.empty() ? 0 : 6;
    });
    EXPECT_EQ(0, status);
    EXPECT_EQ("keep", TempDir::Read(out));
}

TEST(OutputSpace, AFileOverFourGiBIsRefusedOnFat) {
    TempDir dir;
    Mount fat = Mount::Image(dir / "fat.img", 64, "mkfs.vfat -F 32", dir / "fat");
    if (!fat.Ready())
        GTEST_SKIP() << fat.Why() << " (FAT needs the vfat file system in the kernel)";
    const std::string half = dir.WriteSparse("half.mts", (std::int64_t(2) << 30) + 1, "end");
    const Failure failure = MergeFailure({half, half}, dir / "fat/out.mts");
    EXPECT_EQ("Output file is too large for its file system", failure.message);
    EXPECT_EQ(Kind::TooLarge, failure.kind);
    EXPECT_EQ("needs 4.29 GB; the file system on " + dir.Path() +
                  "/fat holds files of at most 4.29 GB",
              failure.detail);
    EXPECT_FALSE(TempDir::Exists(dir / "fat/out.mts"));
}

TEST(OutputDisk, WritesLostOnTheWayToTheDiskAreReported) {
    // An ext4 image whose loop device stands on a tmpfs too small for the data: the writes
    // succeed into the page cache, and fail only when they go to the device.
    TempDir dir;
    Mount backing = Mount::Tmpfs(dir / "backing", 24 * 1024);
    if (!backing.Ready())
        GTEST_SKIP() << backing.Why();
    Mount disk = Mount::Image(dir / "backing/ext4.img", 128,
                              "mkfs.ext4 -q -F -O ^has_journal -E lazy_itable_init=0,nodiscard",
                              dir / "disk");
    if (!disk.Ready())
        GTEST_SKIP() << disk.Why();
    const std::string input = dir.Write("a", TempDir::Pattern(48 * MiB, 6));

    const Failure failure = MergeFailure({input}, dir / "disk/out.mts");
    EXPECT_EQ("Can't write output file", failure.message);
    EXPECT_NE(std::string::npos, failure.detail.find(dir / "disk/out.mts: ")) << failure.detail;
    EXPECT_NE(std::string::npos, failure.detail.find("cannot be trusted")) << failure.detail;
}

TEST(OutputLock, ASecondMergeIntoTheSameFileIsRefusedAtOnce) {
    TempDir dir;
    const std::string first = dir.Write("a", TempDir::Pattern(3 * MiB, 7));
    const std::string out = dir / "out.mts";

    // The first merge waits inside its second call until the test lets it go on.
    std::mutex lock;
    std::condition_variable changed;
    bool inside = false, release = false;
    CallLog held;
    held.answer = [&](std::size_t n) {
        if (n == 1) {
            std::unique_lock<std::mutex> guard(lock);
            inside = true;
            changed.notify_all();
            changed.wait(guard, [&] { return release; });
        }
        return true;
    };
    auto running = std::async(std::launch::async,
                              [&] { return MergeFailure({first}, out, held.Callback()).message; });
    {
        std::unique_lock<std::mutex> guard(lock);
        ASSERT_TRUE(changed.wait_for(guard, std::chrono::seconds(10), [&] { return inside; }));
    }

    const Failure second = MergeFailure({dir.Write("b", "other")}, out);
    EXPECT_EQ("Can't create output file", second.message);
    EXPECT_EQ(out + ": another merge is writing this file; wait until it is done", second.detail);
    {
        std::lock_guard<std::mutex> guard(lock);
        release = true;
    }
    changed.notify_all();
    EXPECT_EQ("", running.get());
    EXPECT_TRUE(TempDir::Read(out) == TempDir::Read(first));

    // Once the first is done, the file is free again.
    EXPECT_EQ("", MergeFailure({dir / "b"}, out).message);
    EXPECT_EQ("other", TempDir::Read(out));
}

TEST(OutputLock, ALockThatCannotBeHadIsToldApartFromAnotherMerge) {
    TempDir dir;
    const std::string input = dir.Write("a", "new bytes");
    const std::string out = dir.Write("out.mts", "old");

    // A file system without locks: the same message, its own detail, the file untouched.
    lockError = ENOLCK;
    lockFailures = 1;
    Failure failure = MergeFailure({input}, out);
    EXPECT_EQ("Can't create output file", failure.message);
    EXPECT_EQ(Kind::CantCreateOutput, failure.kind);
    EXPECT_EQ(out + ": the file could not be locked against other merges: No locks available",
              failure.detail);
    EXPECT_EQ("old", TempDir::Read(out));
    // No other merge holds a file this merge created: it is removed.
    lockFailures = 1;
    failure = MergeFailure({input}, dir / "new.mts");
    EXPECT_EQ(dir /
                  "new.mts: the file could not be locked against other merges: No locks available",
              failure.detail);
    EXPECT_FALSE(TempDir::Exists(dir / "new.mts"));

    // A signal during the call is no failure: the lock is asked for again.
    lockError = EINTR;
    lockFailures = 2;
    EXPECT_EQ("", MergeFailure({input}, out).message);
    EXPECT_EQ(0, lockFailures.load());
    EXPECT_EQ("new bytes", TempDir::Read(out));
}

TEST(OutputTrim, ACancelOrAFailureGivesBackTheSpaceReservedBeyondWhatWasWritten) {
    TempDir dir;
    const std::string a = dir.Write("a", TempDir::Pattern(4 * MiB, 8));
    const std::string b = dir.Write("b", TempDir::Pattern(12 * MiB, 9));
    const std::string out = dir / "out.mts";

    // Cancelled after three blocks of 16 MiB: the reservation is seen during the copy, and
    // only the blocks written stay allocated.
    std::int64_t reservedDuringCopy = 0;
    CallLog cancelled;
    cancelled.answer = [&](std::size_t n) {
        if (n == 1)
            reservedDuringCopy = AllocatedBytes(out);
        return n < 3;
    };
    const Failure cancel = MergeFailure({a, b}, out, cancelled.Callback());
    EXPECT_EQ("User aborted operation", cancel.message);
    EXPECT_EQ(Kind::UserAborted, cancel.kind);
    EXPECT_EQ("3.1 MB written before the cancel are left in " + out, cancel.detail);
    EXPECT_TRUE(TempDir::Read(out) == TempDir::Read(a).substr(0, 3 * MiB));
    if (reservedDuringCopy < 16 * MiB)
        std::cout << "note: this file system reserved no space ahead\n";
    EXPECT_LE(AllocatedBytes(out), 3 * MiB + 256 * 1024);

    // A read error half-way.
    const Failure failed = MergeFailure({a, kUnreadableFile, b}, out);
    EXPECT_EQ("Can't read input file", failed.message);
    EXPECT_EQ(Kind::CantReadInput, failed.kind);
    EXPECT_EQ(std::string(kUnreadableFile) +
                  ": Invalid argument; 4.2 MB written before the failure are left in " + out,
              failed.detail);
    EXPECT_TRUE(TempDir::Read(out) == TempDir::Read(a));
    EXPECT_LE(AllocatedBytes(out), 4 * MiB + 256 * 1024);
}

namespace {

// The trim that the command line's second interrupt makes, from a real signal handler.
void TrimOnSignal(int) {
    veldrun::OutputTrim::Now();
}

// Sets or clears the append-only attribute; false where the file system has none.
bool SetAppendOnly(const std::string& path, bool on) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    int flags = 0;
    const bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                      ::ioctl(fd, FS_IOC_SETFLAGS,
                              &(flags = on ? flags | FS_APPEND_FL : flags & ~FS_APPEND_FL)) == 0;
    if (fd >= 0)
        ::close(fd);
    return done;
}

} // namespace

TEST(OutputTrim, ASignalHandlerGivesBackTheReservationOfTheArmedOutputOnly) {
    TempDir dir;
    const std::string out = dir / "out.mts";
    const int fd = ::open(out.c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "joined", 6), 6);
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, 32 * MiB) != 0)
        GTEST_SKIP() << "this file system reserves no space ahead";
    ASSERT_GE(AllocatedBytes(out), 32 * MiB);
    struct sigaction action = {}, before = {};
    action.sa_handler = TrimOnSignal;
    ::sigaction(SIGUSR1, &action, &before);

    // Disarmed, a signal leaves the file alone.
    veldrun::OutputTrim::Arm(fd);
    veldrun::OutputTrim::Disarm();
    ::raise(SIGUSR1);
    EXPECT_GE(AllocatedBytes(out), 32 * MiB);

    // A descriptor number that another file took after the output was closed is not cut.
    veldrun::OutputTrim::Arm(fd);
    ::close(fd);
    const std::string other = dir / "other.mts";
    const int reused = ::open(other.c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_EQ(reused, fd) << "the lowest free number comes back";
    ASSERT_EQ(::fallocate(reused, FALLOC_FL_KEEP_SIZE, 0, 8 * MiB), 0);
    ::raise(SIGUSR1);
    EXPECT_GE(AllocatedBytes(other), 8 * MiB);

    // Armed on it, the reservation beyond its end goes, and its bytes stay.
    ASSERT_EQ(::write(reused, "bytes", 5), 5);
    veldrun::OutputTrim::Arm(reused);
    ::raise(SIGUSR1);
    veldrun::OutputTrim::Disarm();
    EXPECT_LE(AllocatedBytes(other), 64 * 1024);
    EXPECT_EQ(TempDir::Read(other), "bytes");
    ::close(reused);
    ::sigaction(SIGUSR1, &before, nullptr);
}

TEST(OutputTrim, AReservationThatCannotBeGivenBackIsToldInTheDetail) {
    TempDir dir;
    const std::string a = dir.Write("a", TempDir::Pattern(4 * MiB, 8));
    const std::string out = dir / "out.mts";
    // Made append-only while the merge writes it: the space reserved beyond what was written
    // can no longer be cut off.
    bool appendOnly = false;
    CallLog log;
    log.answer = [&](std::size_t n) {
        if (n == 2)
            appendOnly = SetAppendOnly(out, true);
        return n < 2;
    };
    const Failure cancel = MergeFailure({a}, out, log.Callback());
    if (!appendOnly)
        GTEST_SKIP() << "no append-only attribute here";
    SetAppendOnly(out, false);
    EXPECT_EQ(Kind::UserAborted, cancel.kind);
    EXPECT_EQ("2.1 MB written before the cancel are left in " + out +
                  "; the space reserved beyond them could not be given back: Operation not "
                  "permitted",
              cancel.detail);
}

TEST(OutputPipe, APipeThatNobodyReadsIsRefusedAtOnce) {
    TempDir dir;
    const std::string fifo = dir / "out.pipe";
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    auto merge =
        std::async(std::launch::async, [&] { return MergeFailure({dir.Write("a", "abc")}, fifo); });
    ASSERT_EQ(std::future_status::ready, merge.wait_for(std::chrono::seconds(10)))
        << "the merge waits for a reader";
    const Failure failure = merge.get();
    EXPECT_EQ("Can't create output file", failure.message);
    EXPECT_EQ(fifo + ": no program is reading this pipe, so nothing could be written to it",
              failure.detail);
}

TEST(OutputLink, ARefusedDanglingLinkStaysAndItsTargetIsNotMade) {
    TempDir dir;
    // The link names a file that does not exist yet, and the list names that file too.
    std::filesystem::create_symlink(dir / "clip.mts", dir / "out.mts");
    const Failure failure =
        MergeFailure({dir.Write("a", "abc"), dir / "clip.mts"}, dir / "out.mts");
    EXPECT_EQ("Output file is also an input file", failure.message);
    EXPECT_EQ(dir / "out.mts" + " is the same file as the input " + dir / "clip.mts",
              failure.detail);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "out.mts"));
    EXPECT_FALSE(std::filesystem::exists(dir / "clip.mts"));
}

TEST(FailureDetail, NamesTheFileAndWhatTheSystemSaid) {
    TempDir dir;
    const std::string a = dir.Write("a", "abc");
    const std::string out = dir / "out.mts";
    std::filesystem::create_directory(dir / "folder.mts");

    struct Case {
        std::vector<std::string> inputs;
        std::string output;
        Failure expected;
    };
    const std::vector<Case> cases = {
        {{a},
         dir / "no-folder/out.mts",
         {"Can't create output file", dir / "no-folder/out.mts: No such file or directory",
          Kind::CantCreateOutput}},
        {{a},
         dir.Path(),
         {"Can't create output file", dir.Path() + ": Is a directory", Kind::CantCreateOutput}},
        {{a, dir / "gone.mts"},
         out,
         {"Can't open input file", dir / "gone.mts: No such file or directory",
          Kind::CantOpenInput}},
        {{dir / "folder.mts"},
         out,
         {"Can't open input file", dir / "folder.mts: Is a directory", Kind::CantOpenInput}},
        {{"/dev/zero"},
         out,
         {"Can't open input file", "/dev/zero: Not a regular file (a pipe or a device)",
          Kind::CantOpenInput}},
        {{a},
         "/dev/full",
         {"Can't write output file", "/dev/full: No space left on device", Kind::CantWriteOutput}},
        // A kernel setting takes writes and reports no free space: not a disk that is full.
        {{a},
         "/proc/self/comm",
         {"Can't create output file",
          "/proc/self/comm: a setting or report of the kernel (in /proc or /sys), not a file for "
          "data",
          Kind::CantCreateOutput}},
        {{dir / "a"},
         dir.Path() + "/./a",
         {"Output file is also an input file",
          dir.Path() + "/./a is the same file as the input " + a, Kind::OutputIsInput}},
    };
    for (const Case& c : cases) {
        const Failure failure = MergeFailure(c.inputs, c.output);
        EXPECT_EQ(c.expected.message, failure.message) << c.output;
        EXPECT_EQ(c.expected.detail, failure.detail) << c.output;
        EXPECT_EQ(c.expected.kind, failure.kind) << c.output;
    }

    // A cancel before the first byte leaves the emptied output.
    dir.Write("out.mts", "old");
    CallLog refuse;
    refuse.answer = [](std::size_t) {
        return false;
    };
    const Failure cancel = MergeFailure({a}, out, refuse.Callback());
    EXPECT_EQ("User aborted operation", cancel.message);
    EXPECT_EQ(Kind::UserAborted, cancel.kind);
    EXPECT_EQ(out + " is left empty", cancel.detail);
}

TEST(OutputLink, ANewOutputGoesAgainOnAPathLongerThanPathMax) {
    TempDir dir;
    // Run in a child that works in a folder whose full path is longer than PATH_MAX, where the
    // output's relative name still opens but realpath fails.
    const int status = RunInChild([&] {
        const std::string level(200, 'd');
        int depth = 0;
        if (::chdir(dir.Path().c_str()) != 0)
            return 2;
        for (; depth < 25; ++depth) {
            if (::mkdir(level.c_str(), 0700) != 0 || ::chdir(level.c_str()) != 0)
                return 3;
        }
        if (::realpath("out.mts", nullptr) != nullptr || errno != ENAMETOOLONG)
            return 4;
        const int createdThroughLink = ::symlink("target.mts", "link.mts");
        int result = 0;
        for (const char* output : {"out.mts", "link.mts"}) {
            JobFiles job;
            job.inputs = {"missing.mts"};
            job.output = output;
            try {
                Veldrun::Merge(job, ProgressCallback());
                result = 5;
            } catch (const MergeError& error) {
                if (error.GetKind() != Kind::CantOpenInput)
                    result = 6;
            }
        }
        if (::access("out.mts", F_OK) == 0 || ::access("target.mts", F_OK) == 0)
            result = 7;
        struct stat info;
        if (createdThroughLink != 0 || ::lstat("link.mts", &info) != 0 || !S_ISLNK(info.st_mode))
            result = 8;
        // The temporary folder's own clean-up stops at PATH_MAX: climb out here.
        ::unlink("out.mts");
        ::unlink("target.mts");
        ::unlink("link.mts");
        for (; depth > 0; --depth) {
            if (::chdir("..") != 0 || ::rmdir(level.c_str()) != 0)
                return 9;
        }
        return result;
    });
    EXPECT_EQ(0, status) << "2-4: no deep folder, 5-6: no failure, 7: output left behind, "
                            "8: the link was touched, 9: no clean-up";
}

TEST(FailureDetail, TheBackgroundRunStoresItWithTheText) {
    TempDir dir;
    Veldrun job;
    CallLog log;
    job.SetCallback(log.Callback());
    job.files->inputs = {dir / "gone.mts"};
    job.files->output = dir / "out.mts";
    job.Start();
    job.worker.join();
    EXPECT_EQ("Can't open input file", job.ErrorText());
    EXPECT_EQ(dir / "gone.mts: No such file or directory", job.ErrorDetail());

    // The next failure brings its own.
    job.files->inputs = {dir.Write("a", "abc")};
    job.SetCallback([](std::int32_t index, std::int64_t, std::int64_t, std::int64_t, std::int64_t) {
        return index < 0;
    });
    dir.Write("out.mts", "");
    job.Start();
    job.worker.join();
    EXPECT_EQ("User aborted operation", job.ErrorText());
    EXPECT_EQ(dir / "out.mts is left empty", job.ErrorDetail());
}

TEST(OutputLock, OnlyAWriterLockStopsAMergeAndAnyReaderLockDoesNot) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "another user's locks need root";
    TempDir dir;
    // Readable by everyone, writable by its owner only, as a finished merge usually is.
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::all &
                                                 ~std::filesystem::perms::others_write &
                                                 ~std::filesystem::perms::group_write);
    const std::string input = dir.Write("a", TempDir::Pattern(2 * MiB + 7, 11));
    const uid_t nobody = 65534;
    const std::function<bool(int)> sharedFlock = [](int fd) {
        return ::flock(fd, LOCK_SH | LOCK_NB) == 0;
    };

    struct Holder {
        uid_t user;
        int openFlags;
        std::function<bool(int)> take;
    };
    struct Case {
        const char* what;
        std::vector<Holder> holders;
        bool refused;
    };
    const std::vector<Case> cases = {
        {"a shared flock by a user who may only read", {{nobody, O_RDONLY, sharedFlock}}, false},
        {"a read lock of the open file by a user who may only read",
         {{nobody, O_RDONLY, RecordLock(F_OFD_SETLK, F_RDLCK)}},
         false},
        {"a process's read lock by a user who may only read",
         {{nobody, O_RDONLY, RecordLock(F_SETLK, F_RDLCK)}},
         false},
        {"two readers of parts of the file",
         {{nobody, O_RDONLY, RecordLock(F_SETLK, F_RDLCK, 0, 100)},
          {0, O_RDONLY, RecordLock(F_OFD_SETLK, F_RDLCK, 50, 200)}},
         false},
        {"another merge", {{0, O_WRONLY, RecordLock(F_OFD_SETLK, F_WRLCK)}}, true},
        {"a process's write lock", {{0, O_WRONLY, RecordLock(F_SETLK, F_WRLCK)}}, true},
        // Whichever lock the kernel reports first, a writer among readers still counts.
        {"a reader of the start and a writer of the end",
         {{nobody, O_RDONLY, RecordLock(F_OFD_SETLK, F_RDLCK, 0, 10)},
          {0, O_WRONLY, RecordLock(F_SETLK, F_WRLCK, 10, 0)}},
         true},
    };
    for (const Case& c : cases) {
        const std::string out = dir.Write("out.mts", "old bytes of the output");
        ::chmod(out.c_str(), 0644);
        std::vector<std::unique_ptr<LockHolder>> holders;
        for (const Holder& h : c.holders) {
            holders.push_back(std::make_unique<LockHolder>(out, h.user, h.openFlags, h.take));
            ASSERT_TRUE(holders.back()->Holding()) << c.what;
        }
        const Failure failure = MergeFailure({input}, out);
        if (c.refused) {
            EXPECT_EQ("Can't create output file", failure.message) << c.what;
            EXPECT_EQ(out + ": another merge is writing this file; wait until it is done",
                      failure.detail)
                << c.what;
            EXPECT_EQ("old bytes of the output", TempDir::Read(out)) << c.what;
        } else {
            EXPECT_EQ("", failure.message + failure.detail) << c.what;
            EXPECT_TRUE(TempDir::Read(out) == TempDir::Read(input)) << c.what;
        }
    }
}

TEST(OutputChanged, AnotherProgramCuttingMovingOrExtendingTheOutputFailsTheMerge) {
    TempDir dir;
    const std::string input = dir.Write("a", TempDir::Pattern(6 * MiB + 3, 12));
    const std::string out = dir / "out.mts";
    const std::string untrusted = "; what is in " + out + " cannot be trusted";

    struct Case {
        const char* what;
        // Done to the output by another program before the copy's block with this number
        // (-1: once every byte is copied, as the final flush begins).
        int block;
        std::string command;
    };
    const std::vector<Case> cases = {
        {"emptied", 3, "truncate -s 0 "},
        {"cut short", 4, "truncate -s 1M "},
        {"cut after the last byte", -1, "truncate -s -1 "},
        {"grown after the last byte", -1, "truncate -s +1 "},
        {"renamed away", 2, "mv -f -- " + out + " " + dir / "moved.mts #"},
        {"replaced", 5, "cp -- " + input + " " + dir / "new.mts && mv -f -- " + dir / "new.mts"},
    };
    for (const Case& c : cases) {
        dir.Write("out.mts", "old");
        const auto change = [&] {
            const std::string target = c.command.back() == '#' ? "" : out;
            ASSERT_EQ(0, std::system((c.command + " " + target).c_str())) << c.what;
        };
        CallLog log;
        log.answer = [&](std::size_t n) {
            if (static_cast<int>(n) == c.block)
                change();
            return true;
        };
        veldrun::MergeOptions options;
        options.writingToDisk = [&] {
            if (c.block < 0)
                change();
        };
        const Failure failure = MergeFailure({input}, out, log.Callback(), options);
        EXPECT_EQ("Can't write output file", failure.message) << c.what;
        EXPECT_EQ(Kind::CantWriteOutput, failure.kind) << c.what;
        EXPECT_EQ(out + ": another program changed the output file" + untrusted, failure.detail)
            << c.what;
    }

    // Nothing changed: the same merge, watched the same way, succeeds; with and without the
    // final flush, and onto an output that already held more than the merge writes.
    for (const bool sync : {true, false}) {
        dir.Write("out.mts", TempDir::Pattern(8 * MiB, 13));
        veldrun::MergeOptions options;
        options.syncToDisk = sync;
        EXPECT_EQ("", MergeFailure({input, input}, out, ProgressCallback(), options).message);
        EXPECT_TRUE(TempDir::Read(out) == TempDir::Read(input) + TempDir::Read(input));
    }
}

namespace {

std::int64_t AvailableBytes(const std::string& folder) {
    struct statvfs info;
    return ::statvfs(folder.c_str(), &info) == 0
               ? static_cast<std::int64_t>(info.f_bavail) * static_cast<std::int64_t>(info.f_frsize)
               : -1;
}

std::int64_t FreedByEmptying(const std::string& path) {
    veldrun::File file;
    return file.OpenForWriting(path) == veldrun::File::Opened::Existing ? file.FreedByEmptying()
                                                                        : -2;
}

} // namespace

TEST(OutputSpace, BlocksSharedWithACopyAreNotCountedAsFreed) {
    struct FileSystem {
        const char* name;
        int sizeMiB;
        const char* mkfs;
    };
    // XFS refuses to make file systems under 300 MiB; the image is sparse.
    const std::vector<FileSystem> fileSystems = {{"btrfs", 256, "mkfs.btrfs -q -f"},
                                                 {"xfs", 320, "mkfs.xfs -q -f"}};
    int tried = 0;
    for (const FileSystem& fs : fileSystems) {
        TempDir dir;
        Mount disk = Mount::Image(dir / "disk.img", fs.sizeMiB, fs.mkfs, dir / "disk");
        if (!disk.Ready()) {
            std::cout << "note: " << fs.name << " skipped: " << disk.Why() << "\n";
            continue;
        }
        ++tried;
        const std::string old = TempDir::Pattern(24 * MiB, 14);
        const std::string out = dir.Write("disk/out.mts", old);
        const std::string copy = dir / "disk/copy.mts";
        ASSERT_EQ(0, std::system(("sync && cp --reflink=always -- " + out + " " + copy).c_str()))
            << fs.name;
        EXPECT_EQ(0, FreedByEmptying(out)) << fs.name;

        // More than is free, though less than would be with the old output's blocks: refused
        // before the output is touched.
        const std::int64_t available = AvailableBytes(dir / "disk");
        ASSERT_GT(available, 0) << fs.name;
        const std::string input = dir.WriteSparse("big.mts", available + 8 * MiB, "end");
        const Failure failure = MergeFailure({input}, out);
        EXPECT_EQ("Not enough free space for the output file", failure.message) << fs.name;
        EXPECT_EQ(Kind::NotEnoughSpace, failure.kind) << fs.name;
        EXPECT_TRUE(TempDir::Read(out) == old) << fs.name;

        // The copy gone, nothing else holds the blocks: all of them count, once the file
        // system has let go of the copy's (XFS does that in the background).
        std::filesystem::remove(copy);
        ::sync();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (FreedByEmptying(out) < 24 * MiB && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_GE(FreedByEmptying(out), 24 * MiB) << fs.name;

        // A sparse input copied on the same file system may share its holes with the output;
        // they are the input's and no sign of another program.
        const std::string sparse = dir.WriteSparse("disk/sparse.mts", "head", 5 * MiB, "tail");
        EXPECT_EQ("", MergeFailure({sparse, sparse}, dir / "disk/twice.mts").message) << fs.name;
        EXPECT_TRUE(TempDir::Read(dir / "disk/twice.mts") ==
                    TempDir::Read(sparse) + TempDir::Read(sparse))
            << fs.name;
    }
    if (tried == 0)
        GTEST_SKIP() << "neither btrfs nor XFS can be mounted here";
}

TEST(OutputSpace, BlocksCountAsFreedOnlyWhereNothingElseCanHoldThem) {
    TempDir dir;
    Mount tmpfs = Mount::Tmpfs(dir / "tmpfs", 8 * 1024);
    if (!tmpfs.Ready())
        GTEST_SKIP() << tmpfs.Why();
    const std::string out = dir.Write("tmpfs/out.mts", TempDir::Pattern(2 * MiB, 15));
    EXPECT_GE(FreedByEmptying(out), 2 * MiB);
    // Another name keeps the blocks.
    std::filesystem::create_hard_link(out, dir / "tmpfs/link.mts");
    EXPECT_EQ(0, FreedByEmptying(out));
    std::filesystem::remove(dir / "tmpfs/link.mts");
    EXPECT_GE(FreedByEmptying(out), 2 * MiB);
}
