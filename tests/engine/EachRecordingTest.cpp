// A run that writes one output per recording: the bytes and dates of every output, progress
// counted over the whole run, a cancel in the middle of a later recording, and the checks
// made for the whole run before anything is written, on real small file systems.
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

#include "engine/Veldrun.h"
#include "tests/engine/CallLog.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/Mount.h"
#include "tests/support/TempDir.h"

using veldrun::JobFiles;
using veldrun::MergeError;
using veldrun::MergeOptions;
using veldrun::RunOutcome;
using veldrun::Veldrun;
using veldrun::test::Call;
using veldrun::test::CallLog;
using veldrun::test::Mount;
using veldrun::test::RunInChild;
using veldrun::test::TempDir;

namespace {

const std::int64_t MiB = 1 << 20;

struct Stat {
    std::int64_t modifiedNs = -1;
    std::int64_t accessedNs = -1;
};

Stat StatOf(const std::string& path) {
    struct stat info;
    Stat result;
    if (::stat(path.c_str(), &info) == 0) {
        result.modifiedNs = std::int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
        result.accessedNs = std::int64_t(info.st_atim.tv_sec) * 1000000000 + info.st_atim.tv_nsec;
    }
    return result;
}

std::int64_t NowNs() {
    struct timespec now;
    ::clock_gettime(CLOCK_REALTIME, &now);
    return std::int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

JobFiles::Part PartAt(const std::string& path, std::size_t first,
                      boost::optional<std::int64_t> modifiedNs = boost::none) {
    JobFiles::Part part;
    part.path = path;
    part.first = first;
    part.modifiedNs = modifiedNs;
    return part;
}

// Three recordings over six inputs, sizes around the 1 MiB block (0, one block, one block
// plus one), each input's bytes its own.
struct ThreeRecordings {
    explicit ThreeRecordings(const TempDir& dir) {
        const std::vector<std::size_t> sizes = {MiB + 1, 5, 0, 2 * MiB + 7, MiB, 3};
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            bytes.push_back(TempDir::Pattern(sizes[i], static_cast<unsigned>(i + 1)));
            job.inputs.push_back(dir.Write("in" + std::to_string(i) + ".MTS", bytes.back()));
        }
        job.parts = {PartAt(dir / "first.MTS", 0), PartAt(dir / "second.MTS", 2),
                     PartAt(dir / "third.MTS", 4)};
    }
    std::string Expected(std::size_t part) const {
        static const std::size_t bounds[] = {0, 2, 4, 6};
        std::string joined;
        for (std::size_t i = bounds[part]; i < bounds[part + 1]; ++i)
            joined += bytes[i];
        return joined;
    }
    JobFiles job;
    std::vector<std::string> bytes;
};

// The calls a run over inputs of `sizes` makes: before every block and at each input's end,
// with the input's run index, the run's total and what the run has written.
std::vector<Call> ExpectedCalls(const std::vector<std::int64_t>& sizes) {
    std::int64_t total = 0;
    for (std::int64_t size : sizes)
        total += size;
    std::vector<Call> calls;
    std::int64_t written = 0;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        for (std::int64_t at = 0;; at = std::min(at + MiB, sizes[i])) {
            calls.push_back(Call{static_cast<std::int32_t>(i), sizes[i], at, total, written + at});
            if (at == sizes[i])
                break;
        }
        written += sizes[i];
    }
    return calls;
}

} // namespace

TEST(EachRecording, EveryRecordingGetsItsOwnOutputWithItsBytesAndDate) {
    TempDir dir;
    ThreeRecordings run(dir);
    // A date with nanoseconds, one before 1970, and none: that output keeps the time of writing.
    run.job.parts[0].modifiedNs = std::int64_t(1720951421) * 1000000000 + 123456789;
    run.job.parts[1].modifiedNs = -std::int64_t(86400) * 1000000000 - 5;
    // The third replaces a longer file; its access time is left as it was.
    dir.Write("third.MTS", TempDir::Pattern(5 * MiB, 99));
    const struct timespec accessed[2] = {{1000000, 42}, {0, UTIME_OMIT}};
    ASSERT_EQ(0, ::utimensat(AT_FDCWD, (dir / "third.MTS").c_str(), accessed, 0));

    CallLog log;
    MergeOptions options;
    int flushes = 0;
    std::vector<std::size_t> completed;
    options.writingToDisk = [&] {
        ++flushes;
    };
    std::vector<Stat> stamps;
    options.outputComplete = [&](std::size_t output) {
        // Complete means on disk with every byte and its date when it is announced. Taken
        // before reading, which moves the access time.
        stamps.push_back(StatOf(run.job.parts[output].path));
        EXPECT_TRUE(TempDir::Read(run.job.parts[output].path) == run.Expected(output)) << output;
        completed.push_back(output);
    };
    const std::int64_t before = NowNs();
    RunOutcome outcome;
    Veldrun::MergeRun(run.job, log.Callback(), options, outcome);

    for (std::size_t part = 0; part < 3; ++part)
        EXPECT_TRUE(TempDir::Read(run.job.parts[part].path) == run.Expected(part)) << part;
    EXPECT_EQ((std::vector<std::size_t>{0, 1, 2}), completed);
    EXPECT_EQ(3, flushes);
    EXPECT_EQ(ExpectedCalls({MiB + 1, 5, 0, 2 * MiB + 7, MiB, 3}), log.calls);

    ASSERT_EQ(3u, outcome.complete.size());
    for (std::size_t part = 0; part < 3; ++part) {
        EXPECT_EQ(run.job.parts[part].path, outcome.complete[part].path);
        EXPECT_EQ(std::int64_t(run.Expected(part).size()), outcome.complete[part].size);
        EXPECT_EQ(RunOutcome::Verified::No, outcome.complete[part].verified);
    }
    EXPECT_EQ("", outcome.partialPath);

    ASSERT_EQ(3u, stamps.size());
    EXPECT_EQ(*run.job.parts[0].modifiedNs, stamps[0].modifiedNs);
    EXPECT_EQ(*run.job.parts[1].modifiedNs, stamps[1].modifiedNs);
    EXPECT_GE(stamps[2].modifiedNs, before);
    EXPECT_EQ(std::int64_t(1000000) * 1000000000 + 42, stamps[2].accessedNs);
    // And they stay: nothing touches the outputs after they are announced.
    EXPECT_EQ(stamps[0].modifiedNs, StatOf(dir / "first.MTS").modifiedNs);
}

TEST(EachRecording, ASingleOutputTakesTheJobsDateAndOnlyARegularFileGetsOne) {
    TempDir dir;
    JobFiles job;
    job.inputs = {dir.Write("a", "abc"), dir.Write("b", TempDir::Pattern(MiB + 3, 1))};
    job.output = dir / "out.MTS";
    job.modifiedNs = std::int64_t(1600000000) * 1000000000 + 999999999;
    Veldrun::Merge(job, CallLog().Callback());
    EXPECT_TRUE(TempDir::Read(job.output) ==
                TempDir::Read(job.inputs[0]) + TempDir::Read(job.inputs[1]));
    EXPECT_EQ(*job.modifiedNs, StatOf(job.output).modifiedNs);

    // A device keeps its own times; verifying is skipped for it and said so.
    const Stat null = StatOf("/dev/null");
    job.parts = {PartAt("/dev/null", 0, std::int64_t(5)), PartAt("/dev/null", 1, std::int64_t(6))};
    MergeOptions options;
    options.verify = true;
    RunOutcome outcome;
    Veldrun::MergeRun(job, CallLog().Callback(), options, outcome);
    EXPECT_EQ(null.modifiedNs, StatOf("/dev/null").modifiedNs);
    ASSERT_EQ(2u, outcome.complete.size());
    EXPECT_EQ(RunOutcome::Verified::NotRegular, outcome.complete[0].verified);
    EXPECT_EQ(RunOutcome::Verified::NotRegular, outcome.complete[1].verified);
}

TEST(EachRecording, ACancelInTheSecondRecordingKeepsTheFirstAndNamesOnlyWhatItEmptied) {
    for (const bool replaced : {false, true}) {
        TempDir dir;
        ThreeRecordings run(dir);
        // The second's output and the third's exist; only the second is emptied before the cancel.
        dir.Write("second.MTS", "an older second");
        dir.Write("third.MTS", "keep me");
        Veldrun job;
        *job.files = run.job;
        std::vector<std::size_t> completed;
        job.options.outputComplete = [&](std::size_t output) {
            completed.push_back(output);
        };
        // Cancelled one block into the fourth input, the second recording's second piece.
        CallLog log;
        log.answer = [&](std::size_t n) {
            return !(log.calls[n].index == 3 && log.calls[n].position == MiB);
        };
        job.SetCallback(log.Callback());
        job.Start();
        job.worker.join();

        EXPECT_EQ("User aborted operation", job.ErrorText());
        EXPECT_EQ((std::vector<std::size_t>{0}), completed);
        const RunOutcome outcome = job.Outcome();
        ASSERT_EQ(1u, outcome.complete.size());
        EXPECT_EQ(dir / "first.MTS", outcome.complete[0].path);
        EXPECT_TRUE(TempDir::Read(dir / "first.MTS") == run.Expected(0));
        EXPECT_EQ(dir / "second.MTS", outcome.partialPath);
        EXPECT_EQ(MiB, outcome.partialBytes);
        EXPECT_TRUE(TempDir::Read(dir / "second.MTS") == run.Expected(1).substr(0, MiB));
        EXPECT_EQ("keep me", TempDir::Read(dir / "third.MTS"));

        std::string problem;
        if (!replaced) {
            EXPECT_TRUE(job.RemovePartial(problem)) << problem;
            EXPECT_FALSE(TempDir::Exists(dir / "second.MTS"));
            EXPECT_EQ("", job.Outcome().partialPath);
        } else {
            // Another file put under the name since is not the run's to delete.
            dir.Write("new", "someone else's");
            std::filesystem::rename(dir / "new", dir / "second.MTS");
            EXPECT_FALSE(job.RemovePartial(problem));
            EXPECT_NE(std::string::npos, problem.find("another file")) << problem;
            EXPECT_EQ("someone else's", TempDir::Read(dir / "second.MTS"));
        }
    }
}

TEST(EachRecording, TheWholeRunIsCheckedBeforeAnythingIsWritten) {
    TempDir dir;
    Mount small = Mount::Tmpfs(dir / "small", 4096);
    if (!small.Ready())
        GTEST_SKIP() << small.Why();
    const std::string where = dir.Path() + "/small";

    // Three recordings of 1.5 MiB: each would fit alone, together they do not.
    JobFiles job;
    for (unsigned i = 0; i < 3; ++i)
        job.inputs.push_back(dir.Write("in" + std::to_string(i), TempDir::Pattern(3 * MiB / 2, i)));
    job.parts = {PartAt(where + "/a.MTS", 0), PartAt(where + "/b.MTS", 1),
                 PartAt(where + "/c.MTS", 2)};
    CallLog log;
    RunOutcome outcome;
    try {
        Veldrun::MergeRun(job, log.Callback(), MergeOptions(), outcome);
        ADD_FAILURE() << "the run did not fail";
    } catch (const MergeError& error) {
        EXPECT_STREQ("Not enough free space for the output file", error.what());
        EXPECT_TRUE(std::regex_match(
            error.Detail(),
            std::regex("3 output files need 4\\.7 MB together, [34]\\.[0-9] MB free on " + where)))
            << error.Detail();
    }
    EXPECT_TRUE(log.calls.empty());
    EXPECT_TRUE(std::filesystem::is_empty(where));
    EXPECT_TRUE(outcome.complete.empty());

    // An existing output is emptied only when its turn comes: the space it holds helps the
    // outputs after it, not those before.
    const std::string old = TempDir::Pattern(3 * MiB, 9);
    JobFiles tight;
    for (unsigned i = 0; i < 3; ++i)
        tight.inputs.push_back(
            dir.Write("q" + std::to_string(i), TempDir::Pattern(3 * MiB / 4, i)));
    tight.parts = {PartAt(where + "/a.MTS", 0), PartAt(where + "/b.MTS", 1),
                   PartAt(where + "/old.MTS", 2)};
    dir.Write("small/old.MTS", old);
    try {
        Veldrun::MergeRun(tight, log.Callback(), MergeOptions(), outcome);
        ADD_FAILURE() << "the run did not fail";
    } catch (const MergeError& error) {
        EXPECT_EQ(MergeError::Kind::NotEnoughSpace, error.GetKind());
        EXPECT_TRUE(std::regex_match(error.Detail(), std::regex("2 output files need 1\\.6 MB .*")))
            << error.Detail();
    }
    EXPECT_TRUE(TempDir::Read(where + "/old.MTS") == old);
    EXPECT_FALSE(TempDir::Exists(where + "/a.MTS"));
    EXPECT_TRUE(log.calls.empty());

    // First in the run, it makes room for the rest.
    tight.parts[0].path = where + "/old.MTS";
    tight.parts[2].path = where + "/c.MTS";
    Veldrun::MergeRun(tight, log.Callback(), MergeOptions(), outcome);
    EXPECT_TRUE(TempDir::Read(where + "/old.MTS") == TempDir::Read(tight.inputs[0]));
    EXPECT_TRUE(TempDir::Read(where + "/c.MTS") == TempDir::Read(tight.inputs[2]));
}

TEST(EachRecording, OutputsThatCannotBeWrittenAreRefusedBeforeTheFirstIsCreated) {
    TempDir dir;
    JobFiles job;
    job.inputs = {dir.Write("a", TempDir::Pattern(MiB / 2, 1)),
                  dir.Write("b", TempDir::Pattern(2 * MiB, 2))};
    job.parts = {PartAt(dir / "first.MTS", 0), PartAt(dir / "second.MTS", 1)};

    // A file size limit that the first output is under and the second over. No signal
    // handling is set: nothing is written, so nothing may raise the file size signal.
    const int status = RunInChild([&] {
        const rlimit limit = {MiB, MiB};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 3;
        RunOutcome outcome;
        try {
            Veldrun::MergeRun(job, CallLog().Callback(), MergeOptions(), outcome);
        } catch (const MergeError& error) {
            if (error.GetKind() != MergeError::Kind::TooLarge ||
                error.Detail().find("second.MTS needs 2.1 MB") == std::string::npos)
                return 2;
            return TempDir::Exists(dir / "first.MTS") ? 1 : 0;
        }
        return 4;
    });
    EXPECT_EQ(0, status);

    // A later recording's output that is an earlier one's input would destroy that clip.
    job.parts[1].path = job.inputs[0];
    RunOutcome outcome;
    try {
        Veldrun::MergeRun(job, CallLog().Callback(), MergeOptions(), outcome);
        ADD_FAILURE() << "the run did not fail";
    } catch (const MergeError& error) {
        EXPECT_EQ(MergeError::Kind::OutputIsInput, error.GetKind());
    }
    EXPECT_FALSE(TempDir::Exists(dir / "first.MTS"));
    EXPECT_TRUE(TempDir::Read(job.inputs[0]) == TempDir::Pattern(MiB / 2, 1));

    // Two recordings under one name, spelled differently: the second would replace the first.
    job.parts[1].path = dir.Path() + "/./first.MTS";
    try {
        Veldrun::MergeRun(job, CallLog().Callback(), MergeOptions(), outcome);
        ADD_FAILURE() << "the run did not fail";
    } catch (const MergeError& error) {
        EXPECT_EQ(MergeError::Kind::CantCreateOutput, error.GetKind());
    }
    EXPECT_FALSE(TempDir::Exists(dir / "first.MTS"));
}

TEST(EachRecording, VerifyingReadsEveryOutputBackAndStopsTheRunAtAFault) {
    TempDir dir;
    ThreeRecordings run(dir);
    MergeOptions options;
    options.verify = true;
    CallLog verifying;
    options.verifyProgress = verifying.Callback();
    RunOutcome outcome;
    Veldrun::MergeRun(run.job, CallLog().Callback(), options, outcome);
    ASSERT_EQ(3u, outcome.complete.size());
    for (const RunOutcome::Written& written : outcome.complete)
        EXPECT_EQ(RunOutcome::Verified::Yes, written.verified) << written.path;
    // Figures over the whole run: the last call has every byte verified, of the run's total.
    ASSERT_FALSE(verifying.calls.empty());
    const std::int64_t total =
        std::int64_t(run.Expected(0).size() + run.Expected(1).size() + run.Expected(2).size());
    EXPECT_EQ(total, verifying.calls.back().total);
    EXPECT_EQ(total, verifying.calls.back().written);
    EXPECT_EQ(5, verifying.calls.back().index);

    // An input that reads differently after its copy (changed in place, its size kept, after
    // the copy's own checks): the second output does not match and stays, neither complete
    // nor partial; nothing is written after it.
    std::size_t flushes = 0;
    options.writingToDisk = [&] {
        if (++flushes == 2)
            dir.Write("in3.MTS", TempDir::Pattern(run.bytes[3].size(), 77));
    };
    outcome = RunOutcome();
    run.job.parts[1].modifiedNs = std::int64_t(1720951421) * 1000000000;
    try {
        Veldrun::MergeRun(run.job, CallLog().Callback(), options, outcome);
        ADD_FAILURE() << "the run did not fail";
    } catch (const MergeError& error) {
        EXPECT_EQ(MergeError::Kind::OutputMismatch, error.GetKind());
        EXPECT_NE(std::string::npos, error.Detail().find("left in place")) << error.Detail();
    }
    // Left as it was written, its date included: giving back space it no longer holds would
    // date it now.
    EXPECT_EQ(*run.job.parts[1].modifiedNs, StatOf(dir / "second.MTS").modifiedNs);
    run.job.parts[1].modifiedNs.reset();
    ASSERT_EQ(1u, outcome.complete.size());
    EXPECT_EQ("", outcome.partialPath);
    EXPECT_TRUE(TempDir::Read(dir / "second.MTS") == run.Expected(1));
    EXPECT_TRUE(TempDir::Read(dir / "third.MTS") == run.Expected(2)); // from the first run
    dir.Write("in3.MTS", run.bytes[3]);

    // A cancel while verifying leaves that output complete; before the last it ends the run.
    for (const std::size_t stopAt : {std::size_t(0), std::size_t(2)}) {
        std::filesystem::remove(dir / "second.MTS");
        options.writingToDisk.clear();
        CallLog stopping;
        stopping.answer = [&](std::size_t n) {
            return stopping.calls[n].index !=
                   static_cast<std::int32_t>(run.job.parts[stopAt].first);
        };
        options.verifyProgress = stopping.Callback();
        outcome = RunOutcome();
        MergeError::Kind kind = MergeError::Kind::CantOpenInput;
        try {
            Veldrun::MergeRun(run.job, CallLog().Callback(), options, outcome);
        } catch (const MergeError& error) {
            kind = error.GetKind();
        }
        ASSERT_EQ(stopAt + 1, outcome.complete.size()) << stopAt;
        EXPECT_EQ(RunOutcome::Verified::Cancelled, outcome.complete.back().verified);
        EXPECT_TRUE(TempDir::Read(outcome.complete.back().path) == run.Expected(stopAt));
        EXPECT_EQ("", outcome.partialPath);
        if (stopAt == 0) {
            EXPECT_EQ(MergeError::Kind::UserAborted, kind);
            EXPECT_FALSE(TempDir::Exists(dir / "second.MTS"));
        } else {
            EXPECT_EQ(MergeError::Kind::CantOpenInput, kind) << "the run should succeed";
        }
    }
}
