#include "recordings/StreamProbe.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

#include "tests/support/TempDir.h"
#include "tests/support/TestStream.h"

namespace veldrun {
namespace test {
namespace {

typedef StreamProbe::Kind Kind;

const std::int64_t kSecond = TestStream::kSecond;
const std::int64_t kMiB = 1 << 20;

// A file size near `size` that holds whole packets, so that the packets written at its end
// are in step with those at its start, as in a real clip.
std::int64_t Whole(std::int64_t size, int packetSize = 188) {
    return size / packetSize * packetSize;
}

StreamProbe::Result Probe(const std::string& path) {
    const boost::optional<StreamProbe::Result> result = StreamProbe::Read(path);
    EXPECT_TRUE(result) << path;
    return result ? *result : StreamProbe::Result();
}

void ExpectClock(const StreamProbe::Result& result, int packetSize, std::int64_t first,
                 std::int64_t last, int pid = TestStream::kVideoPid) {
    EXPECT_EQ(result.kind, Kind::Clock);
    EXPECT_EQ(result.packetSize, packetSize);
    EXPECT_EQ(result.clockPid, pid);
    EXPECT_EQ(result.firstClock, first);
    EXPECT_EQ(result.lastClock, last);
}

class StreamProbeTest : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(StreamProbeTest, FindsFirstAndLastClockWithEitherPacketSize) {
    for (int size : {188, 192}) {
        SCOPED_TRACE(size);
        // Small: the start and the end are the same bytes.
        const std::string small =
            dir.Write("small.mts", TestStream(size).Recording(5 * kSecond, 9 * kSecond).Bytes());
        ExpectClock(Probe(small), size, 5 * kSecond, 9 * kSecond);

        // Large: the ends are 2 GiB apart, with nothing read in between.
        const std::string head = TestStream(size).Recording(100, 100 + kSecond, 4000).Bytes();
        const std::string tail =
            TestStream(size).Recording(600 * kSecond, 601 * kSecond, 4000, 3, false).Bytes();
        ASSERT_GT(head.size(), std::size_t(3 * kMiB));
        const StreamProbe::Result large =
            Probe(dir.WriteSparse("large.mts", head, Whole(2048 * kMiB, size), tail));
        ExpectClock(large, size, 100, 601 * kSecond);
        EXPECT_EQ(StreamProbe::Duration(large), 601 * kSecond - 100);
        EXPECT_EQ(large.stamp.size, Whole(2048 * kMiB, size));
    }
}

TEST_F(StreamProbeTest, TakesTheClockThatTheProgrammeMapNames) {
    // The audio PID carries PCRs first, but the map names the video PID.
    TestStream named;
    named.Clock(1 * kSecond, TestStream::kAudioPid).Tables(TestStream::kVideoPid);
    named.Clock(7 * kSecond, TestStream::kVideoPid).Clock(2 * kSecond, TestStream::kAudioPid);
    named.Payload(10).Clock(8 * kSecond, TestStream::kVideoPid).Payload(10);
    ExpectClock(Probe(dir.Write("named.mts", named.Bytes())), 188, 7 * kSecond, 8 * kSecond);

    // Without the tables (a piece cut from the middle), the first PID with a PCR counts.
    TestStream bare;
    bare.Payload(10).Clock(3 * kSecond, TestStream::kAudioPid).Clock(4 * kSecond);
    bare.Payload(10).Clock(5 * kSecond, TestStream::kAudioPid).Payload(10);
    ExpectClock(Probe(dir.Write("bare.mts", bare.Bytes())), 188, 3 * kSecond, 5 * kSecond,
                TestStream::kAudioPid);

    // A map naming a PID that never carries a PCR falls back the same way.
    TestStream wrong;
    wrong.Tables(0x1234).Clock(6 * kSecond).Payload(10).Clock(kSecond * 6 + 300).Payload(10);
    ExpectClock(Probe(dir.Write("wrong.mts", wrong.Bytes())), 188, 6 * kSecond, 6 * kSecond + 300);
}

TEST_F(StreamProbeTest, ToleratesCutsGarbageAndTheWrap) {
    const std::string stream = TestStream(192).Recording(kSecond, 2 * kSecond).Bytes();
    const std::string lastClock = TestStream(192).Clock(3 * kSecond).Payload(5).Bytes();

    // Cut inside a packet at both ends, as other tools cut: the PCR of a packet cut short
    // does not count.
    const std::string cut = stream.substr(1000) + lastClock.substr(0, 150);
    ExpectClock(Probe(dir.Write("cut.mts", cut)), 192, kSecond + kSecond / 19, 2 * kSecond);

    // Garbage after the last packet, and a piece of garbage between packets.
    const std::string junk = TempDir::Pattern(5000, 7);
    ExpectClock(Probe(dir.Write("junk.mts", stream + junk + lastClock + junk)), 192, kSecond,
                3 * kSecond);

    // The 33-bit base wraps inside the clip: the duration counts across it.
    const std::int64_t nearWrap = TestStream::kWrap - kSecond / 2;
    const StreamProbe::Result wrapped = Probe(
        dir.Write("wrap.mts", TestStream().Recording(nearWrap, nearWrap + 2 * kSecond).Bytes()));
    ExpectClock(wrapped, 188, nearWrap, kSecond * 3 / 2);
    EXPECT_EQ(StreamProbe::Duration(wrapped), 2 * kSecond);
    EXPECT_EQ(StreamProbe::ClockDistance(TestStream::kWrap - 1, 0), 1);
    EXPECT_EQ(StreamProbe::ClockDistance(0, TestStream::kWrap - 1), TestStream::kWrap - 1);
    EXPECT_EQ(StreamProbe::ClockDistance(5, 5), 0);
}

TEST_F(StreamProbeTest, TellsOtherFilesAndStreamsWithoutAClock) {
    EXPECT_EQ(Probe(dir.Write("empty.mts", "")).kind, Kind::NotStream);
    EXPECT_EQ(Probe(dir.Write("garbage.mts", TempDir::Pattern(200000, 3))).kind, Kind::NotStream);
    // Text that begins with a 'G', the sync byte, is not a stream.
    EXPECT_EQ(Probe(dir.Write("text.txt", "Good morning\n" + std::string(4000, 'x'))).kind,
              Kind::NotStream);
    // Eight packets make a stream, seven are too few to tell.
    EXPECT_EQ(Probe(dir.Write("seven.mts", TestStream().Payload(7).Bytes())).kind, Kind::NotStream);
    const StreamProbe::Result eight =
        Probe(dir.Write("eight.mts", TestStream().Payload(8).Bytes()));
    EXPECT_EQ(eight.kind, Kind::NoClock);
    EXPECT_EQ(eight.packetSize, 188);
    EXPECT_EQ(Probe(dir.Write("tables.mts", TestStream(192).Tables().Payload(50).Bytes())).kind,
              Kind::NoClock);

    // A large stream whose last MiB holds no clock: its end is unknown.
    const std::string head = TestStream().Recording(0, kSecond).Bytes();
    const std::string tail = TestStream().Payload(6000).Bytes();
    EXPECT_EQ(Probe(dir.WriteSparse("endless.mts", head, Whole(64 * kMiB), tail)).kind,
              Kind::NoClock);
}

TEST_F(StreamProbeTest, ReadsAtMostOneMebibyteAtEachEnd) {
    // Without tables the start is read up to the limit in search of a clock; one further in
    // is not seen, so the file counts as a stream without a clock.
    for (std::int64_t at : {900 * 1024, 1100 * 1024}) {
        SCOPED_TRACE(at);
        TestStream start;
        start.Payload(static_cast<int>(at / 188)).Clock(kSecond).Payload(10);
        const std::string tail = TestStream().Clock(2 * kSecond).Payload(10).Bytes();
        const StreamProbe::Result result =
            Probe(dir.WriteSparse("far.mts", start.Bytes(), Whole(512 * kMiB), tail));
        EXPECT_EQ(result.kind, at < kMiB ? Kind::Clock : Kind::NoClock);
    }
    // The same for the end: a last PCR more than 1 MiB before it is not seen.
    for (std::int64_t at : {900 * 1024, 1100 * 1024}) {
        SCOPED_TRACE(at);
        const std::string head = TestStream().Tables().Clock(kSecond).Payload(100).Bytes();
        TestStream end;
        end.Clock(2 * kSecond).Payload(static_cast<int>(at / 188));
        const StreamProbe::Result result =
            Probe(dir.WriteSparse("far.mts", head, Whole(512 * kMiB), end.Bytes()));
        EXPECT_EQ(result.kind, at < kMiB ? Kind::Clock : Kind::NoClock);
    }
}

std::string DateText(const StreamProbe::Result& result) {
    return result.recorded ? result.recorded->Text() : "none";
}

// What a stream with one access unit of video, whose SEI holds `messages`, reads as.
std::string DateOf(TempDir& dir, int size, const std::string& messages) {
    TestStream stream(size);
    stream.Tables().Video(TestStream::AccessUnit(messages)).Recording(kSecond, 2 * kSecond);
    return DateText(Probe(dir.Write("dated.mts", stream.Bytes())));
}

std::string DateOf(TempDir& dir, unsigned yearMonth, unsigned dayTime) {
    return DateOf(dir, 192, TestStream::SeiMessage(5, TestStream::DateMessage(yearMonth, dayTime)));
}

TEST_F(StreamProbeTest, ReadsTheCameraDateFromTheVideo) {
    for (int size : {188, 192}) {
        SCOPED_TRACE(size);
        const StreamProbe::Result plain = Probe(dir.Write(
            "plain.mts",
            TestStream(size).Dated(0x202407, 0x14101502).Recording(kSecond, 2 * kSecond).Bytes()));
        EXPECT_EQ(DateText(plain), "2024-07-14 10:15:02");
        ExpectClock(plain, size, kSecond, 2 * kSecond);

        // The message split across two packets: a filler NAL moves it over the boundary.
        const std::string sei = TestStream::Nal(
            6, TestStream::SeiMessage(5, TestStream::DateMessage(0x202312, 0x31235959)) + '\x80');
        std::string split;
        for (std::size_t filler = 0; filler < 184 && split.empty(); ++filler) {
            TestStream stream(size);
            stream.Tables().Video(TestStream::Nal(9, "\xF0") +
                                  TestStream::Nal(12, std::string(filler, '\xFF')) + sei +
                                  TestStream::AccessUnit(""));
            if (stream.Bytes().find("MDPM") == std::string::npos)
                split = stream.Recording(kSecond, 2 * kSecond).Bytes();
        }
        ASSERT_FALSE(split.empty());
        EXPECT_EQ(DateText(Probe(dir.Write("split.mts", split))), "2023-12-31 23:59:59");

        // 00:00:02 after 00 00 is written 00 00 03 02: the 03 is not the second.
        const std::string escaped =
            TestStream(size).Dated(0x200001, 0x01000002).Recording(kSecond, 2 * kSecond).Bytes();
        ASSERT_NE(escaped.find(std::string("\x00\x00\x03\x02", 4)), std::string::npos);
        EXPECT_EQ(DateText(Probe(dir.Write("escaped.mts", escaped))), "2000-01-01 00:00:02");
    }

    // Other messages first, among them another user-data UUID (as encoders write theirs) and a
    // type past 255; the camera's message itself has more than 255 bytes of other tags.
    std::string tags;
    for (int at = 0; at < 60; ++at)
        tags += std::string(1, static_cast<char>(0x70 + at % 16)) + "\xFF\x12\x34\x56";
    const std::string messages =
        TestStream::SeiMessage(5, std::string(16, '\x42') + std::string(400, 'x')) +
        TestStream::SeiMessage(300, std::string(20, '\x01')) +
        TestStream::SeiMessage(5, TestStream::DateMessage(0x202402, 0x29080910, tags));
    EXPECT_EQ(DateOf(dir, 188, messages), "2024-02-29 08:09:10");

    // An access unit whose message holds no valid date, then one that does.
    TestStream later(192);
    later.Tables().Video(TestStream::AccessUnit(
        TestStream::SeiMessage(5, TestStream::DateMessage(0x2024FF, 0x14101502))));
    later.Video(TestStream::AccessUnit(
        TestStream::SeiMessage(5, TestStream::DateMessage(0x202408, 0x01000000))));
    EXPECT_EQ(DateText(Probe(dir.Write("later.mts", later.Recording(0, kSecond).Bytes()))),
              "2024-08-01 00:00:00");

    // A packet repeated, as the standard allows, counts once: here the second of the PES, in
    // the middle of a message made long by other tags.
    TestStream repeated(192);
    repeated.Tables().Video(TestStream::AccessUnit(TestStream::SeiMessage(
        5, TestStream::DateMessage(0x202101, 0x02030405, tags + tags.substr(0, 100)))));
    std::string bytes = repeated.Bytes();
    const std::size_t second = 3 * 192; // after the two tables and the PES's first packet
    ASSERT_EQ(bytes.find("MDPM"), std::size_t(2 * 192 + 4 + 4 + 14 + 6 + 8 + 16));
    bytes.insert(second, bytes.substr(second, 192));
    EXPECT_EQ(DateText(Probe(dir.Write("repeated.mts",
                                       bytes + TestStream(192).Recording(0, kSecond).Bytes()))),
              "2021-01-02 03:04:05");
}

TEST_F(StreamProbeTest, LeavesOutDatesThatAreNotValid) {
    // Every field in BCD, every value a real date and time; leap years as the calendar has them.
    const std::vector<std::pair<unsigned, unsigned>> invalid = {
        {0x20240A, 0x14101502}, {0x2024F7, 0x14101502}, {0x202407, 0x1A101502},
        {0x202407, 0x141015FF}, {0x202300, 0x01000000}, {0x202413, 0x01000000},
        {0x202404, 0x31000000}, {0x202407, 0x00000000}, {0x202302, 0x29000000},
        {0x190002, 0x29000000}, {0x202407, 0x14240000}, {0x202407, 0x14006000},
        {0x202407, 0x14000060}};
    for (const auto& date : invalid) {
        EXPECT_EQ(DateOf(dir, date.first, date.second), "none")
            << std::hex << date.first << ' ' << date.second;
    }
    EXPECT_EQ(DateOf(dir, 0x200002, 0x29235959), "2000-02-29 23:59:59");
    EXPECT_EQ(DateOf(dir, 0x199912, 0x31000000), "1999-12-31 00:00:00");

    // A message without the time's tag, one with another UUID, one that is cut short.
    std::string dateOnly = TestStream::DateMessage(0x202407, 0x14101502);
    dateOnly.resize(dateOnly.size() - 5);
    dateOnly[20] = 1;
    EXPECT_EQ(DateOf(dir, 192, TestStream::SeiMessage(5, dateOnly)), "none");
    std::string otherUuid = TestStream::DateMessage(0x202407, 0x14101502);
    otherUuid[15] ^= 1;
    EXPECT_EQ(DateOf(dir, 192, TestStream::SeiMessage(5, otherUuid)), "none");
    std::string cut = TestStream::SeiMessage(5, TestStream::DateMessage(0x202407, 0x14101502));
    cut.resize(cut.size() - 2);
    EXPECT_EQ(DateOf(dir, 192, cut), "none");
    // The message as another type of SEI.
    EXPECT_EQ(
        DateOf(dir, 192, TestStream::SeiMessage(4, TestStream::DateMessage(0x202407, 0x14101502))),
        "none");

    // Streams without it: no video, no tables, the message on a PID the map does not name as
    // H.264 video.
    EXPECT_EQ(DateText(Probe(dir.Write("none.mts", TestStream().Recording(0, kSecond).Bytes()))),
              "none");
    TestStream bare;
    bare.Video(TestStream::AccessUnit(
        TestStream::SeiMessage(5, TestStream::DateMessage(0x202407, 0x14101502))));
    EXPECT_EQ(
        DateText(Probe(dir.Write("bare.mts", bare.Recording(0, kSecond, 20, 3, false).Bytes()))),
        "none");
    TestStream audio;
    audio.Tables().Video(TestStream::AccessUnit(TestStream::SeiMessage(
                             5, TestStream::DateMessage(0x202407, 0x14101502))),
                         TestStream::kAudioPid);
    EXPECT_EQ(DateText(Probe(dir.Write("audio.mts", audio.Recording(0, kSecond).Bytes()))), "none");
}

// The bytes this process has read so far.
std::int64_t BytesRead() {
    std::ifstream io("/proc/self/io");
    std::string key;
    std::int64_t value = 0;
    while (io >> key >> value && key != "rchar:") {
    }
    return value;
}

TEST_F(StreamProbeTest, LooksForTheDateWithinTheFirstMebibyteOnly) {
    const std::string tail = TestStream().Clock(600 * kSecond).Payload(10).Bytes();
    const auto probeWithDateAt = [&](std::int64_t at) {
        TestStream head;
        head.Tables().Clock(kSecond).Payload(static_cast<int>(at / 188));
        head.Video(TestStream::AccessUnit(
            TestStream::SeiMessage(5, TestStream::DateMessage(0x202407, 0x14101502))));
        return Probe(dir.WriteSparse("far.mts", head.Bytes(), Whole(512 * kMiB), tail));
    };
    const StreamProbe::Result near = probeWithDateAt(600 * 1024);
    EXPECT_EQ(DateText(near), "2024-07-14 10:15:02");
    EXPECT_EQ(near.kind, Kind::Clock);
    const StreamProbe::Result far = probeWithDateAt(1100 * 1024);
    EXPECT_EQ(DateText(far), "none");
    EXPECT_EQ(far.kind, Kind::Clock);

    // A date found with the clock costs no further reading; without one the start is read on.
    const std::string dated = dir.WriteSparse(
        "dated.mts", TestStream().Dated(0x202407, 0x14101502).Recording(0, kSecond).Bytes(),
        Whole(64 * kMiB), tail);
    const std::string undated = dir.WriteSparse(
        "undated.mts", TestStream().Recording(0, kSecond).Bytes(), Whole(64 * kMiB), tail);
    std::int64_t before = BytesRead();
    EXPECT_EQ(DateText(Probe(dated)), "2024-07-14 10:15:02");
    EXPECT_LE(BytesRead() - before, 2 * 128 * 1024 + 4096);
    before = BytesRead();
    EXPECT_EQ(DateText(Probe(undated)), "none");
    EXPECT_GE(BytesRead() - before, kMiB);
}

TEST_F(StreamProbeTest, GivesNoResultForWhatCannotBeRead) {
    EXPECT_FALSE(StreamProbe::Read(dir / "missing.mts"));
    EXPECT_FALSE(StreamProbe::Read(dir.Path()));
    // A pipe is refused at once, not waited on.
    ASSERT_EQ(::mkfifo((dir / "pipe.mts").c_str(), 0600), 0);
    EXPECT_FALSE(StreamProbe::Read(dir / "pipe.mts"));
}

} // namespace
} // namespace test
} // namespace veldrun
