#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include <boost/thread/exceptions.hpp>

#include "engine/Veldrun.h"
#include "tests/engine/CallLog.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

using veldrun::Veldrun;
using veldrun::test::Call;
using veldrun::test::CallLog;
using veldrun::test::RunInChild;
using veldrun::test::TempDir;

namespace {

const Call kFailed = {-1, -1, -1, -1, -1};
const Call kOver = {-1, 0, 0, 0, 0};

// Starts a run of `job` with `log` as its callback and waits for its thread, as the progress
// dialog does after the first end notification.
void RunToEnd(Veldrun& job, CallLog& log) {
    job.SetCallback(log.Callback());
    job.Start();
    job.worker.join();
    EXPECT_FALSE(job.worker.joinable());
}

} // namespace

TEST(BackgroundRun, ASuccessEndsWithOneRunIsOverNotification) {
    TempDir dir;
    Veldrun job;
    job.files->inputs = {dir.Write("a", "abc"), dir.Write("b", "de")};
    job.files->output = dir / "out";
    CallLog log;
    RunToEnd(job, log);

    EXPECT_EQ("abcde", TempDir::Read(dir / "out"));
    ASSERT_EQ(5u, log.calls.size());
    EXPECT_EQ((Call{1, 2, 2, 5, 5}), log.calls[3]);
    EXPECT_EQ(kOver, log.calls[4]);
    EXPECT_EQ("", job.ErrorText());
}

TEST(BackgroundRun, AFailureSendsBothNotificationsAndKeepsItsText) {
    TempDir dir;
    Veldrun job;
    job.files->inputs = {dir.Write("a", "abc")};
    job.files->output = dir / "missing-folder/out";
    CallLog failed;
    RunToEnd(job, failed);
    EXPECT_EQ((std::vector<Call>{kFailed, kOver}), failed.calls);
    EXPECT_EQ("Can't create output file", job.ErrorText());

    // A later success on the same job leaves the old text in place.
    job.files->output = dir / "out";
    CallLog succeeded;
    RunToEnd(job, succeeded);
    EXPECT_EQ(kOver, succeeded.calls.back());
    EXPECT_EQ("abc", TempDir::Read(dir / "out"));
    EXPECT_EQ("Can't create output file", job.ErrorText());
}

TEST(BackgroundRun, AnAbortIsStoredLikeAnyFailure) {
    TempDir dir;
    Veldrun job;
    job.files->inputs = {dir.Write("a", TempDir::Pattern(3 << 20, 1))};
    job.files->output = dir / "out";
    CallLog log;
    log.answer = [](std::size_t n) {
        return n < 1;
    };
    RunToEnd(job, log);
    ASSERT_EQ(4u, log.calls.size());
    EXPECT_EQ(kFailed, log.calls[2]);
    EXPECT_EQ(kOver, log.calls[3]);
    EXPECT_EQ("User aborted operation", job.ErrorText());
    EXPECT_EQ(std::size_t(1) << 20, TempDir::Read(dir / "out").size());
}

TEST(BackgroundRun, AnExceptionOfAnyKindIsReportedAsUnknown) {
    TempDir dir;
    Veldrun job;
    job.files->inputs = {dir.Write("a", "abc")};
    job.files->output = dir / "out";
    CallLog log;
    log.answer = [](std::size_t n) -> bool {
        if (n == 0)
            throw 42;
        return true;
    };
    RunToEnd(job, log);
    EXPECT_EQ((std::vector<Call>{{0, 3, 0, 3, 0}, kFailed, kOver}), log.calls);
    EXPECT_EQ("Unknown error", job.ErrorText());
}

TEST(BackgroundRun, ManyRunsInARowReuseOneJob) {
    TempDir dir;
    Veldrun job;
    job.files->output = dir / "out";
    for (int run = 0; run < 20; ++run) {
        const std::string bytes = TempDir::Pattern(static_cast<std::size_t>(run) * 1000, run);
        job.files->inputs = {dir.Write("in", bytes), dir.Write("tail", "!")};
        CallLog log;
        RunToEnd(job, log);
        EXPECT_EQ(kOver, log.calls.back());
        EXPECT_TRUE(TempDir::Read(dir / "out") == bytes + "!") << "run " << run;
    }
    EXPECT_EQ("", job.ErrorText());
}

TEST(BackgroundRun, RunsWithoutACallback) {
    TempDir dir;
    Veldrun job;
    job.files->inputs = {dir.Write("a", "abc")};
    job.files->output = dir / "out";
    job.Start();
    job.worker.join();
    EXPECT_EQ("abc", TempDir::Read(dir / "out"));
}

TEST(BackgroundRun, CancelFromAnotherThreadStopsAtTheNextBlock) {
    TempDir dir;
    Veldrun job;
    job.files->inputs = {dir.WriteSparse("big", std::int64_t(1) << 40, "x")};
    job.files->output = "/dev/null";
    std::atomic<bool> cancel(false);
    std::atomic<int> calls(0);
    std::atomic<bool> failed(false), over(false);
    job.SetCallback(
        [&](std::int32_t index, std::int64_t size, std::int64_t, std::int64_t, std::int64_t) {
            if (index < 0) {
                (size == -1 ? failed : over) = true;
                return true;
            }
            ++calls;
            return !cancel.load();
        });
    job.Start();
    while (calls.load() < 3)
        boost::this_thread::yield();
    cancel = true;
    job.worker.join();
    EXPECT_TRUE(failed && over);
    EXPECT_EQ("User aborted operation", job.ErrorText());
}

TEST(BackgroundRun, AThreadThatCannotStartIsReported) {
    // Thread creation is made to fail in a child that may run no further process.
    const int status = RunInChild([] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return 3;
        const rlimit none = {0, 0};
        if (::setrlimit(RLIMIT_NPROC, &none) != 0)
            return 4;
        Veldrun job;
        job.SetCallback([](std::int32_t, std::int64_t, std::int64_t, std::int64_t, std::int64_t) {
            return true;
        });
        try {
            job.Start();
        } catch (const boost::thread_resource_error&) {
            return job.ErrorText() == "Can't start merge thread" ? 0 : 1;
        }
        job.worker.join();
        return 2;
    });
    EXPECT_EQ(0, status);
}
