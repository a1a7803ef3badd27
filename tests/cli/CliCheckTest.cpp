#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/cli/Cli.h"
#include "tests/cli/Process.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestStream.h"

namespace veldrun {
namespace test {
namespace {

const std::int64_t kSecond = TestStream::kSecond;
const std::int64_t kFrame = kSecond / 25;

class CliCheckTest : public ::testing::Test {
protected:
    CliCheckTest()
        : first(dir.Write("00001.MTS",
                          TestStream(192).Recording(10 * kSecond, 70 * kSecond).Bytes())),
          second(
              dir.Write("00002.MTS",
                        TestStream(192).Recording(70 * kSecond + kFrame, 130 * kSecond).Bytes())),
          third(
              dir.Write("00003.MTS",
                        TestStream(192).Recording(130 * kSecond + kFrame, 190 * kSecond).Bytes())),
          other(
              dir.Write("00004.MTS", TestStream(192).Recording(5 * kSecond, 20 * kSecond).Bytes())),
          text(dir.Write("notes.txt", "Not a clip.\n")) {}

    TempDir dir;
    const std::string first, second, third, other, text;
};

TEST_F(CliCheckTest, TellsContinuingPiecesFromNewRecordings) {
    const Outcome mixed = Process::Run(Cli({"--check", first, second, text, third, other}));
    EXPECT_EQ(mixed.status, 0);
    EXPECT_EQ(mixed.err, "");
    EXPECT_EQ(mixed.out, "1  0:01:00  -  start                   " + first + "\n" +
                             "2  0:01:00  -  continues               " + second + "\n" +
                             "3        -  -  not a transport stream  " + text + "\n" +
                             "4  0:01:00  -  unknown                 " + third + "\n" +
                             "5  0:00:15  -  new recording           " + other + "\n" +
                             "5 inputs, 3 recordings, 1 not a transport stream\n");

    // Streams only: the joined duration counts the gaps between continuing pieces.
    const Outcome streams = Process::Run(Cli({"--check", first, second, third, other, first}));
    EXPECT_EQ(streams.status, 0);
    EXPECT_EQ(streams.out, "1  0:01:00  -  start          " + first + "\n" +
                               "2  0:01:00  -  continues      " + second + "\n" +
                               "3  0:01:00  -  continues      " + third + "\n" +
                               "4  0:00:15  -  new recording  " + other + "\n" +
                               "5  0:01:00  -  new recording  " + first + "\n" +
                               "5 inputs, 3 recordings, 0:04:15\n");
}

TEST_F(CliCheckTest, ShowsTheDateTheCameraRecordedAfterTheLength) {
    // A dated recording of two pieces (the second carries the later time, as cameras write
    // it), an undated clip, a file that is not a stream, and a dated clip without a clock.
    const std::string dated = dir.Write(
        "00010.MTS",
        TestStream(192).Dated(0x202407, 0x14101502).Recording(kSecond, 61 * kSecond).Bytes());
    const std::string next =
        dir.Write("00011.MTS", TestStream(192)
                                   .Dated(0x202407, 0x14101602)
                                   .Recording(61 * kSecond + kFrame, 90 * kSecond)
                                   .Bytes());
    const std::string still =
        dir.Write("00012.MTS", TestStream(192).Dated(0x199912, 0x31235959).Payload(20).Bytes());
    const Outcome outcome = Process::Run(Cli({"--check", dated, next, first, text, still}));
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out,
              "1  0:01:00  2024-07-14 10:15:02  start                   " + dated + "\n" +
                  "2  0:00:29  2024-07-14 10:16:02  continues               " + next + "\n" +
                  "3  0:01:00  -                    new recording           " + first + "\n" +
                  "4        -  -                    not a transport stream  " + text + "\n" +
                  "5        -  1999-12-31 23:59:59  unknown                 " + still + "\n" +
                  "5 inputs, 3 recordings, 1 not a transport stream\n");
}

TEST_F(CliCheckTest, OutOfMemoryWhileReadingLeavesClipsUnknown) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "a sanitizer's allocator ends the program when a limit refuses memory";
#endif
    // A clip without tables whose first clock lies 900 KiB in, so that reading grows its
    // buffer towards 1 MiB. The address-space limit that lets the program run but not have
    // those buffers depends on the build: limits are raised step by step from one where a
    // check of a small file (which needs no buffer to speak of) runs at all, until the clip's
    // clock is read.
    const std::string deep = dir.Write(
        "deep.MTS",
        TestStream(192).Payload(4800).Recording(kSecond, 2 * kSecond, 20, 3, false).Bytes());
    bool sawUnknown = false, sawClock = false;
    for (int kib = 4096; kib <= 131072 && !sawClock; kib += 256) {
        const std::string limit = "ulimit -v " + std::to_string(kib);
        if (Process::Run(CliInShell(limit, {"--check", text})).status != 0)
            continue;
        const Outcome outcome = Process::Run(CliInShell(limit, {"--check", text, deep}));
        ASSERT_EQ(outcome.status, 0) << kib << " KiB: " << outcome.err;
        if (outcome.out == "1  -  -  not a transport stream  " + text + "\n" +
                               "2  -  -  unknown                 " + deep + "\n" +
                               "2 inputs, 0 recordings, 1 not a transport stream\n") {
            sawUnknown = true;
        } else {
            EXPECT_EQ(outcome.out, "1        -  -  not a transport stream  " + text + "\n" +
                                       "2  0:00:01  -  unknown                 " + deep + "\n" +
                                       "2 inputs, 1 recording, 1 not a transport stream\n")
                << kib << " KiB";
            sawClock = true;
        }
    }
    EXPECT_TRUE(sawUnknown) << "no limit left the clip unread";
    EXPECT_TRUE(sawClock) << "no limit let the clip be read";
}

TEST_F(CliCheckTest, AFolderWithoutClipsIsSaidAndTheOtherInputsAreStillChecked) {
    const std::string empty = dir / "empty";
    std::filesystem::create_directory(empty);
    const Outcome outcome = Process::Run(Cli({"--check", empty, first}));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "veldrun-cli: No clips found in " + empty + "\n");
    EXPECT_EQ(outcome.out.substr(0, outcome.out.find('\n')), "1  0:01:00  -  start  " + first);
    EXPECT_EQ(Process::Run(Cli({"--check", empty})).status, 1);
}

TEST_F(CliCheckTest, AnInputThatCannotBeReadGetsItsLineAndTheOthersAreStillChecked) {
    const std::string missing = dir / "00007.MTS";
    const Outcome gone = Process::Run(Cli({"--check", first, second, missing, third}));
    EXPECT_EQ(gone.status, 1);
    EXPECT_EQ(gone.err, "");
    EXPECT_EQ(gone.out, "1  0:01:00  -  start                                      " + first +
                            "\n" + "2  0:01:00  -  continues                                  " +
                            second + "\n" +
                            "3        -  -  cannot be read: No such file or directory  " + missing +
                            "\n" + "4  0:01:00  -  unknown                                    " +
                            third + "\n" + "4 inputs, 2 recordings, 1 cannot be read\n");

    // Real failures, each with its reason: a pipe with no writer (refused, not waited on); a
    // file without read permission, with root's right to read any file dropped; a kernel
    // setting that opens as a regular file and then refuses the read.
    const std::string fifo = dir / "fifo.MTS";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string locked = dir.Write("00009.MTS", TempDir::Read(second));
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    const std::vector<std::string> dropped = {"/usr/bin/setpriv",
                                              "--bounding-set=-dac_override,-dac_read_search"};
    const struct {
        std::string path, reason;
        bool possible;
    } cases[] = {
        {fifo, "Not a regular file (a pipe or a device)", true},
        {locked, "Permission denied", ::geteuid() != 0 || ::access(dropped[0].c_str(), X_OK) == 0},
        {"/sys/class/net/lo/speed", "Invalid argument",
         ::access("/sys/class/net/lo/speed", F_OK) == 0},
    };
    for (const auto& bad : cases) {
        if (!bad.possible) {
            std::cout << "not tried here: " << bad.reason << '\n';
            continue;
        }
        std::vector<std::string> args = Cli({"--check", bad.path, first});
        if (::geteuid() == 0)
            args.insert(args.begin(), dropped.begin(), dropped.end());
        const Outcome outcome = Process::Run(args);
        EXPECT_EQ(outcome.status, 1) << bad.reason;
        EXPECT_EQ(outcome.out.substr(0, outcome.out.find('\n') + 1),
                  "1        -  -  cannot be read: " + bad.reason + "  " + bad.path + "\n");
        EXPECT_NE(outcome.out.find("\n2 inputs, 1 recording, 1 cannot be read\n"),
                  std::string::npos)
            << outcome.out;
    }
}

TEST_F(CliCheckTest, ExitStatusIsTwoForAUsageErrorAndOneWhenNothingCanBeWritten) {
    const std::string usage =
        "Usage: veldrun-cli [-q] [--no-sync | --verify] [--keep-date] -o OUTPUT INPUT...\n"
        "       veldrun-cli [-q] [--no-sync | --verify] --each-recording -o FOLDER INPUT...\n"
        "       veldrun-cli --check INPUT...\n"
        "       veldrun-cli --help | --version\n"
        "Try 'veldrun-cli --help' for more information.\n";
    // --check joins nothing, so it takes no output; and it needs inputs.
    const Outcome output = Process::Run(Cli({"--check", "-o", dir / "out.MTS", first}));
    EXPECT_EQ(output.status, 2);
    EXPECT_EQ(output.out, "");
    EXPECT_EQ(output.err, "veldrun-cli: --check joins nothing: -o cannot go with it\n" + usage);
    EXPECT_FALSE(TempDir::Exists(dir / "out.MTS"));
    const Outcome none = Process::Run(Cli({"--check"}));
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.err, "veldrun-cli: no INPUT file given\n" + usage);
    // A table that cannot be written is a failure even when every input was read.
    EXPECT_EQ(Process::Run(CliInShell("exec >/dev/full", {"--check", first})).status, 1);
}

TEST_F(CliCheckTest, JoinNotesEachPlaceWhereTheStreamDoesNotContinue) {
    const std::string output = dir / "joined.MTS";
    const std::string expected = TempDir::Read(first) + TempDir::Read(second) +
                                 TempDir::Read(text) + TempDir::Read(third) + TempDir::Read(other);
    const Outcome noisy = Process::Run(Cli({"-o", output, first, second, text, third, other}));
    EXPECT_EQ(noisy.status, 0);
    EXPECT_EQ(noisy.out, "");
    EXPECT_EQ(noisy.err, "note: " + text +
                             " is not a transport stream; players may stop or stumble here\n"
                             "note: " +
                             other + " starts a new recording; players may show a jump here\n");
    EXPECT_TRUE(TempDir::Read(output) == expected);

    const Outcome quiet =
        Process::Run(Cli({"--quiet", "-o", output, first, second, text, third, other}));
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.err, "");
    EXPECT_TRUE(TempDir::Read(output) == expected);

    // Pieces of one recording join without a word.
    const Outcome pieces = Process::Run(Cli({"-o", output, first, second, third}));
    EXPECT_EQ(pieces.status, 0);
    EXPECT_EQ(pieces.err, "");
}

TEST_F(CliCheckTest, NamesWithControlCharactersArePrintedQuoted) {
    // A newline and a terminal escape in a name could otherwise print a line of their own.
    const std::string fake = dir.Write("a\nSUCCESS\x1B[2K.MTS", TempDir::Read(second));
    const std::string quotedFake = "'" + dir.Path() + "/a'$'\\n''SUCCESS'$'\\033''[2K.MTS'";
    const Outcome check = Process::Run(Cli({"--check", first, fake, other}));
    EXPECT_EQ(check.status, 0);
    EXPECT_EQ(check.out, "1  0:01:00  -  start          " + first + "\n" +
                             "2  0:01:00  -  continues      " + quotedFake + "\n" +
                             "3  0:00:15  -  new recording  " + other + "\n" +
                             "3 inputs, 2 recordings, 0:02:15\n");

    const std::string output = dir / "joined.MTS";
    const Outcome noted = Process::Run(Cli({"-o", output, other, fake}));
    EXPECT_EQ(noted.status, 0);
    EXPECT_EQ(noted.err,
              "note: " + quotedFake + " starts a new recording; players may show a jump here\n");
    EXPECT_TRUE(TempDir::Read(output) == TempDir::Read(other) + TempDir::Read(second));

    // Failing joins: the detail names the input, or the output, quoted the same way.
    const std::string gone = dir / "gone\x1B]0;title\x07.MTS";
    const std::string fresh = dir / "fresh\n.MTS";
    const Outcome missing = Process::Run(Cli({"-o", fresh, first, gone}));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Merge error: Can't open input file\n'" + dir.Path() +
                               "/gone'$'\\033'']0;title'$'\\a''.MTS': No such file or directory\n");
    EXPECT_FALSE(TempDir::Exists(fresh)) << "a new output is not left behind";
    const Outcome unwritable = Process::Run(Cli({"-o", dir / "no\rfolder/out.MTS", first}));
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.err, "Merge error: Can't create output file\n'" + dir.Path() +
                                  "/no'$'\\r''folder/out.MTS': No such file or directory\n");
    const Outcome checkMissing = Process::Run(Cli({"--check", first, gone}));
    EXPECT_EQ(checkMissing.status, 1);
    EXPECT_EQ(checkMissing.out, "1  0:01:00  -  start                                      " +
                                    first + "\n" +
                                    "2        -  -  cannot be read: No such file or directory  '" +
                                    dir.Path() + "/gone'$'\\033'']0;title'$'\\a''.MTS'\n" +
                                    "2 inputs, 1 recording, 1 cannot be read\n");
}

} // namespace
} // namespace test
} // namespace veldrun
