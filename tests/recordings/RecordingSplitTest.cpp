#include "recordings/RecordingSplit.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "tests/support/TestStream.h"

namespace veldrun {
namespace test {
namespace {

typedef Recordings::Clip Clip;
typedef RecordingSplit::Group Group;

const std::int64_t kSecond = TestStream::kSecond;
const std::int64_t kNs = 1000000000;

// A readable clip: the file `inode` on one device, modified at `modifiedNs`.
Clip Read(const std::string& name, StreamProbe::Kind kind, std::uint64_t inode,
          std::int64_t modifiedNs = 0) {
    StreamProbe::Result result;
    result.kind = kind;
    result.stamp.id.device = 7;
    result.stamp.id.inode = inode;
    result.stamp.size = 1000;
    result.stamp.modifiedNs = modifiedNs;
    return Clip{name, result};
}

// A clip with a clock from `first` to `last` seconds.
Clip Timed(const std::string& name, std::uint64_t inode, std::int64_t first, std::int64_t last) {
    Clip clip = Read(name, StreamProbe::Kind::Clock, inode);
    clip.probe->packetSize = 192;
    clip.probe->firstClock = first * kSecond;
    clip.probe->lastClock = last * kSecond;
    return clip;
}

Clip Dated(Clip clip, int year, int month, int day, int hour, int minute, int second) {
    RecordedTime time;
    time.year = year;
    time.month = month;
    time.day = day;
    time.hour = hour;
    time.minute = minute;
    time.second = second;
    clip.probe->recorded = time;
    return clip;
}

Clip Unreadable(const std::string& name) {
    return Clip{name, boost::none};
}

std::vector<Group> SplitList(const std::vector<Clip>& clips) {
    return RecordingSplit::Split(Recordings::Marks(clips), RecordingSplit::ListedTwice(clips));
}

std::vector<std::pair<std::size_t, std::size_t>> Spans(const std::vector<Group>& groups) {
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    for (const Group& group : groups)
        spans.emplace_back(group.first, group.count);
    return spans;
}

typedef std::vector<std::pair<std::size_t, std::size_t>> SpanList;

TEST(RecordingSplitTest, EntriesThatStartNothingJoinTheRecordingAboveThem) {
    const std::vector<Clip> clips = {
        Timed("a1", 1, 10, 70),
        Unreadable("gone"),
        Timed("a2", 2, 71, 130), // unknown: the entry above could not be read
        Read("notes.txt", StreamProbe::Kind::NotStream, 3),
        Read("noclock", StreamProbe::Kind::NoClock, 4),
        Timed("a3", 5, 131, 190),
        Timed("b1", 6, 500, 560),     // a new recording
        Timed("a1 again", 1, 10, 70), // listed twice: its new-recording seam starts nothing
        Timed("c1", 7, 900, 959),
        Timed("c2", 8, 960, 1000),
    };
    EXPECT_EQ(Spans(SplitList(clips)), (SpanList{{0, 6}, {6, 2}, {8, 2}}));

    // The first entry starts the first recording whatever it is.
    const std::vector<Clip> leading = {Unreadable("gone"),
                                       Read("notes.txt", StreamProbe::Kind::NotStream, 3),
                                       Timed("a1", 1, 10, 70), Timed("b1", 6, 500, 560)};
    EXPECT_EQ(Spans(SplitList(leading)), (SpanList{{0, 3}, {3, 1}}));

    EXPECT_TRUE(RecordingSplit::Split({}, {}).empty());
    // Without a listed-twice flag for an entry, it lists no file again.
    EXPECT_EQ(
        Spans(RecordingSplit::Split({Recordings::Mark::Start, Recordings::Mark::NewRecording}, {})),
        (SpanList{{0, 1}, {1, 1}}));
}

TEST(RecordingSplitTest, ListedTwiceGoesByTheFilesIdentityAsRead) {
    Clip otherDevice = Timed("b", 1, 0, 1);
    otherDevice.probe->stamp.id.device = 8;
    Clip unstamped = Timed("c", 1, 0, 1);
    unstamped.probe->stamp.size = -1;
    const std::vector<Clip> clips = {Timed("a", 1, 0, 1),      Unreadable("a"), otherDevice,
                                     Timed("a link", 1, 0, 1), unstamped,       Unreadable("a"),
                                     Timed("a", 1, 0, 1)};
    EXPECT_EQ(RecordingSplit::ListedTwice(clips),
              (std::vector<bool>{false, false, false, true, false, false, true}));
}

class RecordingSplitNamesTest : public ::testing::Test {
protected:
    // Central European time, with its summer time, written out so that no zone files are
    // needed.
    void SetUp() override {
        const char* zone = std::getenv("TZ");
        m_hadZone = zone != nullptr;
        if (zone)
            m_zone = zone;
        ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
        ::tzset();
    }
    void TearDown() override {
        if (m_hadZone)
            ::setenv("TZ", m_zone.c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

    // One recording per clip.
    static std::vector<RecordingSplit::Name> NamesOf(const std::vector<Clip>& clips) {
        std::vector<Group> groups;
        for (std::size_t at = 0; at < clips.size(); ++at)
            groups.push_back(Group{at, 1});
        return RecordingSplit::Names(groups, clips);
    }

    static std::vector<std::string> Files(const std::vector<RecordingSplit::Name>& names) {
        std::vector<std::string> files;
        for (const RecordingSplit::Name& name : names)
            files.push_back(name.file);
        return files;
    }

private:
    bool m_hadZone = false;
    std::string m_zone;
};

TEST_F(RecordingSplitNamesTest, CameraDatesNameAndStartTheRecordingInLocalTime) {
    const std::string path = "/card/STREAM/00001.MTS";
    const std::vector<RecordingSplit::Name> names = NamesOf({
        Dated(Timed(path, 1, 0, 60), 2024, 7, 14, 10, 3, 41), // summer time: UTC+2
        Dated(Timed(path, 2, 0, 60), 2024, 1, 15, 10, 0, 0),  // winter time: UTC+1
        // An hour that summer time skips keeps the camera's figures in the name.
        Dated(Timed(path, 3, 0, 60), 2024, 3, 31, 2, 30, 0),
    });
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0].file, "2024-07-14 10.03.41.MTS");
    EXPECT_EQ(names[0].startNs, 1720944221 * kNs);
    EXPECT_FALSE(names[0].fromFileDate);
    EXPECT_EQ(names[1].file, "2024-01-15 10.00.00.MTS");
    EXPECT_EQ(names[1].startNs, 1705309200 * kNs);
    EXPECT_EQ(names[2].file, "2024-03-31 02.30.00.MTS");
}

TEST_F(RecordingSplitNamesTest, FileDatesNameInLocalTimeAndStartAtTheModificationTime) {
    const std::int64_t beforeSummer = 1711846799 * kNs + 500000000; // 00:59:59.5 UTC
    const std::int64_t summer = 1711846800 * kNs;                   // 01:00:00 UTC
    const std::int64_t beforeEpoch = -500000000;                    // 23:59:59.5 UTC, 1969
    const std::vector<RecordingSplit::Name> names =
        NamesOf({Read("a.MTS", StreamProbe::Kind::Clock, 1, beforeSummer),
                 Read("b.MTS", StreamProbe::Kind::NotStream, 2, summer),
                 Read("c.MTS", StreamProbe::Kind::NoClock, 3, beforeEpoch)});
    EXPECT_EQ(Files(names), (std::vector<std::string>{
                                "2024-03-31 01.59.59.MTS",
                                "2024-03-31 03.00.00.MTS",
                                "1970-01-01 00.59.59.MTS",
                            }));
    EXPECT_EQ(names[0].startNs, beforeSummer);
    EXPECT_EQ(names[1].startNs, summer);
    EXPECT_EQ(names[2].startNs, beforeEpoch);
    for (const RecordingSplit::Name& name : names)
        EXPECT_TRUE(name.fromFileDate) << name.file;
}

TEST_F(RecordingSplitNamesTest, ExtensionsAreKeptAsSpelledAndSameNamesAreNumbered) {
    const Clip clip = Dated(Timed("x", 1, 0, 60), 2024, 7, 14, 10, 3, 41);
    const auto named = [&clip](const std::string& path) {
        Clip renamed = clip;
        renamed.name = path;
        return renamed;
    };
    // The file date of a clip without the camera's date may give the same name too.
    Clip undated = Read("d/00009.MTS", StreamProbe::Kind::Clock, 9, 1720944221 * kNs);
    EXPECT_EQ(Files(NamesOf({named("card/00001.MTS"), named("card/00002.mts"),
                             named("card/00003.MTS"), named("card.d/00004"), named(".hidden/.MTS"),
                             undated, named("a.b.m2ts"), named("card/00005.MTS")})),
              (std::vector<std::string>{
                  "2024-07-14 10.03.41.MTS",
                  "2024-07-14 10.03.41.mts",
                  "2024-07-14 10.03.41 (2).MTS",
                  "2024-07-14 10.03.41",
                  "2024-07-14 10.03.41 (2)",
                  "2024-07-14 10.03.41 (3).MTS",
                  "2024-07-14 10.03.41.m2ts",
                  "2024-07-14 10.03.41 (4).MTS",
              }));
}

TEST_F(RecordingSplitNamesTest, TheFirstPieceThatWasReadNamesTheRecording) {
    const std::vector<Clip> clips = {
        Unreadable("gone.mts"),
        Dated(Timed("00001.MTS", 1, 0, 60), 2024, 7, 14, 10, 3, 41),
        Dated(Timed("00002.MTS", 2, 60, 120), 2024, 7, 14, 10, 4, 41),
        Unreadable("gone2.MTS"),
        Unreadable("gone3.MTS"),
        Dated(Timed("00003.MTS", 3, 0, 60), 2024, 7, 14, 10, 3, 41),
    };
    const std::vector<RecordingSplit::Name> names =
        RecordingSplit::Names({Group{0, 3}, Group{3, 1}, Group{4, 2}}, clips);
    // A recording that could not be read has no name, and takes no number from the others.
    EXPECT_EQ(Files(names), (std::vector<std::string>{"2024-07-14 10.03.41.MTS", "",
                                                      "2024-07-14 10.03.41 (2).MTS"}));
    EXPECT_EQ(names[1].startNs, 0);
    EXPECT_FALSE(names[1].fromFileDate);
}

} // namespace
} // namespace test
} // namespace veldrun
