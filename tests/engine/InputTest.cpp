// How a merge treats inputs that change underneath it: each is copied for exactly the size it
// was measured at, and one that shrinks, grows, is rewritten or replaced fails the merge; sizes
// that add up past 64 bits are refused before the output is touched; an input path pointed at
// the output during the merge is caught when it is opened. The faults happen for real, at a
// known moment: from the progress callback, which runs before every block.
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "engine/Veldrun.h"
#include "tests/engine/CallLog.h"
#include "tests/engine/MergeFailure.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/Mount.h"
#include "tests/support/TempDir.h"

using veldrun::JobFiles;
using veldrun::MergeError;
using veldrun::MergeOptions;
using veldrun::ProgressCallback;
using veldrun::Veldrun;
using veldrun::test::CallLog;
using veldrun::test::Failure;
using veldrun::test::MergeFailure;
using veldrun::test::Mount;
using veldrun::test::RunInChild;
using veldrun::test::TempDir;

namespace {

typedef MergeError::Kind Kind;

const std::int64_t MiB = 1 << 20;

std::int64_t ChangeTimeNs(const std::string& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        return -1;
    return static_cast<std::int64_t>(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
}

// Waits until a change made now would carry a later change time than `path` has: file systems
// stamp changes with a clock that ticks coarsely, so a change within the same tick as the
// measurement would look like none.
void WaitUntilTheClockPasses(const std::string& path, const TempDir& dir) {
    const std::int64_t before = ChangeTimeNs(path);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (ChangeTimeNs(dir.Write("tick", "x")) <= before)
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the file clock stands still";
}

// Overwrites the start of `path` in place with `bytes`, keeping its size.
void Overwrite(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY);
    ASSERT_LE(0, fd);
    ASSERT_EQ(static_cast<ssize_t>(bytes.size()), ::pwrite(fd, bytes.data(), bytes.size(), 0));
    ::close(fd);
}

} // namespace

TEST(InputChanged, AShrunkInputFailsTheMergeAndTheOutputKeepsWhatWasCopied) {
    TempDir dir;
    const std::string first = TempDir::Pattern(MiB + 3, 1);
    const std::string second = TempDir::Pattern(3 * MiB, 2);
    const std::string a = dir.Write("a.mts", first);
    const std::string b = dir.Write("b.mts", second);

    // Cut while its second block is about to be read: one block copied, half of one left.
    CallLog log;
    log.answer = [&](std::size_t n) {
        if (log.calls[n].index == 1 && log.calls[n].position == MiB)
            std::filesystem::resize_file(b, MiB + MiB / 2);
        return true;
    };
    const Failure failure = MergeFailure({a, b}, dir / "out", log.Callback());
    EXPECT_EQ("Input file changed during merging", failure.message);
    EXPECT_EQ(Kind::InputChanged, failure.kind);
    // The times change with the size too, unless the clock has not ticked since it was measured.
    const std::string start = b + ": it ended after 1572864 of the 3145728 bytes measured; its "
                                  "size went from 3145728 to 1572864 bytes";
    const std::string end =
        " since it was measured; 2.6 MB written before the failure are left in " + dir / "out";
    EXPECT_EQ(0u, failure.detail.find(start)) << failure.detail;
    EXPECT_EQ(failure.detail.size() - end.size(), failure.detail.rfind(end)) << failure.detail;
    EXPECT_TRUE(TempDir::Read(dir / "out") == first + second.substr(0, MiB + MiB / 2));

    // A file that holds less than its size says, with nothing changed: the end comes early all
    // the same (a kernel attribute file measures 4096 bytes and reads a few).
    const Failure pseudo = MergeFailure({a, "/sys/class/net/lo/mtu"}, dir / "out");
    EXPECT_EQ(Kind::InputChanged, pseudo.kind);
    EXPECT_EQ(0u, pseudo.detail.find("/sys/class/net/lo/mtu: it ended after ")) << pseudo.detail;
    EXPECT_NE(std::string::npos, pseudo.detail.find(" of the 4096 bytes measured; "))
        << pseudo.detail;
}

TEST(InputChanged, AGrownInputIsCopiedOnlyAsMeasuredAndFailsTheMerge) {
    TempDir dir;
    const std::string bytes = TempDir::Pattern(2 * MiB + 5, 3);
    const std::string a = dir.Write("a.mts", bytes);
    const std::string b = dir.Write("b.mts", "after");

    CallLog log;
    log.answer = [&](std::size_t n) {
        if (n == 1) {
            std::FILE* file = std::fopen(a.c_str(), "ab");
            std::fputs("still being written", file);
            std::fclose(file);
        }
        return true;
    };
    const Failure failure = MergeFailure({a, b}, dir / "out", log.Callback());
    EXPECT_EQ(Kind::InputChanged, failure.kind);
    EXPECT_NE(std::string::npos,
              failure.detail.find(a + ": its size went from 2097157 to 2097176 bytes"))
        << failure.detail;
    // Exactly the measured bytes, and nothing of the next input.
    EXPECT_TRUE(TempDir::Read(dir / "out") == bytes);
    EXPECT_EQ(2 * MiB + 5, log.calls.back().written);
}

TEST(InputChanged, ARewriteOfTheSameSizeIsToldByItsTimes) {
    TempDir dir;
    const std::string bytes = TempDir::Pattern(3 * MiB, 4);
    const std::string other = TempDir::Pattern(3 * MiB, 5);
    const std::string a = dir.Write("a.mts", bytes);
    const std::string source = dir.Write("other.mts", other);

    // Another clip copied over it (emptied, then written again), as `cp` does.
    CallLog copied;
    copied.answer = [&](std::size_t n) {
        if (n == 1) {
            WaitUntilTheClockPasses(a, dir);
            std::filesystem::copy_file(source, a,
                                       std::filesystem::copy_options::overwrite_existing);
        }
        return true;
    };
    Failure failure = MergeFailure({a}, dir / "out", copied.Callback());
    EXPECT_EQ(Kind::InputChanged, failure.kind);
    EXPECT_NE(std::string::npos, failure.detail.find(a + ": its modification time and its change "
                                                         "time changed since it was "
                                                         "measured"))
        << failure.detail;
    // The mix of two clips that is left is called a failure, not a success.
    EXPECT_TRUE(TempDir::Read(dir / "out") == bytes.substr(0, MiB) + other.substr(MiB));

    // Written in place and its modification time set back (touch -r, or a tool that keeps
    // times): only the change time tells.
    dir.Write("a.mts", bytes);
    struct stat measured;
    ASSERT_EQ(0, ::stat(a.c_str(), &measured));
    CallLog restored;
    restored.answer = [&](std::size_t n) {
        if (n == 2) {
            WaitUntilTheClockPasses(a, dir);
            Overwrite(a, other.substr(0, MiB));
            const struct timespec times[2] = {measured.st_atim, measured.st_mtim};
            ::utimensat(AT_FDCWD, a.c_str(), times, 0);
        }
        return true;
    };
    failure = MergeFailure({a}, dir / "out", restored.Callback());
    EXPECT_EQ(Kind::InputChanged, failure.kind);
    EXPECT_NE(std::string::npos,
              failure.detail.find(a + ": its change time changed since it was measured"))
        << failure.detail;
}

TEST(InputChanged, AnInputThatASecondMergeWritesFailsTheFirst) {
    TempDir dir;
    const std::string bytes = TempDir::Pattern(4 * MiB, 12);
    const std::string a = dir.Write("a.mts", bytes);
    const std::string c = dir.Write("c.mts", TempDir::Pattern(MiB + 3, 13));

    // A second merge, on its own thread, takes the first one's input as its output while the
    // first is half-way through it.
    Failure second{"not run", "", std::nullopt};
    CallLog log;
    log.answer = [&](std::size_t n) {
        if (n == 2)
            second = std::async(std::launch::async, [&] { return MergeFailure({c}, a); }).get();
        return true;
    };
    const Failure first = MergeFailure({a}, dir / "out", log.Callback());
    EXPECT_EQ("", second.message) << second.detail;
    EXPECT_EQ(Kind::InputChanged, first.kind);
    EXPECT_EQ(0u, first.detail.find(a + ": it ended after 2097152 of the 4194304 bytes measured"))
        << first.detail;
    EXPECT_TRUE(TempDir::Read(dir / "out") == bytes.substr(0, 2 * MiB));
}

TEST(InputChanged, AnInputReplacedBeforeItsTurnFailsBeforeAnyOfItIsCopied) {
    TempDir dir;
    const std::string first = TempDir::Pattern(MiB + 1, 6);
    const std::string a = dir.Write("a.mts", first);
    const std::string b = dir.Write("b.mts", TempDir::Pattern(MiB, 7));
    const std::string replacement = dir.Write("new.mts", TempDir::Pattern(MiB, 8));

    CallLog log;
    log.answer = [&](std::size_t n) {
        if (n == 0)
            std::filesystem::rename(replacement, b);
        return true;
    };
    const Failure failure = MergeFailure({a, b}, dir / "out", log.Callback());
    EXPECT_EQ(Kind::InputChanged, failure.kind);
    EXPECT_EQ(0u, failure.detail.find(b + ": another file took its name since it was measured"))
        << failure.detail;
    EXPECT_TRUE(TempDir::Read(dir / "out") == first);
    EXPECT_EQ(0, log.calls.back().index);
}

TEST(InputSizes, ASumPastSixtyFourBitsIsRefusedBeforeTheOutputIsTouched) {
    TempDir dir;
    Mount small = Mount::Tmpfs(dir / "small", 4096);
    if (!small.Ready())
        GTEST_SKIP() << small.Why();
    const std::int64_t quarter = std::int64_t(1) << 62;
    const std::string a = dir.WriteSparse("small/a.mts", quarter, "end of a");
    const std::string b = dir.WriteSparse("small/b.mts", quarter, "end of b");
    const std::string c = dir.WriteSparse("small/c.mts", quarter - 1, "end of c");
    const std::string previous = TempDir::Pattern(MiB, 9);
    const std::string out = dir.Write("small/out.mts", previous);

    // 2^63 and more: the sum no longer fits, whatever the order.
    for (const std::vector<std::string>& inputs :
         {std::vector<std::string>{a, b}, std::vector<std::string>{c, a, b},
          std::vector<std::string>{a, b, b, b}}) {
        CallLog log;
        const Failure failure = MergeFailure(inputs, out, log.Callback());
        EXPECT_EQ("Output file is too large for its file system", failure.message);
        EXPECT_EQ(Kind::TooLarge, failure.kind);
        EXPECT_EQ("the inputs together hold more bytes than any file can", failure.detail);
        EXPECT_TRUE(log.calls.empty());
        EXPECT_TRUE(TempDir::Read(out) == previous);

        JobFiles job;
        job.inputs = inputs;
        EXPECT_THROW(Veldrun::TotalSize(job), MergeError);
    }
    // 2^63 - 1 still adds up, and is refused for the space it needs.
    const Failure fits = MergeFailure({a, c}, out);
    EXPECT_EQ(Kind::NotEnoughSpace, fits.kind) << fits.detail;
    EXPECT_TRUE(TempDir::Read(out) == previous);
    JobFiles job;
    job.inputs = {a, c};
    EXPECT_EQ(INT64_MAX, Veldrun::TotalSize(job));
}

TEST(InputSizes, AppendingPastSixtyFourBitsToStandardOutputIsRefused) {
    TempDir dir;
    Mount small = Mount::Tmpfs(dir / "small", 4096);
    if (!small.Ready())
        GTEST_SKIP() << small.Why();
    const std::int64_t half = std::int64_t(1) << 62;
    const std::string input = dir.WriteSparse("small/a.mts", half, "tail");
    const std::string out = dir.WriteSparse("small/out.mts", "head", half, "end");
    // The input fits in 64 bits, the output it is appended to as well, but not both together.
    const int status = RunInChild([&] {
        const int fd = ::open(out.c_str(), O_WRONLY | O_APPEND);
        if (fd < 0 || ::dup2(fd, STDOUT_FILENO) < 0)
            return 3;
        MergeOptions options;
        options.toStandardOutput = true;
        const Failure failure = MergeFailure({input}, "", ProgressCallback(), options);
        if (failure.kind != Kind::TooLarge)
            return 4;
        return failure.detail == "the inputs and what standard output holds before them come "
                                 "to more bytes than any file can"
                   ? 0
                   : 5;
    });
    EXPECT_EQ(0, status);
    EXPECT_EQ(half, static_cast<std::int64_t>(std::filesystem::file_size(out)));
}

TEST(InputRetargeted, ALinkPointedAtTheOutputMidMergeIsRefusedWhenOpened) {
    TempDir dir;
    // Small, so that a merge copying its output into itself ends soon on a full disk.
    Mount small = Mount::Tmpfs(dir / "small", 8192);
    if (!small.Ready())
        GTEST_SKIP() << small.Why();
    const std::string first = TempDir::Pattern(2 * MiB + 1, 10);
    const std::string a = dir.Write("small/a.mts", first);
    const std::string b = dir.Write("small/b.mts", TempDir::Pattern(MiB, 11));
    const std::string out = dir / "small/out.mts";
    const std::string link = dir / "small/link.mts";
    std::filesystem::create_symlink(b, link);

    CallLog log;
    log.answer = [&](std::size_t n) {
        if (n == 1) {
            // Swapped in one step, as a rename over the link.
            std::filesystem::create_symlink(out, dir / "small/swap");
            std::filesystem::rename(dir / "small/swap", link);
        }
        return true;
    };
    const Failure failure = MergeFailure({a, link}, out, log.Callback());
    EXPECT_EQ("Output file is also an input file", failure.message);
    EXPECT_EQ(Kind::OutputIsInput, failure.kind);
    EXPECT_EQ(0u, failure.detail.find(out + " is the same file as the input " + link))
        << failure.detail;
    EXPECT_TRUE(TempDir::Read(out) == first);
    EXPECT_EQ(0, log.calls.back().index);
}
