#include "recordings/StreamProbe.h"

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
