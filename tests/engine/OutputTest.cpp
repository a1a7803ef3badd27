// How a merge treats its output: nothing is emptied before the inputs are known to fit, one
// merge writes a file at a time, reserved space is given back, the data are on the disk before
// success, and every failure says which file and why. Disks are filled and broken for real
// where the machine allows (root: tmpfs and loop devices); a lock that the file system refuses,
// which no local one does, through a stand-in for flock.
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <mutex>
#include <optional>
#include <regex>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

#include "engine/Veldrun.h"
#include "tests/engine/CallLog.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/Mount.h"
#include "tests/support/TempDir.h"

using veldrun::JobFiles;
using veldrun::MergeError;
using veldrun::ProgressCallback;
using veldrun::Veldrun;
using veldrun::test::CallLog;
using veldrun::test::Mount;
using veldrun::test::RunInChild;
using veldrun::test::TempDir;

namespace {

// The next calls of flock that fail, and with what error: locks that fail other than by
// another holder cannot be had on a local file system.
std::atomic<int> lockFailures{0};
std::atomic<int> lockError{0};

} // namespace

// Stands in for the C library's flock in this program, engine included (linked statically):
// fails as told, else asks the kernel.
extern "C" int flock(int fd, int operation) noexcept {
    if (lockFailures.load() > 0) {
        --lockFailures;
        errno = lockError.load();
        return -1;
    }
    return static_cast<int>(::syscall(SYS_flock, fd, operation));
}

namespace {

typedef MergeError::Kind Kind;

const std::int64_t MiB = 1 << 20;

// The message and detail of a failed merge; both empty after a success.
struct Failure {
    std::string message;
    std::string detail;
    std::optional<MergeError::Kind> kind;
};

Failure MergeFailure(const std::vector<std::string>& inputs, const std::string& output,
                     ProgressCallback progress = ProgressCallback()) {
    JobFiles job;
    job.inputs = inputs;
    job.output = output;
    try {
        Veldrun::Merge(job, progress);
    } catch (const MergeError& error) {
        return {error.what(), error.Detail(), error.GetKind()};
    }
    return {};
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

    // Another holder, as flock reports it.
    lockError = EWOULDBLOCK;
    lockFailures = 1;
    EXPECT_EQ(out + ": another merge is writing this file; wait until it is done",
              MergeFailure({input}, out).detail);
    EXPECT_EQ("old", TempDir::Read(out));

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

    // A read error half-way: /proc/self/mem measures 0 bytes and fails to read.
    const Failure failed = MergeFailure({a, "/proc/self/mem", b}, out);
    EXPECT_EQ("Can't read input file", failed.message);
    EXPECT_EQ(Kind::CantReadInput, failed.kind);
    EXPECT_EQ("/proc/self/mem: Input/output error; 4.2 MB written before the failure are left in " +
                  out,
              failed.detail);
    EXPECT_TRUE(TempDir::Read(out) == TempDir::Read(a));
    EXPECT_LE(AllocatedBytes(out), 4 * MiB + 256 * 1024);
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
