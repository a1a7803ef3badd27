#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <string>
#include <thread>

#include "tests/cli/Cli.h"
#include "tests/cli/Process.h"
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

void ExpectFailure(const Outcome& outcome, const std::string& text) {
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "Merge error: " + text + "\n");
    EXPECT_EQ(outcome.out, "");
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

TEST_F(CliMergeTest, ReportsEngineFailures) {
    const std::string input = dir.Write("in.mts", "clip");
    ExpectFailure(Process::Run(Cli({"-o", dir / "out.mts", input, dir / "missing.mts"})),
                  "Can't open input file");
    ExpectFailure(Process::Run(Cli({"-o", dir / "out.mts", dir.Path()})), "Can't open input file");
    ExpectFailure(Process::Run(Cli({"-o", dir.Path(), input})), "Can't create output file");
    ExpectFailure(Process::Run(Cli({"-o", "/dev/full", input})), "Can't write output file");
}

TEST_F(CliMergeTest, RefusesOutputThatIsAnInput) {
    const std::string input = dir.Write("in.mts", "keep me");
    const std::string other = dir.Write("other.mts", "other");
    ExpectFailure(Process::Run(Cli({"-o", dir.Path() + "/./in.mts", other, input})),
                  "Output file is also an input file");
    EXPECT_EQ(TempDir::Read(input), "keep me");
}

TEST_F(CliMergeTest, ReportsFileSizeLimitAsWriteError) {
    // The limit is 1 MiB in 512-byte blocks (dash) or 2 MiB in 1024-byte ones (bash); with
    // SIGXFSZ ignored the write fails with EFBIG instead of killing the tool.
    const std::string input = dir.Write("in.mts", TempDir::Pattern(3 * kMiB, 3));
    const std::string output = dir / "out.mts";
    ExpectFailure(Process::Run(CliInShell("ulimit -f 2048; trap '' XFSZ", {"-o", output, input})),
                  "Can't write output file");
    const std::string written = TempDir::Read(output);
    EXPECT_LT(written.size(), 3 * kMiB);
    EXPECT_TRUE(written == TempDir::Read(input).substr(0, written.size()));
}

TEST_F(CliMergeTest, ReportsOutputPipeWithoutReaderAsWriteError) {
    Fifo fifo(dir / "out.fifo");
    Process process(Cli({"-o", dir / "out.fifo", dir.WriteSparse("in.mts", 4 * kMiB, "end")}));
    fifo.WaitForWriter();
    fifo.Close();
    ExpectFailure(process.Wait(), "Can't write output file");
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
    ExpectFailure(process.Wait(), "User aborted operation");
    EXPECT_EQ(written.size() % kMiB, 0u);
    EXPECT_LT(written.size(), 4 * kMiB);
    EXPECT_TRUE(written == TempDir::Read(input).substr(0, written.size()));
}

INSTANTIATE_TEST_SUITE_P(Signals, CliCancelTest, ::testing::Values(SIGINT, SIGTERM));

TEST_F(CliMergeTest, SecondInterruptEndsAtOnce) {
    Fifo fifo(dir / "out.fifo");
    Process process(Cli({"-o", dir / "out.fifo", dir.WriteSparse("in.mts", 4 * kMiB, "end")}));
    fifo.WaitForWriter();
    ASSERT_TRUE(process.Catches(SIGINT));
    process.Signal(SIGINT);
    // The first interrupt only asks; the merge is stuck on the unread pipe. Once its handler
    // has run, the default action is back and the second one ends the process.
    for (int i = 0; i < 500 && process.Catches(SIGINT); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_FALSE(process.Catches(SIGINT));
    process.Signal(SIGINT);
    EXPECT_EQ(process.Wait().status, 128 + SIGINT);
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
    EXPECT_EQ(last.rfind("\r100% | file 2 of 2 | 5.2 MB of 5.2 MB | ", 0), 0u) << last;
    const std::string end = " MB/s\x1b[K\n";
    EXPECT_EQ(last.substr(last.size() - std::min(last.size(), end.size())), end) << last;
    EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1);
}

TEST_F(CliMergeTest, StartsErrorOnItsOwnLineOnTerminal) {
    const std::string input = dir.Write("in.mts", TempDir::Pattern(kMiB, 7));
    const Outcome failed =
        Process::Run(Cli({"-o", "/dev/full", input}), Process::ErrorTo::Terminal);
    EXPECT_EQ(failed.status, 1);
    const std::string tail = "\x1b[K\nMerge error: Can't write output file\n";
    ASSERT_GE(failed.err.size(), tail.size());
    EXPECT_EQ(failed.err.substr(failed.err.size() - tail.size()), tail);

    // A failure before the first block leaves no empty progress line behind.
    ExpectFailure(
        Process::Run(Cli({"-o", dir / "out.mts", dir / "missing.mts"}), Process::ErrorTo::Terminal),
        "Can't open input file");
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
