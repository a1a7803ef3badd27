#include <chrono>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

#include "tests/cli/Cli.h"
#include "tests/cli/Process.h"
#include "tests/support/Fifo.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestStream.h"

namespace veldrun {
namespace test {
namespace {

const std::int64_t kSecond = TestStream::kSecond;
const std::int64_t kFrame = kSecond / 25;
const std::int64_t kNs = 1000000000;

// Central European time with its summer time, written out so that no zone files are needed.
const char* const kZone = "TZ='CET-1CEST,M3.5.0,M10.5.0/3'; export TZ";

// 2024-07-14 10:03:41 and 11:20:05 in summer time (UTC+2).
const std::int64_t kFirstStart = 1720944221 * kNs;
const std::int64_t kSecondStart = 1720948805 * kNs;

std::int64_t ModifiedNs(const std::string& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        return -1;
    return std::int64_t(info.st_mtim.tv_sec) * kNs + info.st_mtim.tv_nsec;
}

void SetModified(const std::string& path, std::int64_t ns) {
    const struct timespec times[2] = {{ns / kNs, ns % kNs}, {ns / kNs, ns % kNs}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// A card with three recordings: two pieces dated by the camera, two more
// (the first of them spelled in lower case), and one undated piece whose file date names it
// as the first recording is named.
class CliEachRecordingTest : public ::testing::Test {
protected:
    CliEachRecordingTest()
        : card(dir / "card"), stream(card + "/PRIVATE/AVCHD/BDMV/STREAM"), videos(dir / "Videos") {
        std::filesystem::create_directories(stream);
        // Each piece carries the time its own pictures began, on 14 July 2024, as cameras write.
        a1 = Dated("00000.MTS", 0x14100341, 10 * kSecond, 70 * kSecond);
        a2 = Dated("00001.MTS", 0x14100441, 70 * kSecond + kFrame, 130 * kSecond);
        b1 = Dated("00002.mts", 0x14112005, 500 * kSecond, 560 * kSecond);
        b2 = Dated("00003.MTS", 0x14112105, 560 * kSecond + kFrame, 600 * kSecond);
        c1 = Clip("00004.MTS", TestStream(192).Recording(5 * kSecond, 20 * kSecond).Bytes());
        SetModified(stream + "/00004.MTS", kFirstStart + 250000000);
    }

    std::string Clip(const std::string& name, const std::string& bytes) {
        dir.Write("card/PRIVATE/AVCHD/BDMV/STREAM/" + name, bytes);
        return bytes;
    }

    std::string Dated(const std::string& name, unsigned dayTime, std::int64_t first,
                      std::int64_t last, int fill = 3) {
        return Clip(
            name,
            TestStream(192).Dated(0x202407, dayTime).Recording(first, last, 20, fill).Bytes());
    }

    // The run, in the fixed time zone.
    static Outcome Run(const std::vector<std::string>& args) {
        return Process::Run(CliInShell(kZone, args));
    }

    TempDir dir;
    const std::string card, stream, videos;
    std::string a1, a2, b1, b2, c1;
};

TEST_F(CliEachRecordingTest, WritesOneFilePerRecordingNamedAndDatedByItsStart) {
    // The folder is made when only it is missing.
    const Outcome outcome = Run({"--each-recording", "-o", videos + "/", card});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    const std::string first = videos + "/2024-07-14 10.03.41.MTS";
    const std::string second = videos + "/2024-07-14 11.20.05.mts";
    const std::string third = videos + "/2024-07-14 10.03.41 (2).MTS";
    EXPECT_EQ(outcome.out, first + "\n" + second + "\n" + third + "\n");
    EXPECT_TRUE(TempDir::Read(first) == a1 + a2);
    EXPECT_TRUE(TempDir::Read(second) == b1 + b2);
    EXPECT_TRUE(TempDir::Read(third) == c1);
    EXPECT_EQ(ModifiedNs(first), kFirstStart);
    EXPECT_EQ(ModifiedNs(second), kSecondStart);
    EXPECT_EQ(ModifiedNs(third), kFirstStart + 250000000);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(videos),
                            std::filesystem::directory_iterator()),
              3);

    // Inputs given one by one: a file that is not a stream, and the piece after it, join the
    // recording above; a piece listed again stays inside its recording, with a note.
    const std::string notes = dir.Write("notes.txt", "not a clip\n");
    const std::string again = dir / "again";
    const Outcome listed =
        Run({"--each-recording", "-o", again, stream + "/00000.MTS", notes, stream + "/00001.MTS",
             stream + "/00002.mts", stream + "/00000.MTS"});
    ASSERT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out,
              again + "/2024-07-14 10.03.41.MTS\n" + again + "/2024-07-14 11.20.05.mts\n");
    EXPECT_EQ(listed.err, "note: " + notes +
                              " is not a transport stream; players may stop or stumble here\n" +
                              "note: " + stream +
                              "/00000.MTS starts a new recording; players may show a jump here\n");
    EXPECT_TRUE(TempDir::Read(again + "/2024-07-14 10.03.41.MTS") == a1 + "not a clip\n" + a2);
    EXPECT_TRUE(TempDir::Read(again + "/2024-07-14 11.20.05.mts") == b1 + a1);
}

TEST_F(CliEachRecordingTest, AFailureNamesTheFilesThatAreComplete) {
    // Something that is not a file already holds the second recording's name.
    std::filesystem::create_directories(videos + "/2024-07-14 11.20.05.mts");
    const std::string first = videos + "/2024-07-14 10.03.41.MTS";
    const Outcome outcome = Run({"-q", "--each-recording", "-o", videos, card});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, first + "\n");
    EXPECT_EQ(outcome.err, "Merge error: Can't create output file\n" + videos +
                               "/2024-07-14 11.20.05.mts: Is a directory\n"
                               "1 of the 3 files is complete:\n  " +
                               first + "\n");
    EXPECT_TRUE(TempDir::Read(first) == a1 + a2);
    EXPECT_EQ(ModifiedNs(first), kFirstStart);
    EXPECT_FALSE(TempDir::Exists(videos + "/2024-07-14 10.03.41 (2).MTS"));
}

TEST_F(CliEachRecordingTest, AnInterruptDuringTheSecondRecordingKeepsTheFirst) {
    // A second recording larger than a pipe holds, written into a pipe that the test reads.
    b2 = Dated("00003.MTS", 0x14112105, 560 * kSecond + kFrame, 600 * kSecond, 1000);
    std::filesystem::create_directory(videos);
    Fifo fifo(videos + "/2024-07-14 11.20.05.mts");
    Process process(CliInShell(kZone, {"--each-recording", "-o", videos, card}));
    fifo.WaitForWriter();
    process.Signal(SIGINT);
    const std::string written = fifo.ReadAll();
    const Outcome outcome = process.Wait();
    const std::string first = videos + "/2024-07-14 10.03.41.MTS";
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, first + "\n");
    EXPECT_EQ(outcome.err.rfind("Merge error: User aborted operation\n", 0), 0u) << outcome.err;
    const std::string tail = "1 of the 3 files is complete:\n  " + first + "\n";
    ASSERT_GE(outcome.err.size(), tail.size());
    EXPECT_EQ(outcome.err.substr(outcome.err.size() - tail.size()), tail) << outcome.err;
    EXPECT_TRUE(TempDir::Read(first) == a1 + a2);
    EXPECT_LT(written.size(), (b1 + b2).size());
    EXPECT_TRUE(written == (b1 + b2).substr(0, written.size()));
    EXPECT_FALSE(TempDir::Exists(videos + "/2024-07-14 10.03.41 (2).MTS"));
}

TEST_F(CliEachRecordingTest, TheFolderMustBeOneOrHaveItsParent) {
    const std::string file = dir.Write("file", "keep");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {file, file + ": Not a directory"},
        {dir / "missing/Videos", dir / "missing/Videos: No such file or directory"},
    };
    for (const auto& bad : cases) {
        const Outcome outcome = Run({"--each-recording", "-o", bad.first, card});
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(outcome.err, "Merge error: Can't create output file\n" + bad.second + "\n");
    }
    EXPECT_EQ(TempDir::Read(file), "keep");
    EXPECT_FALSE(TempDir::Exists(dir / "missing"));

    // An input that cannot be opened stops the run before the folder is made; a run that
    // fails before writing takes back the folder it made.
    const Outcome missing =
        Run({"--each-recording", "-o", videos, stream + "/00000.MTS", dir / "gone.MTS"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Merge error: Can't open input file\n" +
                               dir / "gone.MTS: No such file or directory\n");
    EXPECT_FALSE(TempDir::Exists(videos));
    const Outcome tooLarge = Process::Run(
        CliInShell(std::string(kZone) + "; ulimit -f 1", {"--each-recording", "-o", videos, card}));
    EXPECT_EQ(tooLarge.status, 1);
    EXPECT_EQ(tooLarge.err.rfind("Merge error: Output file is too large for its file system\n", 0),
              0u)
        << tooLarge.err;
    EXPECT_FALSE(TempDir::Exists(videos));
}

TEST_F(CliEachRecordingTest, KeepDateDatesTheSingleOutputOnlyWhenAskedFor) {
    const std::string output = dir / "joined.MTS";
    const Outcome kept = Run({"--keep-date", "-o", output, stream + "/00000.MTS",
                              stream + "/00001.MTS", stream + "/00002.mts"});
    ASSERT_EQ(kept.status, 0) << kept.err;
    EXPECT_TRUE(TempDir::Read(output) == a1 + a2 + b1);
    EXPECT_EQ(ModifiedNs(output), kFirstStart);
    // An undated first piece gives its file's date.
    const Outcome undated = Run({"--keep-date", "-q", "-o", output, stream + "/00004.MTS"});
    ASSERT_EQ(undated.status, 0) << undated.err;
    EXPECT_EQ(ModifiedNs(output), kFirstStart + 250000000);

    const std::int64_t before = std::int64_t(std::time(nullptr) - 1) * kNs;
    const Outcome plain = Run({"-q", "-o", output, stream + "/00000.MTS"});
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_GE(ModifiedNs(output), before);
}

TEST_F(CliEachRecordingTest, VerifyingSaysWhatItCheckedAndWhatItCouldNot) {
    const Outcome single =
        Run({"--verify", "-o", dir / "joined.MTS", stream + "/00000.MTS", stream + "/00001.MTS"});
    EXPECT_EQ(single.status, 0);
    EXPECT_EQ(single.err, "Verified: the output matches its inputs byte for byte.\n");

    const Outcome each = Run({"--verify", "-q", "--each-recording", "-o", videos, card});
    EXPECT_EQ(each.status, 0);
    EXPECT_EQ(each.err, "Verified: 3 outputs match their inputs byte for byte.\n");
    EXPECT_TRUE(TempDir::Read(videos + "/2024-07-14 11.20.05.mts") == b1 + b2);

    // Standard output into a pipe cannot be read back: it is written, and said to be unchecked.
    const Outcome piped = Run({"--verify", "-o", "-", stream + "/00004.MTS"});
    EXPECT_EQ(piped.status, 0);
    EXPECT_TRUE(piped.out == c1);
    EXPECT_EQ(piped.err, "note: standard output is not a regular file, so it was not verified\n");

    // On a terminal the progress line shows the pass that reads back.
    const Outcome shown = Process::Run(
        CliInShell(kZone, {"--verify", "-o", dir / "joined.MTS", stream + "/00000.MTS"}),
        Process::ErrorTo::Terminal);
    EXPECT_EQ(shown.status, 0);
    EXPECT_NE(shown.err.find("\rverifying 100% | file 1 of 1 | "), std::string::npos) << shown.err;
}

TEST_F(CliEachRecordingTest, AnInterruptWhileVerifyingLeavesTheOutputCompleteButNotVerified) {
    // A dated clip large enough that reading it back takes a while. The output gets its date
    // once the copy is done, so the interrupt that follows finds only verifying to stop.
    const std::string input = dir.WriteSparse("big.MTS", a1, std::int64_t(24) << 20, "end");
    const std::string output = dir / "joined.MTS";
    Process process(CliInShell(kZone, {"-q", "--verify", "--keep-date", "-o", output, input}));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (ModifiedNs(output) != kFirstStart && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(ModifiedNs(output), kFirstStart) << "the copy did not end";
    process.Signal(SIGINT);
    const Outcome outcome = process.Wait(std::chrono::seconds(30));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "Verifying was cancelled: the output is complete but not verified.\n");
    EXPECT_TRUE(TempDir::Read(output) == TempDir::Read(input));
}

} // namespace
} // namespace test
} // namespace veldrun
