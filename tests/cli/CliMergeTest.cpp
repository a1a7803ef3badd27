#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "tests/cli/Cli.h"
#include "tests/cli/Process.h"
#include "tests/support/CardTree.h"
#include "tests/support/Fifo.h"
#include "tests/support/TempDir.h"

namespace veldrun {
namespace test {
namespace {

const std::size_t kMiB = 1 << 20;

class CliMergeTest : public ::testing::Test {
protected:
    TempDir dir;
};

// The message on the first line of standard error, the detail (when there is one) on the next.
void ExpectFailure(const Outcome& outcome, const std::string& text, const std::string& detail) {
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "Merge error: " + text + "\n" + (detail.empty() ? "" : detail + "\n"));
    EXPECT_EQ(outcome.out, "");
}

std::int64_t SizeOf(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 ? info.st_size : -1;
}

// Polls what another process does until `done` holds; returns false if it still does not
// once `limit` has passed.
bool WaitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

TEST_F(CliMergeTest, JoinsInputsInOrderSilently) {
    // Crosses the 1 MiB block size, holds an empty input and the same input twice.
    const std::string a = TempDir::Pattern(kMiB + 17, 1);
    const std::string b = TempDir::Pattern(4096, 2);
    const std::string output = dir.Write("out.mts", std::string(3 * kMiB, 'x'));
    const Outcome outcome =
        Process::Run(Cli({"-o", output, dir.Write("a.mts", a), dir.Write("empty.mts", ""),
                          dir.Write("b.mts", b), dir / "a.mts"}));
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "");
    // The longer file that was there is replaced, not overwritten in place.
    EXPECT_TRUE(TempDir::Read(output) == a + b + a);
}

TEST_F(CliMergeTest, AFolderStandsForItsClipsWhereItIsGivenAndOneWithoutClipsStopsTheRun) {
    const CardTree card(dir.Path());
    const std::string before = dir.Write("before.mts", TempDir::Pattern(3000, 7));
    const std::string after = dir.Write("after.txt", TempDir::Pattern(5, 8));
    const std::string output = dir / "joined.mts";
    const Outcome joined = Process::Run(Cli({"-o", output, before, card.Root(), after}));
    EXPECT_EQ(joined.status, 0) << joined.err;
    EXPECT_EQ(joined.err, "");
    EXPECT_EQ(TempDir::Read(output), TempDir::Read(before) + card.Joined() + TempDir::Read(after));

    const Outcome checked = Process::Run(Cli({"--check", before, card.Root() + "/", after}));
    EXPECT_EQ(checked.status, 0) << checked.err;
    std::vector<std::string> inputs = {before};
    inputs.insert(inputs.end(), card.Clips().begin(), card.Clips().end());
    inputs.push_back(after);
    std::string lines;
    for (std::size_t at = 0; at < inputs.size(); ++at)
        lines += (at < 9 ? " " : "") + std::to_string(at + 1) + "  -  -  not a transport stream  " +
                 inputs[at] + "\n";
    EXPECT_EQ(checked.out, lines + "12 inputs, 0 recordings, 12 not transport streams\n");

    // A script must not get a join with a piece silently missing: nothing is joined or written.
    std::filesystem::create_directories(dir / "empty/.hidden");
    dir.Write("empty/.hidden/00000.MTS", "hidden");
    const std::string fresh = dir / "fresh.mts";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"-o", fresh, before, dir / "empty", card.Root() + "/DCIM"},
          std::vector<std::string>{"--check", dir / "empty", before, card.Root() + "/DCIM"}}) {
        const Outcome refused = Process::Run(Cli(args));
        EXPECT_EQ(refused.status, 1);
        EXPECT_EQ(refused.err, "veldrun-cli: No clips found in " + dir / "empty" +
                                   "\nveldrun-cli: No clips found in " + card.Root() + "/DCIM\n");
        // A check writes nothing, so it still lists the other inputs.
        if (args.front() == "--check")
            EXPECT_EQ(refused.out.substr(0, refused.out.find('\n')),
                      "1  -  -  not a transport stream  " + before);
        else
            EXPECT_EQ(refused.out, "");
        EXPECT_FALSE(TempDir::Exists(fresh));
    }
}

TEST_F(CliMergeTest, TakesNamesThatAreNotUtf8AsTheyAre) {
    // Latin-1 and stray bytes, as old cameras and other systems write them.
    const std::string input = dir.Write("clip\xe9.MTS", "clip bytes");
    const std::string output = dir / "joined\xff.mts";
    const Outcome outcome = Process::Run(Cli({"-o", output, input}));
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(TempDir::Read(output), "clip bytes");
}

TEST_F(CliMergeTest, ReportsEngineFailuresWithTheirDetail) {
    const std::string input = dir.Write("in.mts", "clip");
    ExpectFailure(Process::Run(Cli({"-o", dir / "out.mts", input, dir / "missing.mts"})),
                  "Can't open input file", dir / "missing.mts: No such file or directory");
    ExpectFailure(Process::Run(Cli({"-o", dir / "out.mts", "/dev/null"})), "Can't open input file",
                  "/dev/null: Not a regular file (a pipe or a device)");
    ExpectFailure(Process::Run(Cli({"-o", dir.Path(), input})), "Can't create output file",
                  dir.Path() + ": Is a directory");
    ExpectFailure(Process::Run(Cli({"-o", "/dev/full", input})), "Can't write output file",
                  "/dev/full: No space left on device");
}

TEST_F(CliMergeTest, RefusesOutputThatIsAnInput) {
    const std::string input = dir.Write("in.mts", "keep me");
    const std::string other = dir.Write("other.mts", "other");
    ExpectFailure(Process::Run(Cli({"-o", dir.Path() + "/./in.mts", other, input})),
                  "Output file is also an input file",
                  dir.Path() + "/./in.mts is the same file as the input " + input);
    EXPECT_EQ(TempDir::Read(input), "keep me");
    // Standard output is checked too: appending a file to itself would never end.
    const Outcome appended = Process::Run(
        {"/bin/sh", "-c", "exec \"$0\" -o - \"$1\" >>\"$1\"", VELDRUN_CLI_PATH, input});
    EXPECT_EQ(appended.status, 1);
    EXPECT_EQ(appended.err, "Merge error: Output file is also an input file\nstandard output "
                            "is the same file as the input " +
                                input + "\n");
    EXPECT_EQ(TempDir::Read(input), "keep me");
}

TEST_F(CliMergeTest, RefusesTotalAboveTheFileSizeLimitBeforeWriting) {
    // The limit is 1 MiB in 512-byte blocks (dash) or 2 MiB in 1024-byte ones (bash).
    const std::string input = dir.Write("in.mts", TempDir::Pattern(3 * kMiB, 3));
    const std::string output = dir.Write("out.mts", "previous");
    const Outcome outcome = Process::Run(CliInShell("ulimit -f 2048", {"-o", output, input}));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err.rfind("Merge error: Output file is too large for its file system\n"
                                "needs 3.1 MB; this program may write files of at most ",
                                0),
              0u)
        << outcome.err;
    EXPECT_EQ(TempDir::Read(output), "previous");
}

TEST_F(CliMergeTest, ReportsTheFileSizeLimitReachedMidCopyWithoutDying) {
    // The limit comes while the copy runs, as when it is lower than an input that grew since
    // it was measured. Nothing here ignores the signal that the limit raises: the tool must.
    const std::string input = dir.WriteSparse("in.mts", std::int64_t(2) << 30, "end");
    const std::string output = dir / "out.mts";
    Process process(Cli({"-o", output, input}));
    ASSERT_TRUE(WaitUntil([&] { return SizeOf(output) > 0; })) << "the copy did not start";
    ASSERT_TRUE(process.LimitFileSize(kMiB));
    const Outcome outcome = process.Wait(std::chrono::seconds(30));
    EXPECT_EQ(outcome.status, 1) << outcome.err;
    EXPECT_EQ(outcome.err.rfind(
                  "Merge error: Can't write output file\n" + output + ": File too large; ", 0),
              0u)
        << outcome.err;
}

TEST_F(CliMergeTest, RefusesAPipeThatNobodyReadsAtOnce) {
    const std::string fifo = dir / "out.fifo";
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    ExpectFailure(Process::Run(Cli({"-o", fifo, dir.Write("in.mts", "clip")})),
                  "Can't create output file",
                  fifo + ": no program is reading this pipe, so nothing could be written to it");
}

TEST_F(CliMergeTest, OutputsThatAreNoPipeNorDiskAreRefusedWithTheSystemsReason) {
    const std::string input = dir.Write("in.mts", "clip");
    // Without a terminal, /dev/tty fails as a pipe without a reader does: ENXIO.
    ExpectFailure(
        Process::Run({"/usr/bin/setsid", "--wait", VELDRUN_CLI_PATH, "-o", "/dev/tty", input}),
        "Can't create output file", "/dev/tty: No such device or address");
    // So does a socket.
    const std::string socketPath = dir / "out.socket";
    const int listening = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(0, ::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address));
    ExpectFailure(Process::Run(Cli({"-o", socketPath, input})), "Can't create output file",
                  socketPath + ": No such device or address");
    ::close(listening);
    // A kernel setting reports no free space; that is not a full disk.
    ExpectFailure(Process::Run(Cli({"-o", "/proc/self/comm", input})), "Can't create output file",
                  "/proc/self/comm: a setting or report of the kernel (in /proc or /sys), not a "
                  "file for data");
}

TEST_F(CliMergeTest, ReportsAReaderThatGoesAwayAsWriteError) {
    Fifo fifo(dir / "out.fifo");
    Process process(Cli({"-o", dir / "out.fifo", dir.WriteSparse("in.mts", 4 * kMiB, "end")}));
    fifo.WaitForWriter();
    fifo.Close();
    ExpectFailure(process.Wait(), "Can't write output file", dir / "out.fifo: Broken pipe");
}

TEST_F(CliMergeTest, RefusesAnOutputThatAnotherMergeWrites) {
    const std::string output = dir.Write("out.mts", "being written");
    // What a merge in another process holds while it writes.
    const int held = ::open(output.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    ASSERT_EQ(0, ::fcntl(held, F_OFD_SETLK, &lock));
    ExpectFailure(Process::Run(Cli({"-o", output, dir.Write("in.mts", "clip")})),
                  "Can't create output file",
                  output + ": another merge is writing this file; wait until it is done");
    ::close(held);
    EXPECT_EQ(TempDir::Read(output), "being written");
}

TEST_F(CliMergeTest, WritesToStandardOutputAsItWasOpened) {
    const std::string a = TempDir::Pattern(kMiB + 5, 9);
    const std::string input = dir.Write("in.mts", a);
    const std::string output = dir.Write("out.mts", "head:");
    // `>>` appends, and --no-sync changes nothing in what is written.
    for (const char* sync : {"--quiet", "--no-sync"}) {
        const Outcome outcome =
            Process::Run({"/bin/sh", "-c", "exec \"$0\" \"$1\" -o - \"$2\" >>\"$3\"",
                          VELDRUN_CLI_PATH, sync, input, output});
        EXPECT_EQ(outcome.status, 0) << outcome.err;
    }
    EXPECT_TRUE(TempDir::Read(output) == "head:" + a + a);
    // What is there already counts towards the file size limit: 1 MiB more fits under 3072
    // blocks of 512 bytes (dash) or of 1024 bytes (bash); with the 2 MiB there, it does not.
    const Outcome limited =
        Process::Run({"/bin/sh", "-c", "ulimit -f 3072; exec \"$0\" -o - \"$1\" >>\"$2\"",
                      VELDRUN_CLI_PATH, input, output});
    EXPECT_EQ(limited.status, 1);
    EXPECT_NE(limited.err.find("Output file is too large for its file system"), std::string::npos)
        << limited.err;
    EXPECT_TRUE(TempDir::Read(output) == "head:" + a + a);
    // Into a pipe, standard output is written as any pipe.
    const Outcome piped = Process::Run(Cli({"-o", "-", input}));
    EXPECT_EQ(piped.status, 0);
    EXPECT_TRUE(piped.out == a);
}

class CliCancelTest : public CliMergeTest, public ::testing::WithParamInterface<int> {};

TEST_P(CliCancelTest, SignalAbortsMergeBetweenBlocks) {
    const std::string input = dir.Write("in.mts", TempDir::Pattern(4 * kMiB, 4));
    Fifo fifo(dir / "out.fifo");
    Process process(Cli({"-o", dir / "out.fifo", input}));
    // The merge writes into the pipe only as fast as the test reads, so it is still on its
    // first blocks when the signal arrives.
    fifo.WaitForWriter();
    process.Signal(GetParam());
    const std::string written = fifo.ReadAll();
    ExpectFailure(process.Wait(), "User aborted operation", "");
    EXPECT_EQ(written.size() % kMiB, 0u);
    EXPECT_LT(written.size(), 4 * kMiB);
    EXPECT_TRUE(written == TempDir::Read(input).substr(0, written.size()));
}

INSTANTIATE_TEST_SUITE_P(Signals, CliCancelTest, ::testing::Values(SIGINT, SIGTERM, SIGHUP));

TEST_F(CliMergeTest, SecondInterruptEndsAtOnce) {
    Fifo fifo(dir / "out.fifo");
    Process process(Cli({"-o", dir / "out.fifo", dir.WriteSparse("in.mts", 4 * kMiB, "end")}));
    fifo.WaitForWriter();
    ASSERT_TRUE(process.Catches(SIGINT));
    process.Signal(SIGINT);
    // The first interrupt only asks; the merge is stuck on the unread pipe. Once it has been
    // taken, the second one ends the process.
    ASSERT_TRUE(WaitUntil([&] { return !process.Pending(SIGINT); }));
    process.Signal(SIGINT);
    EXPECT_EQ(process.Wait().status, 128 + SIGINT);
}

TEST_F(CliMergeTest, TwoInterruptsLeaveNoSpaceReservedBeyondTheOutput) {
#if defined(__SANITIZE_THREAD__)
    // The second interrupt ends the process from its handler while the merge's thread runs:
    // that is the point, not a leaked thread.
    const char* before = std::getenv("TSAN_OPTIONS");
    const std::string options = std::string(before ? before : "") + ":report_thread_leaks=0";
    ::setenv("TSAN_OPTIONS", options.c_str(), 1);
#endif
    const std::string input = dir.WriteSparse("in.mts", 1024 * kMiB, "end");
    const std::string output = dir / "out.mts";
    Process process(Cli({"--quiet", "-o", output, input}));
    ASSERT_TRUE(WaitUntil([&] { return SizeOf(output) > 0; })) << "the copy did not start";
    process.Signal(SIGINT);
    ASSERT_TRUE(WaitUntil([&] { return !process.Pending(SIGINT); }));
    process.Signal(SIGINT);
    // Ended by the second interrupt, or by the first's cancel if that came sooner: either way
    // the 1 GiB reserved ahead is given back, and what was written stays.
    const Outcome outcome = process.Wait(std::chrono::seconds(30));
#if defined(__SANITIZE_THREAD__)
    if (before)
        ::setenv("TSAN_OPTIONS", before, 1);
    else
        ::unsetenv("TSAN_OPTIONS");
#endif
    EXPECT_TRUE(outcome.status == 128 + SIGINT || outcome.status == 1) << outcome.status << "\n"
                                                                       << outcome.err;

    struct stat info;
    ASSERT_EQ(::stat(output.c_str(), &info), 0);
    EXPECT_LT(info.st_size, 1024 * kMiB);
    EXPECT_LE(info.st_blocks * 512, (info.st_size + 4095) / 4096 * 4096 + 64 * 1024)
        << info.st_size << " bytes hold " << info.st_blocks * 512;
}

TEST_F(CliMergeTest, DrawsProgressLineOnTerminal) {
    const std::string a = dir.Write("a.mts", TempDir::Pattern(3 * kMiB, 5));
    const std::string b = dir.Write("b.mts", TempDir::Pattern(2 * kMiB, 6));
    const Outcome outcome =
        Process::Run(Cli({"-o", dir / "out.mts", a, b}), Process::ErrorTo::Terminal);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "");
    // Redrawn in place, the last time with the final figures, then left on its own line.
    ASSERT_EQ(outcome.err.find('\r'), 0u);
    const std::string last = outcome.err.substr(outcome.err.rfind('\r'));
    EXPECT_EQ(last.rfind("\r100% | file 2 of 2 | b.mts | 5.2 MB of 5.2 MB | ", 0), 0u) << last;
    const std::string end = " MB/s\x1b[K\n";
    EXPECT_EQ(last.substr(last.size() - std::min(last.size(), end.size())), end) << last;
    EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1);
}

TEST_F(CliMergeTest, ProgressLineFitsTheTerminalByCuttingTheClipsName) {
    const std::string name = "the whole afternoon at the lake, filmed from the boat.mts";
    const std::string input = dir.Write(name, TempDir::Pattern(3 * kMiB, 9));
    const Outcome outcome =
        Process::Run(Cli({"-o", dir / "out.mts", input}), Process::ErrorTo::Terminal, 70);
    EXPECT_EQ(outcome.status, 0);
    ASSERT_EQ(outcome.err.find('\r'), 0u) << outcome.err;
    std::string line;
    for (std::size_t at = 0; at != std::string::npos; at = outcome.err.find('\r', at + 1)) {
        // Each redraw without its \r and the escape that clears the rest of the row.
        line = outcome.err.substr(at + 1, outcome.err.find("\x1b[K", at) - at - 1);
        // The last column stays free, so the terminal never wraps the line.
        EXPECT_LE(line.size(), 69u) << line;
        // The name cut at its start down to an end of it; the figures whole.
        const std::string head = " | file 1 of 1 | ...";
        const std::size_t cut = line.find(head) + head.size();
        const std::size_t figures = line.find(" | ", cut);
        ASSERT_NE(figures, std::string::npos) << line;
        EXPECT_GT(figures, cut) << line;
        EXPECT_EQ(name.substr(name.size() - (figures - cut)), line.substr(cut, figures - cut));
        EXPECT_NE(line.find(" of 3.1 MB | ", figures), std::string::npos) << line;
        EXPECT_EQ(line.substr(line.size() - 5), " MB/s") << line;
    }
    EXPECT_EQ(line.rfind("100% | file 1 of 1 | ...", 0), 0u) << line;
}

TEST_F(CliMergeTest, StartsErrorOnItsOwnLineOnTerminal) {
    const std::string input = dir.Write("in.mts", TempDir::Pattern(kMiB, 7));
    const Outcome failed =
        Process::Run(Cli({"-o", "/dev/full", input}), Process::ErrorTo::Terminal);
    EXPECT_EQ(failed.status, 1);
    const std::string tail =
        "\x1b[K\nMerge error: Can't write output file\n/dev/full: No space left on device\n";
    ASSERT_GE(failed.err.size(), tail.size());
    EXPECT_EQ(failed.err.substr(failed.err.size() - tail.size()), tail);

    // A failure before the first block leaves no empty progress line behind.
    ExpectFailure(
        Process::Run(Cli({"-o", dir / "out.mts", dir / "missing.mts"}), Process::ErrorTo::Terminal),
        "Can't open input file", dir / "missing.mts: No such file or directory");
}

TEST_F(CliMergeTest, QuietDrawsNothingOnTerminal) {
    const std::string input = dir.Write("in.mts", TempDir::Pattern(2 * kMiB, 8));
    for (const char* quiet : {"-q", "--quiet"}) {
        const Outcome outcome =
            Process::Run(Cli({quiet, "-o", dir / "out.mts", input}), Process::ErrorTo::Terminal);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.err, "") << quiet;
    }
}

} // namespace
} // namespace test
} // namespace veldrun
