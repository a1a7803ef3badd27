#include "recordings/Recordings.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "tests/recordings/QuadraticOrder.h"
#include "tests/support/TestStream.h"

namespace veldrun {
namespace test {
namespace {

typedef Recordings::Clip Clip;
typedef Recordings::Mark Mark;
typedef Recordings::Seam Seam;

const std::int64_t kSecond = TestStream::kSecond;
const std::int64_t kWrap = TestStream::kWrap;

Clip Timed(const std::string& name, std::int64_t first, std::int64_t last) {
    StreamProbe::Result result;
    result.kind = StreamProbe::Kind::Clock;
    result.packetSize = 192;
    result.clockPid = TestStream::kVideoPid;
    result.firstClock = first % kWrap;
    result.lastClock = last % kWrap;
    return Clip{name, result};
}

// The clip with the camera's date: July 2024, the day and minute given.
Clip Dated(Clip clip, int day, int minute = 0) {
    RecordedTime time;
    time.year = 2024;
    time.month = 7;
    time.day = day;
    time.hour = 10;
    time.minute = minute;
    clip.probe->recorded = time;
    return clip;
}

Clip Kind(const std::string& name, StreamProbe::Kind kind) {
    StreamProbe::Result result;
    result.kind = kind;
    return Clip{name, result};
}

Clip Unreadable(const std::string& name) {
    return Clip{name, boost::none};
}

// The names of `clips` in the order given by indexes.
std::vector<std::string> Names(const std::vector<Clip>& clips,
                               const std::vector<std::size_t>& order) {
    std::vector<std::string> names;
    for (std::size_t at : order)
        names.push_back(clips.at(at).name);
    return names;
}

// The command line's order: the entries' names in natural order.
std::vector<std::size_t> NaturalOrder(const std::vector<Clip>& clips) {
    return Recordings::Order(clips, [&clips](std::size_t i, std::size_t j) {
        return Recordings::NaturalLess(clips[i].name, clips[j].name);
    });
}

std::vector<std::string> OrderedNames(const std::vector<Clip>& clips) {
    return Names(clips, NaturalOrder(clips));
}

TEST(RecordingsTest, SeamVerdictsAtTheBoundaries) {
    const Clip a = Timed("a", 10 * kSecond, 20 * kSecond);
    const auto after = [&](std::int64_t gap) {
        return Recordings::Verdict(a, Timed("b", 20 * kSecond + gap, 30 * kSecond + gap));
    };
    EXPECT_EQ(after(1), Seam::Continues);
    EXPECT_EQ(after(kSecond / 25), Seam::Continues);
    EXPECT_EQ(after(kSecond), Seam::Continues);
    EXPECT_EQ(after(kSecond + 1), Seam::NewRecording);
    EXPECT_EQ(after(0), Seam::NewRecording);
    // A second recording whose clock starts lower, and one a minute later.
    EXPECT_EQ(after(-15 * kSecond), Seam::NewRecording);
    EXPECT_EQ(after(60 * kSecond), Seam::NewRecording);

    // Across the wrap of the 33-bit base, both ways round.
    const Clip beforeWrap = Timed("w", kWrap - 10 * kSecond, kWrap - kSecond / 50);
    EXPECT_EQ(Recordings::Verdict(beforeWrap, Timed("x", kSecond / 50, 5 * kSecond)),
              Seam::Continues);
    EXPECT_EQ(Recordings::Verdict(beforeWrap, Timed("x", 2 * kSecond, 5 * kSecond)),
              Seam::NewRecording);
    EXPECT_EQ(Recordings::Verdict(Timed("y", kSecond, kWrap - 1), Timed("z", 0, kSecond)),
              Seam::Continues);

    for (const Clip& other : {Kind("n", StreamProbe::Kind::NotStream),
                              Kind("c", StreamProbe::Kind::NoClock), Unreadable("u")}) {
        EXPECT_EQ(Recordings::Verdict(a, other), Seam::Unknown) << other.name;
        EXPECT_EQ(Recordings::Verdict(other, a), Seam::Unknown) << other.name;
    }
}

TEST(RecordingsTest, MarksAndSummaryOfAMixedList) {
    const std::vector<Clip> clips = {
        Timed("00001.MTS", 0, 600 * kSecond),
        Timed("00002.MTS", 600 * kSecond + kSecond / 25, 1200 * kSecond),
        Kind("notes.txt", StreamProbe::Kind::NotStream),
        Timed("00003.MTS", 1200 * kSecond + kSecond / 25, 1300 * kSecond),
        Timed("00010.MTS", 5 * kSecond, 50 * kSecond),
        Kind("radio.ts", StreamProbe::Kind::NoClock),
        Unreadable("gone.MTS"),
    };
    const std::vector<Mark> marks = Recordings::Marks(clips);
    EXPECT_EQ(marks,
              (std::vector<Mark>{Mark::Start, Mark::Continues, Mark::NotStream, Mark::Unknown,
                                 Mark::NewRecording, Mark::Unknown, Mark::Unknown}));
    const Recordings::Summary summary = Recordings::Summarize(clips, marks);
    EXPECT_EQ(summary.clips, 7u);
    EXPECT_EQ(summary.recordings, 4u); // 00001, 00003, 00010, radio.ts
    EXPECT_EQ(summary.notStreams, 1u);
    EXPECT_FALSE(summary.duration);

    // Only clocks: the duration counts the gaps at continuing seams, not at new recordings.
    const std::vector<Clip> timed = {clips[0], clips[1], clips[4]};
    const Recordings::Summary known = Recordings::Summarize(timed, Recordings::Marks(timed));
    EXPECT_EQ(known.recordings, 2u);
    ASSERT_TRUE(known.duration);
    EXPECT_EQ(*known.duration, 1200 * kSecond + 45 * kSecond);
    EXPECT_EQ(Recordings::FormatDuration(*known.duration), "0:20:45");

    // A list that starts with a file that is not a stream.
    EXPECT_EQ(Recordings::Marks({clips[2], clips[0]}),
              (std::vector<Mark>{Mark::NotStream, Mark::Unknown}));
    EXPECT_TRUE(Recordings::Marks({}).empty());
    EXPECT_FALSE(Recordings::Summarize({}, {}).duration);
}

TEST(RecordingsTest, OrdersEveryShuffleOfTwoRecordings) {
    // Recording one began at a higher clock than recording two: order follows the chains
    // and the names of their first pieces, not the clocks.
    const std::vector<Clip> pieces = {
        Timed("/card/00000.MTS", 900 * kSecond, 1500 * kSecond),
        Timed("/card/00001.MTS", 1500 * kSecond + 1, 2100 * kSecond),
        Timed("/card/00002.MTS", 2100 * kSecond + kSecond, 2200 * kSecond),
        Timed("/card/00009.MTS", 10 * kSecond, 610 * kSecond),
        Timed("/card/00010.MTS", 610 * kSecond + kSecond / 30, 700 * kSecond),
    };
    std::vector<std::size_t> shuffle = {0, 1, 2, 3, 4};
    do {
        std::vector<Clip> clips;
        for (std::size_t at : shuffle)
            clips.push_back(pieces[at]);
        EXPECT_EQ(OrderedNames(clips), Names(pieces, {0, 1, 2, 3, 4}))
            << ::testing::PrintToString(shuffle);
    } while (std::next_permutation(shuffle.begin(), shuffle.end()));

    // With a name order that puts the second recording first, as a caller may pass.
    const auto reverse = [&pieces](std::size_t i, std::size_t j) {
        return pieces[i].name > pieces[j].name;
    };
    EXPECT_EQ(Names(pieces, Recordings::Order(pieces, reverse)), Names(pieces, {3, 4, 0, 1, 2}));
}

TEST(RecordingsTest, RecordedDatesOrderChainsBeforeNames) {
    // Two cards' recordings: names that sort against the dates, pieces that continue each
    // other, a chain whose date is on its second piece only (so it counts as undated), clips
    // without a clock (a dated one among them), and two chains of the same minute.
    const Clip late1 = Dated(Timed("/a/00000.MTS", 0, 600 * kSecond), 20);
    const Clip late2 = Dated(Timed("/a/00001.MTS", 600 * kSecond + 1, 700 * kSecond), 20, 10);
    const Clip early = Dated(Timed("/b/00000.MTS", 5000 * kSecond, 5100 * kSecond), 14);
    const Clip sameMinute = Dated(Timed("/b/00003.MTS", 9000 * kSecond, 9100 * kSecond), 14);
    const Clip undated1 = Timed("/a/00005.MTS", 3000 * kSecond, 3100 * kSecond);
    const Clip undated2 =
        Dated(Timed("/a/00006.MTS", 3100 * kSecond + 1, 3200 * kSecond), 1); // not its head
    const Clip other = Timed("/a/00004.MTS", 7000 * kSecond, 7100 * kSecond);
    const Clip stray = Dated(Kind("/a/00009.MTS", StreamProbe::Kind::NoClock), 1);
    const std::vector<Clip> clips = {undated2,   other, late2,    stray,
                                     sameMinute, late1, undated1, early};
    const std::vector<std::string> expected = {"/b/00000.MTS", "/b/00003.MTS", "/a/00000.MTS",
                                               "/a/00001.MTS", "/a/00009.MTS", "/a/00004.MTS",
                                               "/a/00005.MTS", "/a/00006.MTS"};
    EXPECT_EQ(OrderedNames(clips), expected);
    // The same for the reference order, and whatever order the list was in.
    const Recordings::IndexLess natural = [&clips](std::size_t i, std::size_t j) {
        return Recordings::NaturalLess(clips[i].name, clips[j].name);
    };
    EXPECT_EQ(Recordings::Order(clips, natural), QuadraticOrder(clips, natural));
    std::vector<Clip> reversed(clips.rbegin(), clips.rend());
    const std::vector<std::string> names = OrderedNames(reversed);
    // The clip without a clock follows the chain above it in the list: now /b/00003.MTS's.
    EXPECT_EQ(names, (std::vector<std::string>{"/b/00000.MTS", "/b/00003.MTS", "/a/00009.MTS",
                                               "/a/00000.MTS", "/a/00001.MTS", "/a/00004.MTS",
                                               "/a/00005.MTS", "/a/00006.MTS"}));
}

TEST(RecordingsTest, OnlyTheCallersOrderOfIndexesRanksChainsAndTies) {
    // The window's entries are wide strings that the clips do not carry: names stay empty and
    // the caller ranks the indexes by its own labels.
    const std::vector<std::string> labels = {"b-first", "a-first", "b-second", "twin"};
    const std::vector<Clip> clips = {
        Timed("", 500 * kSecond, 510 * kSecond),
        Timed("", 0, 10 * kSecond),
        Timed("", 510 * kSecond + 1, 520 * kSecond),
        Timed("", 510 * kSecond + 1, 520 * kSecond),
    };
    const auto byLabel = [&labels](std::size_t i, std::size_t j) {
        return labels.at(i) < labels.at(j);
    };
    // Chain a first by its label; of the two equal pieces after b-first, the lesser label links.
    EXPECT_EQ(Recordings::Order(clips, byLabel), (std::vector<std::size_t>{1, 0, 2, 3}));
    // Labels the other way round: the other twin links, and the chains come in reverse.
    const auto byLabelReversed = [&labels](std::size_t i, std::size_t j) {
        return labels.at(j) < labels.at(i);
    };
    EXPECT_EQ(Recordings::Order(clips, byLabelReversed), (std::vector<std::size_t>{2, 0, 3, 1}));
}

TEST(RecordingsTest, EntriesWithoutAClockFollowTheChainAboveThem) {
    const Clip a1 = Timed("a1", 0, 10 * kSecond);
    const Clip a2 = Timed("a2", 10 * kSecond + 1, 20 * kSecond);
    const Clip b1 = Timed("b1", 500 * kSecond, 510 * kSecond);
    const Clip note = Kind("note.txt", StreamProbe::Kind::NotStream);
    const Clip gone = Unreadable("gone");
    const Clip top = Kind("top.ts", StreamProbe::Kind::NoClock);
    // note.txt sits below a2, so after chain a; gone sits below b1; top.ts has no clip with a
    // clock above it, so it goes last.
    const std::vector<Clip> clips = {top, b1, gone, a2, note, a1};
    EXPECT_EQ(OrderedNames(clips),
              (std::vector<std::string>{"a1", "a2", "note.txt", "b1", "gone", "top.ts"}));
    // No clocks at all: the order stays.
    EXPECT_EQ(OrderedNames({note, gone, top}),
              (std::vector<std::string>{"note.txt", "gone", "top.ts"}));
}

TEST(RecordingsTest, TiesAndLoopsGiveAStableCompleteOrder) {
    // The same piece listed twice: the first listing links, the second stands alone.
    const Clip a = Timed("a", 0, 10 * kSecond);
    const Clip b = Timed("b", 10 * kSecond + 5, 20 * kSecond);
    EXPECT_EQ(OrderedNames({b, a, b}), (std::vector<std::string>{"a", "b", "b"}));
    EXPECT_EQ(NaturalOrder({b, a, b}), (std::vector<std::size_t>{1, 0, 2}));
    // Two pieces that could both continue a: the smaller gap wins, whatever the names.
    const Clip near = Timed("z-near", 10 * kSecond + 1, 30 * kSecond);
    const Clip far = Timed("far", 10 * kSecond + 2, 30 * kSecond);
    EXPECT_EQ(OrderedNames({far, near, a}), (std::vector<std::string>{"a", "z-near", "far"}));
    // Equal gaps: the lesser name wins.
    const Clip twin = Timed("twin", 10 * kSecond + 5, 20 * kSecond);
    EXPECT_EQ(OrderedNames({twin, b, a}), (std::vector<std::string>{"a", "b", "twin"}));
    // Pieces that continue each other round the wrap form a loop: one link is left out.
    const Clip p = Timed("p", 0, kWrap / 2);
    const Clip q = Timed("q", kWrap / 2 + 1, kWrap - 1);
    EXPECT_EQ(OrderedNames({q, p}), (std::vector<std::string>{"p", "q"}));
    EXPECT_EQ(OrderedNames({q, q, p, p}), (std::vector<std::string>{"p", "q", "p", "q"}));
}

// One entry of a random list: unreadable for kind 0, not a stream for 1, otherwise a piece
// whose first and last PCR come from `clock`.
template <typename ClockSource>
Clip RandomEntry(int kind, const std::string& name, const ClockSource& clock) {
    if (kind == 0)
        return Unreadable(name);
    if (kind == 1)
        return Kind(name, StreamProbe::Kind::NotStream);
    const std::int64_t first = clock();
    Clip clip = Timed(name, first, clock());
    // Some with the camera's date, from few values so that dates tie too.
    const int day = static_cast<int>(first / kSecond % 5);
    return day < 2 ? Dated(clip, day + 1, static_cast<int>(clock() / kSecond % 2)) : clip;
}

// Random lists with few distinct names and clock values, so that ties, loops and copies are
// common.
std::vector<Clip> RandomClips(std::mt19937& random) {
    std::vector<Clip> clips;
    const int count = std::uniform_int_distribution<int>(0, 25)(random);
    std::uniform_int_distribution<int> pick(0, 7);
    for (int at = 0; at < count; ++at) {
        const std::string name = std::to_string(pick(random));
        clips.push_back(RandomEntry(pick(random), name, [&] { return pick(random) * kSecond; }));
    }
    return clips;
}

// Renames copies (the same name and clock) apart: copies can swap places between runs.
void NameCopiesApart(std::vector<Clip>& clips) {
    std::set<std::tuple<std::string, std::int64_t, std::int64_t>> seen;
    for (Clip& clip : clips) {
        if (!clip.probe || clip.probe->kind != StreamProbe::Kind::Clock)
            continue;
        while (!seen.emplace(clip.name, clip.probe->firstClock, clip.probe->lastClock).second)
            clip.name += "'";
    }
}

TEST(RecordingsTest, RandomListsLoseNothingAndOrderAgainToTheSame) {
    std::mt19937 random(20261207);
    for (int round = 0; round < 300; ++round) {
        std::vector<Clip> clips = RandomClips(random);
        std::vector<std::size_t> order = NaturalOrder(clips);
        std::sort(order.begin(), order.end());
        std::vector<std::size_t> all(clips.size());
        std::iota(all.begin(), all.end(), 0);
        ASSERT_EQ(order, all) << "round " << round;

        NameCopiesApart(clips);
        std::vector<Clip> reordered;
        for (std::size_t at : NaturalOrder(clips))
            reordered.push_back(clips[at]);
        EXPECT_EQ(OrderedNames(reordered), Names(reordered, all)) << "round " << round;
    }
}

// A name order with many ties: only the first character of a name counts, so pieces of
// equal names are ranked by their clocks and indexes.
bool FirstCharacterLess(const std::vector<Clip>& clips, std::size_t i, std::size_t j) {
    return clips[i].name.substr(0, 1) < clips[j].name.substr(0, 1);
}

void ExpectOrderAsBefore(const std::vector<Clip>& clips, const std::string& what) {
    const Recordings::IndexLess natural = [&clips](std::size_t i, std::size_t j) {
        return Recordings::NaturalLess(clips[i].name, clips[j].name);
    };
    const Recordings::IndexLess coarse = [&clips](std::size_t i, std::size_t j) {
        return FirstCharacterLess(clips, i, j);
    };
    ASSERT_EQ(Recordings::Order(clips, natural), QuadraticOrder(clips, natural)) << what;
    ASSERT_EQ(Recordings::Order(clips, coarse), QuadraticOrder(clips, coarse)) << what;
}

// Pieces drawn from a few clock values a second or less apart (or across the wrap), so that
// most pieces could continue many others and loops abound; names from a few letters.
std::vector<Clip> CrowdedClips(std::mt19937& random, int count, int values) {
    std::uniform_int_distribution<int> value(0, values - 1), letter(0, 3), kind(0, 9);
    const std::int64_t step = kSecond / std::max(1, values / 2);
    std::vector<Clip> clips;
    for (int at = 0; at < count; ++at) {
        const std::string name = std::string(1, char('a' + letter(random))) + std::to_string(at);
        clips.push_back(RandomEntry(kind(random), name,
                                    [&] { return kWrap - kSecond / 2 + value(random) * step; }));
    }
    return clips;
}

TEST(RecordingsTest, OrderIsTheSameAsTryingEveryPair) {
    // Two pieces listed many times over: each copy of one could continue each copy of the other.
    const Clip a = Timed("a", 0, 10 * kSecond);
    const Clip b = Timed("b", 10 * kSecond + 1, 20 * kSecond);
    const Clip c = Timed("c", 20 * kSecond + kSecond / 25, 30 * kSecond);
    std::vector<Clip> copies;
    for (int round = 0; round < 30; ++round)
        copies.insert(copies.end(), {b, c, a, round % 3 ? b : a});
    ExpectOrderAsBefore(copies, "copies");

    // Pieces that continue each other round the wrap, each listed several times: loops.
    const Clip p = Timed("p", 0, kWrap / 3);
    const Clip q = Timed("q", kWrap / 3 + 7, 2 * kWrap / 3);
    const Clip r = Timed("r", 2 * kWrap / 3 + 7, kWrap - 1);
    ExpectOrderAsBefore({r, q, p, p, r, q, q, Unreadable("u"), p}, "loops");

    // Every first PCR one tick apart, every last PCR shared: the gaps order each piece's
    // candidates, the names and indexes break the ties.
    std::vector<Clip> equalEnds;
    for (int at = 0; at < 60; ++at) {
        equalEnds.push_back(
            Timed(std::string(1, char('a' + at % 5)), 10 * kSecond + at % 7 + 1, 10 * kSecond));
    }
    ExpectOrderAsBefore(equalEnds, "equal ends");

    // Last PCRs a tick apart, first PCRs spread over the second after them, some listed twice:
    // after each link every piece's nearest candidate is gone.
    std::vector<Clip> packed;
    for (int at = 0; at < 40; ++at) {
        Clip piece =
            Timed(std::string(1, char('a' + at % 3)), 20 * kSecond + at * (kSecond / 50), 0);
        piece.probe->lastClock = 20 * kSecond - 40 + at % 20;
        packed.push_back(piece);
    }
    ExpectOrderAsBefore(packed, "packed ends");

    std::mt19937 random(15);
    for (int round = 0; round < 200; ++round) {
        const int count = std::uniform_int_distribution<int>(0, 120)(random);
        const int values = std::uniform_int_distribution<int>(1, 12)(random);
        ExpectOrderAsBefore(CrowdedClips(random, count, values), "round " + std::to_string(round));
    }
    for (int round = 0; round < 300; ++round)
        ExpectOrderAsBefore(RandomClips(random), "random round " + std::to_string(round));
    // A few long lists, where runs of waiting pieces grow long.
    for (int round = 0; round < 4; ++round)
        ExpectOrderAsBefore(CrowdedClips(random, 600, 40 + round * 200),
                            "long round " + std::to_string(round));
}

TEST(RecordingsTest, OrderOfThousandsOfSharedClocksAsksForFewComparisons) {
    // 4,000 copies each of two pieces: 16 million possible links. Sorting them all asked for
    // hundreds of millions of name comparisons; ranking the names needs about n log n.
    const Clip a = Timed("a", 0, 10 * kSecond);
    const Clip b = Timed("b", 10 * kSecond + 1, 20 * kSecond);
    std::vector<Clip> clips;
    for (int at = 0; at < 8000; ++at)
        clips.push_back(at % 3 == 1 ? b : a);
    std::size_t comparisons = 0;
    const std::vector<std::size_t> order =
        Recordings::Order(clips, [&clips, &comparisons](std::size_t i, std::size_t j) {
            ++comparisons;
            return clips[i].name < clips[j].name;
        });
    EXPECT_LT(comparisons, 8000u * 13 * 4);
    // Every b continues an a, the first listed first; the a left over stand alone.
    ASSERT_EQ(order.size(), clips.size());
    std::size_t linked = 0;
    for (std::size_t at = 0; at + 1 < order.size(); ++at) {
        if (clips[order[at]].name == "a" && clips[order[at + 1]].name == "b")
            ++linked;
    }
    EXPECT_EQ(linked, 2667u);
}

TEST(RecordingsTest, NaturalOrderComparesNumbersAndIgnoresCase) {
    const std::vector<std::string> expected = {
        "",
        "1.MTS",
        "00001.MTS",
        "2.MTS",
        "00002.MTS",
        "00002.mts",
        "10.MTS",
        "00010.MTS",
        "a",
        "Clip 9",
        "clip 10",
        "clip 010",
        "CLIP 10 b",
        "clip10",
        "z99999999999999999999",
        "z100000000000000000000",
    };
    std::vector<std::string> names = expected;
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        std::shuffle(names.begin(), names.end(), random);
        std::sort(names.begin(), names.end(), Recordings::NaturalLess);
        EXPECT_EQ(names, expected);
    }
    for (const std::string& name : expected)
        EXPECT_FALSE(Recordings::NaturalLess(name, name)) << name;
}

TEST(RecordingsTest, DurationsAsHoursMinutesSeconds) {
    EXPECT_EQ(Recordings::FormatDuration(0), "0:00:00");
    EXPECT_EQ(Recordings::FormatDuration(kSecond / 2 - 1), "0:00:00");
    EXPECT_EQ(Recordings::FormatDuration(kSecond / 2), "0:00:01");
    EXPECT_EQ(Recordings::FormatDuration((38 * 60 + 12) * kSecond), "0:38:12");
    EXPECT_EQ(Recordings::FormatDuration(kWrap - 1), "26:30:44");
}

} // namespace
} // namespace test
} // namespace veldrun
