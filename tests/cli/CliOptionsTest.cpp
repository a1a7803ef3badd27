#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "res/Version.h"
#include "tests/cli/Cli.h"
#include "tests/cli/Process.h"
#include "tests/support/TempDir.h"

namespace veldrun {
namespace test {
namespace {

TEST(CliOptionsTest, UsageErrorsExitTwoWithoutMerging) {
    TempDir dir;
    const std::string input = dir.Write("in.mts", "clip");
    const std::string output = dir / "out.mts";
    const std::vector<std::vector<std::string>> cases = {
        {},
        {input},
        {"-o", output},
        {"-o"},
        {"-o", output, "--bogus", input},
        {"-x", "-o", output, input},
        {"-o", output, "-o", output, input},
        {"--quiet=yes", "-o", output, input},
        // Verifying reads the disk, which --no-sync does not wait for.
        {"--verify", "--no-sync", "-o", output, input},
        {"--each-recording", "-o", "-", input},
        {"--check", "--verify", input},
        {"--check", "--each-recording", input},
        {"--check", "--keep-date", input},
    };
    for (const std::vector<std::string>& args : cases) {
        const Outcome outcome = Process::Run(Cli(args));
        const std::string shown = ::testing::PrintToString(args);
        EXPECT_EQ(outcome.status, 2) << shown;
        EXPECT_EQ(outcome.out, "") << shown;
        EXPECT_EQ(outcome.err.rfind("veldrun-cli: ", 0), 0u) << shown;
        EXPECT_NE(
            outcome.err.find("Usage: veldrun-cli [-q] [--no-sync | --verify] [--keep-date] -o "
                             "OUTPUT INPUT...\n"),
            std::string::npos)
            << shown;
        EXPECT_FALSE(TempDir::Exists(output)) << shown;
    }
}

TEST(CliOptionsTest, HelpGoesToStandardOutput) {
    for (const char* help : {"--help", "-h"}) {
        // No -o or input needed: help is asked for, not a merge.
        const Outcome outcome = Process::Run(Cli({help, "in.mts"}));
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.err, "");
        EXPECT_EQ(outcome.out.rfind("Usage: veldrun-cli", 0), 0u);
        for (const char* option : {"--output", "--each-recording", "--keep-date", "--verify",
                                   "--quiet", "--help", "--version"})
            EXPECT_NE(outcome.out.find(option), std::string::npos) << option;
    }
}

TEST(CliOptionsTest, VersionComesFromTheProject) {
    const Outcome outcome = Process::Run(Cli({"--version"}));
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "veldrun-cli " VELDRUN_VERSION "\n");
    EXPECT_EQ(outcome.err, "");
}

TEST(CliOptionsTest, UnwritableStandardOutputFails) {
    for (const char* option : {"--help", "--version"})
        EXPECT_EQ(Process::Run(CliInShell("exec >/dev/full", {option})).status, 1) << option;
}

} // namespace
} // namespace test
} // namespace veldrun
