#include <csignal>
#include <filesystem>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>

#include "engine/Veldrun.h"
#include "tests/engine/CallLog.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/TempDir.h"
#include "tests/support/UnreadableFile.h"

using veldrun::JobFiles;
using veldrun::ProgressCallback;
using veldrun::Veldrun;
using veldrun::test::CallLog;
using veldrun::test::ErrorOf;
using veldrun::test::kUnreadableFile;
using veldrun::test::RunInChild;
using veldrun::test::TempDir;

namespace {

const std::size_t MiB = 1 << 20;

std::string MergeError(const std::vector<std::string>& inputs, const std::string& output,
                       ProgressCallback progress = ProgressCallback()) {
    JobFiles job;
    job.inputs = inputs;
    job.output = output;
    return ErrorOf([&] { Veldrun::Merge(job, progress); });
}

std::string SizeError(const std::string& path) {
    return ErrorOf([&] { Veldrun::FileSize(path); });
}

} // namespace

TEST(OutputAmongInputs, IsRefusedWhateverTheSpellingAndNothingIsTouched) {
    TempDir dir;
    const std::string bytes = TempDir::Pattern(MiB + 7, 5);
    const std::string a = dir.Write("a.mts", bytes);
    const std::string other = dir.Write("b.mts", "other");
    std::filesystem::create_symlink(a, dir / "link.mts");
    std::filesystem::create_hard_link(a, dir / "hard.mts");

    for (const std::string& output :
         {a, dir.Path() + "/./a.mts", dir.Path() + "//a.mts", dir / "link.mts", dir / "hard.mts"}) {
        CallLog log;
        EXPECT_EQ("Output file is also an input file",
                  MergeError({other, a}, output, log.Callback()))
            << output;
        EXPECT_TRUE(log.calls.empty());
        EXPECT_TRUE(TempDir::Read(a) == bytes) << "input damaged through " << output;
    }
    // The same file listed as input only through a link is caught as well.
    EXPECT_EQ("Output file is also an input file", MergeError({dir / "link.mts"}, a));
    EXPECT_TRUE(TempDir::Read(a) == bytes);
}

TEST(OutputAmongInputs, AMissingInputNamingTheOutputLeavesNoFileBehind) {
    TempDir dir;
    // Creating the output would make the missing input appear and be copied into itself.
    EXPECT_EQ("Output file is also an input file",
              MergeError({dir.Write("a", "abc"), dir / "new.mts"}, dir / "new.mts"));
    EXPECT_FALSE(TempDir::Exists(dir / "new.mts"));
}

TEST(WriteFailure, AFullDiskIsReported) {
    TempDir dir;
    EXPECT_EQ("Can't write output file", MergeError({dir.Write("a", "abc")}, "/dev/full"));
    // Nothing to write is no failure, even on a full disk.
    EXPECT_EQ("", MergeError({dir.Write("empty", "")}, "/dev/full"));
}

TEST(ReadFailure, IsReportedAndNotTakenForTheEnd) {
    TempDir dir;
    CallLog log;
    EXPECT_EQ("Can't read input file",
              MergeError({dir.Write("a", "abc"), kUnreadableFile}, dir / "out", log.Callback()));
    EXPECT_EQ("abc", TempDir::Read(dir / "out"));
}

TEST(NotARegularFile, IsRefusedAtOnceByFileSizeAndMerge) {
    TempDir dir;
    const std::string fifo = dir / "pipe.mts";
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    std::filesystem::create_directory(dir / "folder.mts");

    for (const std::string& path :
         {fifo, dir / "folder.mts", std::string("/dev/null"), std::string("/dev/zero")}) {
        // A pipe with no writer would block an ordinary open for good: bound the wait.
        auto size = std::async(std::launch::async, [&] { return SizeError(path); });
        ASSERT_EQ(std::future_status::ready, size.wait_for(std::chrono::seconds(10))) << path;
        EXPECT_EQ("Can't open input file", size.get()) << path;

        auto merge =
            std::async(std::launch::async, [&] { return MergeError({path}, dir / "out"); });
        ASSERT_EQ(std::future_status::ready, merge.wait_for(std::chrono::seconds(10))) << path;
        EXPECT_EQ("Can't open input file", merge.get()) << path;
    }
}
