#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <iterator>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "engine/Veldrun.h"
#include "tests/engine/CallLog.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/Fifo.h"
#include "tests/support/TempDir.h"

using veldrun::JobFiles;
using veldrun::Veldrun;
using veldrun::test::Call;
using veldrun::test::CallLog;
using veldrun::test::ErrorOf;
using veldrun::test::Fifo;
using veldrun::test::TempDir;

namespace {

const std::int64_t MiB = 1 << 20;

JobFiles Job(const std::vector<std::string>& inputs, const std::string& output) {
    JobFiles job;
    job.inputs = inputs;
    job.output = output;
    return job;
}

} // namespace

TEST(FileSize, MeasuresRegularFilesAndRefusesMissingOnes) {
    TempDir dir;
    EXPECT_EQ(0, Veldrun::FileSize(dir.Write("empty", "")));
    EXPECT_EQ(MiB + 1, Veldrun::FileSize(dir.Write("big", TempDir::Pattern(MiB + 1, 1))));
    EXPECT_EQ("Can't open input file", ErrorOf([&] { Veldrun::FileSize(dir / "missing"); }));
    EXPECT_EQ("Can't open input file", ErrorOf([&] { Veldrun::FileSize(""); }));
}

TEST(FileSize, CountsBeyondFourGiB) {
    TempDir dir;
    const std::int64_t size = (std::int64_t(5) << 30) + 3;
    const std::string sparse = dir.WriteSparse("sparse", size, "end");
    EXPECT_EQ(size, Veldrun::FileSize(sparse));

    JobFiles job = Job({sparse, sparse, dir.Write("small", "ab")}, "");
    EXPECT_EQ(2 * size + 2, Veldrun::TotalSize(job));
}

TEST(TotalSize, SumsInOrderAndStopsAtTheFirstMissingInput) {
    TempDir dir;
    const std::string a = dir.Write("a", "abc"), b = dir.Write("b", "de");
    EXPECT_EQ(0, Veldrun::TotalSize(Job({}, "")));
    EXPECT_EQ(5, Veldrun::TotalSize(Job({a, b}, "")));
    EXPECT_EQ("Can't open input file", ErrorOf([&] {
                  Veldrun::TotalSize(Job({a, dir / "gone", b}, ""));
              }));
}

TEST(Merge, JoinsInListOrderWithTheFiguresOfEveryCall) {
    TempDir dir;
    const std::string a = dir.Write("a", "abc"), b = dir.Write("b", "de");
    CallLog log;
    Veldrun::Merge(Job({a, b}, dir / "out"), log.Callback());

    EXPECT_EQ("abcde", TempDir::Read(dir / "out"));
    const std::vector<Call> expected = {
        {0, 3, 0, 5, 0}, {0, 3, 3, 5, 3}, {1, 2, 0, 5, 3}, {1, 2, 2, 5, 5}};
    EXPECT_EQ(expected, log.calls);

    // Reversed, the same files join the other way round.
    Veldrun::Merge(Job({b, a}, dir / "out"), veldrun::ProgressCallback());
    EXPECT_EQ("deabc", TempDir::Read(dir / "out"));
}

TEST(Merge, CallsBeforeEveryBlockAndOnceMoreAtEachEnd) {
    TempDir dir;
    const std::vector<std::int64_t> sizes = {0, 1, MiB - 1, MiB, MiB + 1, 2 * MiB, 5 * MiB / 2};
    std::vector<std::string> inputs;
    std::string expected;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const std::string bytes = TempDir::Pattern(static_cast<std::size_t>(sizes[i]), i);
        inputs.push_back(dir.Write("in" + std::to_string(i), bytes));
        expected += bytes;
    }
    const std::int64_t total = static_cast<std::int64_t>(expected.size());
    CallLog log;
    Veldrun::Merge(Job(inputs, dir / "out"), log.Callback());
    ASSERT_TRUE(TempDir::Read(dir / "out") == expected) << "output bytes differ";

    // Rebuild the expected call list: ceil(size / 1 MiB) + 1 calls per input, the position
    // stepping by 1 MiB, the written count carrying across inputs.
    std::vector<Call> calls;
    std::int64_t written = 0;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        std::int64_t position = 0;
        for (;;) {
            calls.push_back({static_cast<std::int32_t>(i), sizes[i], position, total, written});
            if (position == sizes[i])
                break;
            const std::int64_t block = std::min(MiB, sizes[i] - position);
            position += block;
            written += block;
        }
    }
    EXPECT_EQ(calls, log.calls);
}

TEST(Merge, RunsWithoutCallbackAndOnAnEmptyList) {
    TempDir dir;
    const std::string out = dir.Write("out", "old contents that must go");
    Veldrun::Merge(Job({}, out), veldrun::ProgressCallback());
    EXPECT_EQ("", TempDir::Read(out));

    const std::string a = dir.Write("a", TempDir::Pattern(3 * MiB, 7));
    Veldrun::Merge(Job({a, a}, out), veldrun::ProgressCallback());
    EXPECT_TRUE(TempDir::Read(out) == TempDir::Read(a) + TempDir::Read(a));

    CallLog log;
    Veldrun::Merge(Job({}, out), log.Callback());
    EXPECT_TRUE(log.calls.empty());
}

TEST(Merge, APipeAsOutputGetsTheSameBytes) {
    // Kernel copies refuse pipes, so this takes the path through the buffer.
    TempDir dir;
    Fifo fifo(dir / "out.pipe");
    const std::string a = dir.Write("a", TempDir::Pattern(2 * MiB + 3, 4));
    const std::string b = dir.Write("b", TempDir::Pattern(MiB, 5));
    auto received = std::async(std::launch::async, [&] {
        fifo.WaitForWriter();
        return fifo.ReadAll();
    });
    CallLog log;
    Veldrun::Merge(Job({a, b}, dir / "out.pipe"), log.Callback());
    EXPECT_TRUE(received.get() == TempDir::Read(a) + TempDir::Read(b));
    EXPECT_EQ(4u + 2u, log.calls.size());
}

TEST(Merge, TruncatesALongerExistingOutput) {
    TempDir dir;
    const std::string out = dir.Write("out", TempDir::Pattern(MiB + 10, 3));
    Veldrun::Merge(Job({dir.Write("a", "xyz")}, out), veldrun::ProgressCallback());
    EXPECT_EQ("xyz", TempDir::Read(out));
}

TEST(Merge, AbortStopsAtTheCallThatRefusesAndKeepsWhatWasWritten) {
    TempDir dir;
    const std::string bytes = TempDir::Pattern(3 * MiB + 5, 9);
    const std::string a = dir.Write("a", bytes);

    CallLog first;
    first.answer = [](std::size_t) {
        return false;
    };
    EXPECT_EQ("User aborted operation",
              ErrorOf([&] { Veldrun::Merge(Job({a}, dir / "out"), first.Callback()); }));
    EXPECT_EQ(1u, first.calls.size());
    EXPECT_EQ("", TempDir::Read(dir / "out"));

    // Refusing the third call keeps exactly the two blocks copied before it.
    CallLog third;
    third.answer = [](std::size_t n) {
        return n < 2;
    };
    EXPECT_EQ("User aborted operation",
              ErrorOf([&] { Veldrun::Merge(Job({a}, dir / "out"), third.Callback()); }));
    EXPECT_EQ(3u, third.calls.size());
    EXPECT_TRUE(TempDir::Read(dir / "out") == bytes.substr(0, 2 * MiB));
}

TEST(Merge, AMissingInputLeavesAnExistingOutputAsItWasAndANewOneUnmade) {
    TempDir dir;
    const std::string previous = TempDir::Pattern(2 * MiB + 9, 12);
    const std::string out = dir.Write("out", previous);
    const std::string a = dir.Write("a", "abc");
    CallLog log;
    EXPECT_EQ("Can't open input file", ErrorOf([&] {
                  Veldrun::Merge(Job({a, dir / "missing"}, out), log.Callback());
              }));
    EXPECT_TRUE(log.calls.empty());
    EXPECT_TRUE(TempDir::Read(out) == previous) << "the existing output was changed";

    EXPECT_EQ("Can't open input file", ErrorOf([&] {
                  Veldrun::Merge(Job({a, dir / "missing"}, dir / "new"), log.Callback());
              }));
    EXPECT_FALSE(TempDir::Exists(dir / "new"));
}

TEST(Merge, TheOutputIsCheckedBeforeAnyInput) {
    TempDir dir;
    CallLog log;
    // The missing input would fail too; the output's failure must come first.
    EXPECT_EQ("Can't create output file", ErrorOf([&] {
                  Veldrun::Merge(Job({dir / "missing"}, dir / "no-such-folder/out"),
                                 log.Callback());
              }));
    EXPECT_EQ("Can't create output file", ErrorOf([&] {
                  Veldrun::Merge(Job({dir.Write("a", "abc")}, dir.Path()), log.Callback());
              }));
    EXPECT_TRUE(log.calls.empty());
    EXPECT_FALSE(TempDir::Exists(dir / "no-such-folder"));
}

TEST(Merge, FiguresBeyondFourGiBStayExact) {
    TempDir dir;
    const std::int64_t size = (std::int64_t(4) << 30) + MiB / 2;
    const std::string sparse = dir.WriteSparse("sparse", size, "tail");
    const std::string small = dir.Write("small", "xy");
    CallLog log;
    Veldrun::Merge(Job({sparse, small}, "/dev/null"), log.Callback());

    ASSERT_EQ(4096u + 2 + 2, log.calls.size());
    const Call lastOfSparse = log.calls[4097];
    EXPECT_EQ((Call{0, size, size, size + 2, size}), lastOfSparse);
    EXPECT_EQ((Call{1, 2, 2, size + 2, size + 2}), log.calls.back());
}
