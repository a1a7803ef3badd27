#include "ui/OutputPlan.h"

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "recordings/StreamProbe.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestStream.h"
#include "tests/ui/UserFolders.h"

using veldrun::Recordings;
using veldrun::StreamProbe;
using veldrun::test::TempDir;
using veldrun::test::TestStream;

namespace {

const std::int64_t kSecond = TestStream::kSecond;
// 2024-07-14 10:03:41 UTC.
const std::int64_t kJuly14 = 1720951421;

std::string Clip(double first, double last) {
    return TestStream()
        .Recording(static_cast<std::int64_t>(first * kSecond),
                   static_cast<std::int64_t>(last * kSecond))
        .Bytes();
}

std::string DatedClip(unsigned dayTime, double first, double last) {
    return TestStream().Dated(0x202407, dayTime).Bytes() + Clip(first, last);
}

void SetModified(const std::string& path, std::int64_t seconds) {
    const struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(0, ::utimensat(AT_FDCWD, path.c_str(), times, 0));
}

// A user of the test's own (UserFolders), and a card.
class OutputPlanTest : public ::testing::Test {
protected:
    // The clips of `paths` as the dialog's reader finds them.
    static std::vector<Recordings::Clip> Read(const std::vector<std::string>& paths) {
        std::vector<Recordings::Clip> clips;
        for (const std::string& path : paths)
            clips.push_back({"", StreamProbe::Read(path)});
        return clips;
    }

    veldrun::test::UserFolders user;
    const TempDir& home = user.Home();
    TempDir card;
};

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

} // namespace

TEST_F(OutputPlanTest, RecordingsTakeTheEntriesBetweenThemAndAreNamedAndDatedByTheirStart) {
    const std::string a1 = card.Write("00001.MTS", DatedClip(0x14100341, 0, 10));
    const std::string missing = card / "00002.MTS";
    const std::string a2 = card.Write("00003.MTS", Clip(10.1, 20));
    const std::string text = card.Write("notes.txt", "not a stream");
    const std::string a3 = card.Write("00004.MTS", Clip(20.1, 30));
    // Recorded in the same second: the second name gets " (2)".
    const std::string b1 = card.Write("00005.MTS", DatedClip(0x14100341, 500, 510));
    const std::string c1 = card.Write("00006.mts", Clip(900, 910));
    SetModified(c1, kJuly14 + 3600);
    const std::vector<std::string> paths = {a1, missing, a2, text, a3, b1, b1, c1};

    const std::vector<OutputPlan::Recording> recordings = OutputPlan::Split(paths, Read(paths));
    ASSERT_EQ(3u, recordings.size());
    // Unreadable, unknown and non-stream entries and a file listed again stay with the
    // recording above them.
    EXPECT_EQ(0u, recordings[0].first);
    EXPECT_EQ(5u, recordings[0].count);
    EXPECT_EQ(5u, recordings[1].first);
    EXPECT_EQ(2u, recordings[1].count);
    EXPECT_EQ(7u, recordings[2].first);
    EXPECT_EQ(1u, recordings[2].count);

    EXPECT_EQ("2024-07-14 10.03.41.MTS", recordings[0].name.file);
    EXPECT_EQ("2024-07-14 10.03.41 (2).MTS", recordings[1].name.file);
    EXPECT_EQ("2024-07-14 11.03.41.mts", recordings[2].name.file);
    EXPECT_EQ((std::vector<bool>{false, false, true}), OutputPlan::FromFileDate(recordings));

    const std::vector<veldrun::JobFiles::Part> parts =
        OutputPlan::Parts(Wide(home / "Films"), recordings);
    ASSERT_EQ(3u, parts.size());
    EXPECT_EQ(home / "Films/2024-07-14 10.03.41.MTS", parts[0].path);
    EXPECT_EQ(home / "Films/2024-07-14 10.03.41 (2).MTS", parts[1].path);
    EXPECT_EQ(home / "Films/2024-07-14 11.03.41.mts", parts[2].path);
    EXPECT_EQ((std::vector<std::size_t>{0, 5, 7}),
              (std::vector<std::size_t>{parts[0].first, parts[1].first, parts[2].first}));
    EXPECT_EQ(kJuly14 * 1000000000, parts[0].modifiedNs.value_or(-1));
    EXPECT_EQ(kJuly14 * 1000000000, parts[1].modifiedNs.value_or(-1));
    EXPECT_EQ((kJuly14 + 3600) * 1000000000, parts[2].modifiedNs.value_or(-1));
}

TEST_F(OutputPlanTest, ARecordingThatCannotBeReadIsNamedAfterItsFileAndNotDated) {
    const std::string a = card.Write("00001.MTS", DatedClip(0x14100341, 0, 10));
    // Named from the first piece that can be read, even below one that cannot.
    const std::vector<std::string> later = {card / "gone.MTS", a};
    const auto readLater = OutputPlan::Split(later, Read(later));
    ASSERT_EQ(1u, readLater.size());
    EXPECT_EQ("2024-07-14 10.03.41.MTS", readLater[0].name.file);

    const std::vector<std::string> none = {card / "gone.MTS"};
    const auto unread = OutputPlan::Split(none, Read(none));
    ASSERT_EQ(1u, unread.size());
    EXPECT_EQ("gone.MTS", unread[0].name.file);
    const auto parts = OutputPlan::Parts(L"/out", unread);
    EXPECT_EQ("/out/gone.MTS", parts.at(0).path);
    EXPECT_FALSE(parts.at(0).modifiedNs) << "no date to give";
    EXPECT_TRUE(OutputPlan::Split({}, {}).empty());
}

TEST_F(OutputPlanTest, TypedNamesGoToTheVideosFolderAndTildeIsTheHomeFolder) {
    const std::wstring home = Wide(this->home.Path());
    EXPECT_EQ(home + L"/Films", OutputPlan::VideosFolder());
    EXPECT_EQ(home + L"/Films/holiday.mts", OutputPlan::Resolve(L"holiday.mts"));
    EXPECT_EQ(home + L"/Films/2024/holiday.mts", OutputPlan::Resolve(L"2024/holiday.mts"));
    EXPECT_EQ(home + L"/Videos/x.mts", OutputPlan::Resolve(L"~/Videos/x.mts"));
    EXPECT_EQ(home, OutputPlan::Resolve(L"~"));
    // Only "~" alone or before a slash is the home folder.
    EXPECT_EQ(home + L"/Films/~x.mts", OutputPlan::Resolve(L"~x.mts"));
    EXPECT_EQ(L"/tmp/a.mts", OutputPlan::Resolve(L"/tmp/a.mts"));
    EXPECT_EQ(L"", OutputPlan::Resolve(L""));

    // A videos folder that does not exist gives way to the home folder.
    std::filesystem::remove(this->home / "Films");
    EXPECT_EQ(home, OutputPlan::VideosFolder());
    EXPECT_EQ(home + L"/holiday.mts", OutputPlan::Resolve(L"holiday.mts"));
}

TEST_F(OutputPlanTest, OneFolderPerRecordingComesFromTheTextItsFolderOrTheVideosFolder) {
    const std::wstring films = Wide(home / "Films");
    EXPECT_EQ(films, OutputPlan::FolderOf(films));
    EXPECT_EQ(films, OutputPlan::FolderOf(films + L"/joined.mts"));
    EXPECT_EQ(films, OutputPlan::FolderOf(Wide(home / "no/such/folder/x.mts")));
}

TEST_F(OutputPlanTest, TheReplaceQuestionCountsTheNamesThatExist) {
    const std::wstring films = Wide(home / "Films");
    std::vector<veldrun::JobFiles::Part> parts(3);
    for (std::size_t i = 0; i < parts.size(); ++i)
        parts[i].path = home / ("Films/" + std::to_string(i) + ".MTS");
    EXPECT_EQ(L"", OutputPlan::ReplaceQuestion(parts, films));
    home.Write("Films/1.MTS", "old");
    EXPECT_EQ(L"1 of the 3 files already exists in " + films + L".\nDo you want to replace it?",
              OutputPlan::ReplaceQuestion(parts, films));
    // A dangling link is a name that exists too: writing would follow it.
    std::filesystem::create_symlink(home / "nowhere", home / "Films/2.MTS");
    EXPECT_EQ(L"2 of the 3 files already exist in " + films + L".\nDo you want to replace them?",
              OutputPlan::ReplaceQuestion(parts, films));

    // One output: asked about a file of the user's unless Select... asked already.
    const std::wstring one = Wide(home / "Films/1.MTS");
    EXPECT_EQ(one + L" already exists.\nDo you want to replace it?",
              OutputPlan::ReplaceQuestion(one, L""));
    EXPECT_EQ(L"", OutputPlan::ReplaceQuestion(one, one));
    EXPECT_EQ(L"", OutputPlan::ReplaceQuestion(films, L"")) << "a folder is no file to replace";
    EXPECT_EQ(L"", OutputPlan::ReplaceQuestion(L"/dev/null", L""));
}

TEST_F(OutputPlanTest, SelectOpensWhereVideosAreKeptAndNeverInAClipFolder) {
    const std::string stream = card / "PRIVATE/AVCHD/BDMV/STREAM";
    std::filesystem::create_directories(stream + "/sub");
    const std::string a =
        card.Write("PRIVATE/AVCHD/BDMV/STREAM/00001.MTS", DatedClip(0x14100341, 0, 10));
    const std::vector<std::string> inputs = {a};
    const auto recordings = OutputPlan::Split(inputs, Read(inputs));
    const std::wstring films = Wide(home / "Films");
    const std::wstring name = L"2024-07-14 10.03.41.MTS";

    EXPECT_EQ(films + L"/" + name, OutputPlan::StartPath(L"", L"", inputs, recordings, false));
    EXPECT_EQ(films, OutputPlan::StartPath(L"", L"", inputs, recordings, true));
    const std::wstring last = Wide(home.Path());
    EXPECT_EQ(last + L"/" + name, OutputPlan::StartPath(L"", last, inputs, recordings, false));
    // The clip folder, below it, or through a link to it: the videos folder instead.
    for (const std::string& inside : {stream, stream + "/sub", stream + "/../STREAM"}) {
        EXPECT_EQ(films + L"/" + name,
                  OutputPlan::StartPath(L"", Wide(inside), inputs, recordings, false));
        EXPECT_EQ(films, OutputPlan::StartPath(Wide(inside), L"", inputs, recordings, true));
    }
    std::filesystem::create_directory_symlink(stream, home / "card-link");
    EXPECT_EQ(films,
              OutputPlan::StartPath(Wide(home / "card-link"), L"", inputs, recordings, true));
    // The Output File text keeps its own name.
    EXPECT_EQ(films + L"/mine.mts",
              OutputPlan::StartPath(Wide(stream + "/mine.mts"), L"", inputs, recordings, false));
    EXPECT_EQ(last + L"/mine.mts",
              OutputPlan::StartPath(last + L"/mine.mts", L"", inputs, recordings, false));

    // Clips kept in the videos folder itself: the home folder.
    const std::vector<std::string> kept = {home.Write("Films/00001.MTS", Clip(0, 10))};
    EXPECT_EQ(last,
              OutputPlan::StartPath(L"", L"", kept, OutputPlan::Split(kept, Read(kept)), true));
}
