#include "recordings/ClipSearch.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "tests/support/CardTree.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

using veldrun::ClipSearch;
using veldrun::test::CardTree;
using veldrun::test::TempDir;

namespace {

typedef std::vector<std::string> Paths;

} // namespace

TEST(ClipSearch, ACardGivesItsClipsDepthFirstInNaturalOrderAndNothingElse) {
    TempDir dir;
    const CardTree card(dir.Path());
    std::vector<ClipSearch::Progress> reports;
    const ClipSearch::Result result = ClipSearch::Find(card.Root(), [&](const auto& progress) {
        reports.push_back(progress);
        return true;
    });
    EXPECT_EQ(result.clips, card.Clips());
    EXPECT_FALSE(result.error);
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(result.unreadable, 0u);
    // card, AVCHD/BDMV/STREAM, DCIM, PRIVATE/AVCHD/BDMV/{CLIPINF,PLAYLIST,STREAM}: the loop back
    // to BDMV, the link out of the card and the hidden folder are not entered.
    EXPECT_EQ(result.progress.folders, 11u);
    EXPECT_EQ(result.progress.clips, card.Clips().size());
    ASSERT_EQ(reports.size(), 12u) << "once before each folder, the loop's too";
    for (std::size_t at = 1; at < reports.size(); ++at) {
        EXPECT_EQ(reports[at].folders, at);
        EXPECT_GE(reports[at].clips, reports[at - 1].clips);
    }

    // The caller's order decides, for clips and subfolders alike; a trailing slash changes no
    // path.
    const ClipSearch::Result reversed = ClipSearch::Find(
        card.Root() + "//", {}, [](const std::string& a, const std::string& b) { return a > b; });
    const std::vector<std::string>& clips = card.Clips();
    EXPECT_EQ(reversed.clips, (Paths{clips[3], clips[4], clips[2], clips[1], clips[0], clips[9],
                                     clips[8], clips[7], clips[6], clips[5]}));

    // Searched from inside through a link, the paths keep the spelling given.
    std::filesystem::create_symlink(card.Root() + "/PRIVATE", dir / "card link");
    EXPECT_EQ(ClipSearch::Find(dir / "card link").clips,
              (Paths{dir / "card link/AVCHD/BDMV/STREAM/00000.MTS",
                     dir / "card link/AVCHD/BDMV/STREAM/00001.MTS",
                     dir / "card link/AVCHD/BDMV/STREAM/00002.MTS",
                     dir / "card link/AVCHD/BDMV/STREAM/00010.MTS"}));
}

TEST(ClipSearch, FoldersThatCannotBeSearchedSayWhyOrAreLeftOut) {
    TempDir dir;
    const ClipSearch::Result missing = ClipSearch::Find(dir / "gone");
    EXPECT_EQ(missing.error, std::errc::no_such_file_or_directory);
    EXPECT_TRUE(missing.clips.empty());
    EXPECT_EQ(ClipSearch::Find(dir.Write("a.mts", "a")).error, std::errc::not_a_directory);
    std::filesystem::create_directory(dir / "empty");
    const ClipSearch::Result empty = ClipSearch::Find(dir / "empty");
    EXPECT_FALSE(empty.error);
    EXPECT_TRUE(empty.clips.empty());
    EXPECT_EQ(empty.progress.folders, 1u);

    // A folder that the user may not read: root reads everything, so the search runs as nobody.
    const CardTree card(dir.Path());
    ::chmod(dir.Path().c_str(), 0755);
    ::chmod((card.Root() + "/AVCHD").c_str(), 0);
    std::filesystem::create_directory(dir / "locked");
    ::chmod((dir / "locked").c_str(), 0);
    Paths expected = card.Clips();
    expected.erase(expected.begin() + 5);
    const int status = veldrun::test::RunInChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return 2;
        const ClipSearch::Result result = ClipSearch::Find(card.Root());
        if (result.clips != expected || result.unreadable != 1 || result.error)
            return 3;
        const ClipSearch::Result locked = ClipSearch::Find(dir / "locked");
        return locked.error == std::errc::permission_denied && locked.progress.folders == 0 ? 0 : 4;
    });
    EXPECT_EQ(status, 0) << "2: no change of user, 3: the subfolder, 4: the folder itself";
}

TEST(ClipSearch, ACancelStopsAtOnceAndKeepsWhatWasFound) {
    TempDir dir;
    const CardTree card(dir.Path());
    for (const std::size_t stopAt : {0u, 1u, 4u}) {
        std::size_t calls = 0;
        const ClipSearch::Result result = ClipSearch::Find(
            card.Root(), [&](const ClipSearch::Progress&) { return calls++ < stopAt; });
        EXPECT_TRUE(result.cancelled);
        EXPECT_EQ(calls, stopAt + 1) << "no call after the one that said stop";
        EXPECT_EQ(result.progress.folders, stopAt);
        EXPECT_EQ(result.clips,
                  Paths(card.Clips().begin(), card.Clips().begin() + (stopAt == 0   ? 0
                                                                      : stopAt == 1 ? 5
                                                                                    : 6)));
    }

    // Within one large folder too.
    for (int i = 0; i < 600; ++i)
        dir.Write(std::to_string(i) + ".MTS", "");
    std::size_t calls = 0;
    const ClipSearch::Result large =
        ClipSearch::Find(dir.Path(), [&](const ClipSearch::Progress&) { return ++calls < 2; });
    EXPECT_TRUE(large.cancelled);
    EXPECT_TRUE(large.clips.empty()) << "the folder was not finished";
}

TEST(ClipSearch, ClipNamesEndInTheStreamExtensionsInAnyCase) {
    for (const char* name : {"00000.MTS", "a.mts", "a.Mts", "b.m2ts", "B.M2TS", "c.m2t", "x.M2T"})
        EXPECT_TRUE(ClipSearch::IsClipName(name)) << name;
    for (const char* name : {".mts", "a.mts.txt", "a.ts", "a.m2tss", "mts", "a.mt", "a_mts", ""})
        EXPECT_FALSE(ClipSearch::IsClipName(name)) << name;
}
