#include "cli/FolderInputs.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "tests/support/CardTree.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

using veldrun::FolderInputs;
using veldrun::test::CardTree;
using veldrun::test::TempDir;

// A script must never join a card with some of its clips silently left out: a folder of the
// card that cannot be read stops the run, as a folder without clips does.
TEST(FolderInputs, AFolderWithPartsThatCannotBeReadStopsTheRun) {
    TempDir dir;
    const CardTree card(dir.Path());
    ::chmod(dir.Path().c_str(), 0755);
    ::chmod((card.Root() + "/AVCHD").c_str(), 0);
    const std::string file = dir.Write("a.mts", "a");
    // Root reads everything, so the inputs are expanded as nobody.
    const int status = veldrun::test::RunInChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return 2;
        std::vector<std::string> inputs = {file, card.Root()};
        std::ostringstream err;
        if (FolderInputs::Expand(inputs, err) != 1)
            return 3;
        const std::string said = "veldrun-cli: 1 folder in " + card.Root() +
                                 " could not be read; clips in it may be missing\n";
        return err.str() == said && inputs.size() == card.Clips().size() ? 0 : 4;
    });
    EXPECT_EQ(status, 0) << "2: no change of user, 3: the run goes on, 4: the words or the inputs";

    std::vector<std::string> readable = {file, card.Root()};
    std::ostringstream quiet;
    ::chmod((card.Root() + "/AVCHD").c_str(), 0755);
    EXPECT_EQ(FolderInputs::Expand(readable, quiet), 0);
    EXPECT_EQ(quiet.str(), "");
    EXPECT_EQ(readable.size(), 1 + card.Clips().size());
}
