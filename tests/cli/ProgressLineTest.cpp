#include "cli/ProgressLine.h"

#include <gtest/gtest.h>

namespace veldrun {
namespace {

using std::chrono::milliseconds;
using Clock = ProgressLine::Clock;
using Pass = ProgressLine::Pass;

const Clock::time_point kStart{std::chrono::seconds(1000)};

std::vector<std::string> Clips(std::size_t count) {
    std::vector<std::string> clips;
    for (std::size_t at = 1; at <= count; ++at)
        clips.push_back("/media/card/PRIVATE/AVCHD/BDMV/STREAM/0000" + std::to_string(at) + ".MTS");
    return clips;
}

TEST(ProgressLineTest, TextShowsPercentFileNameBytesRateAndTimeLeft) {
    ProgressLine line(Clips(3), kStart);
    EXPECT_FALSE(line.HasFigures());
    line.Update(Pass::Writing, 1, 1'070'000'000, 535'000'000, kStart);
    EXPECT_TRUE(line.HasFigures());
    EXPECT_EQ(line.Text(kStart + milliseconds(5000)),
              " 50% | file 2 of 3 | 00002.MTS | 535.0 MB of 1.07 GB | 107.0 MB/s | about 5 s left");
}

TEST(ProgressLineTest, EdgeFiguresGiveSaneText) {
    ProgressLine line(Clips(1), kStart);
    const auto later = kStart + milliseconds(1000);
    line.Update(Pass::Writing, 0, 8'000'000'000, 7'999'999'999, kStart);
    EXPECT_EQ(line.Text(later).substr(0, 4), " 99%");
    EXPECT_NE(line.Text(later).find("about 1 s left"), std::string::npos) << line.Text(later);
    // Done: no time left to show.
    line.Update(Pass::Writing, 0, 8'000'000'000, 8'000'000'000, kStart);
    EXPECT_EQ(line.Text(later),
              "100% | file 1 of 1 | 00001.MTS | 8.00 GB of 8.00 GB | 8000.0 MB/s");
    // Empty inputs: nothing to wait for, and no division by zero.
    line.Update(Pass::Writing, 0, 0, 0, kStart);
    EXPECT_EQ(line.Text(later), "100% | file 1 of 1 | 00001.MTS | 0 B of 0 B | 0.0 MB/s");
    // No time passed yet: no rate to divide out. Under a second: too soon to guess.
    line.Update(Pass::Writing, 0, 2'000'000, 1'000'000, kStart);
    EXPECT_EQ(line.Text(kStart), " 50% | file 1 of 1 | 00001.MTS | 1.0 MB of 2.0 MB | 0.0 MB/s");
    EXPECT_EQ(line.Text(kStart + milliseconds(999)).find("left"), std::string::npos);
    // Stalled from the start: no rate, so no time left rather than an endless one.
    line.Update(Pass::Writing, 0, 2'000'000, 0, kStart);
    EXPECT_EQ(line.Text(kStart + milliseconds(3000)),
              "  0% | file 1 of 1 | 00001.MTS | 0 B of 2.0 MB | 0.0 MB/s");
}

TEST(ProgressLineTest, EachPassShowsItsOwnRateAndTimeLeft) {
    // One output per recording: the first written, then read back, then the second written.
    ProgressLine line(Clips(4), kStart);
    line.Update(Pass::Writing, 1, 400'000'000, 200'000'000, kStart);
    line.Update(Pass::Verifying, 0, 400'000'000, 0, kStart + milliseconds(2000));
    line.Update(Pass::Verifying, 1, 400'000'000, 200'000'000, kStart + milliseconds(3000));
    EXPECT_EQ(line.Text(kStart + milliseconds(3000)),
              "verifying  50% | file 2 of 4 | 00002.MTS | 200.0 MB of 400.0 MB | 200.0 MB/s | "
              "about 1 s left");
    // Back to writing: the rate counts from where writing took up again.
    line.Update(Pass::Writing, 2, 400'000'000, 200'000'000, kStart + milliseconds(3000));
    line.Update(Pass::Writing, 3, 400'000'000, 300'000'000, kStart + milliseconds(4000));
    EXPECT_EQ(line.Text(kStart + milliseconds(4000)),
              " 75% | file 4 of 4 | 00004.MTS | 300.0 MB of 400.0 MB | 100.0 MB/s | "
              "about 1 s left");
}

TEST(ProgressLineTest, NarrowTerminalCutsTheNameBeforeAnyFigure) {
    const std::string name = "Holiday in Spain, the beach on the first day, part 3.MTS";
    ProgressLine line({"/home/anna/Videos/" + name}, kStart);
    line.Update(Pass::Writing, 0, 2'000'000'000, 500'000'000, kStart);
    const auto now = kStart + milliseconds(5000);
    const std::string head = " 25% | file 1 of 1 | ";
    const std::string figures = " | 500.0 MB of 2.00 GB | 100.0 MB/s | about 15 s left";
    const std::string whole = head + name + figures;
    EXPECT_EQ(line.Text(now), whole);
    EXPECT_EQ(line.Text(now, whole.size()), whole);
    // One column less: the name loses its start, keeps the end that tells clips apart.
    EXPECT_EQ(line.Text(now, whole.size() - 1), head + "..." + name.substr(4) + figures);
    // Down to "..." and one character of it.
    EXPECT_EQ(line.Text(now, head.size() + 4 + figures.size()), head + "...S" + figures);
    // No room for even that: the name goes, the figures stay whole.
    EXPECT_EQ(line.Text(now, head.size() + 3 + figures.size()),
              " 25% | file 1 of 1 | 500.0 MB of 2.00 GB | 100.0 MB/s | about 15 s left");
    // Narrower still: whole figures leave, never a number cut short; the rate first, as the
    // time left says more.
    EXPECT_EQ(line.Text(now, 70), " 25% | file 1 of 1 | 500.0 MB of 2.00 GB | about 15 s left");
    EXPECT_EQ(line.Text(now, 57), " 25% | file 1 of 1 | 500.0 MB of 2.00 GB");
    // Narrower than the count itself: cut, but never wider than the terminal.
    EXPECT_EQ(line.Text(now, 10), " 25% | fil");
}

TEST(ProgressLineTest, NamesAreMeasuredInColumnsAndPrintedSafely) {
    // Japanese takes two columns a character: a cut keeps whole characters within the width.
    const std::string japanese = "\xE6\x97\xA5\xE6\x9C\xAC\xE3\x81\xAE\xE5\xA4\x8F.MTS"; // 日本の夏
    ProgressLine wide({"/v/" + japanese}, kStart);
    wide.Update(Pass::Writing, 0, 2'000'000, 1'000'000, kStart);
    const std::string head = " 50% | file 1 of 1 | ";
    const std::string figures = " | 1.0 MB of 2.0 MB | 0.0 MB/s";
    const std::size_t whole = head.size() + 12 + figures.size(); // 4 wide characters and ".MTS"
    EXPECT_EQ(wide.Text(kStart, whole), head + japanese + figures);
    // One column less: "..." and 8 columns of the end, two characters and ".MTS"; two less:
    // only one of them fits, never half of one.
    EXPECT_EQ(wide.Text(kStart, whole - 1), head + "...\xE3\x81\xAE\xE5\xA4\x8F.MTS" + figures);
    EXPECT_EQ(wide.Text(kStart, whole - 2), head + "...\xE5\xA4\x8F.MTS" + figures);

    // A name that would move the cursor or fake a line is quoted, and only its last part shown.
    ProgressLine control({"/tmp/x\ny/a\rb\x1B[2K.MTS"}, kStart);
    control.Update(Pass::Writing, 0, 2'000'000, 1'000'000, kStart);
    EXPECT_EQ(control.Text(kStart), head + "'a'$'\\r''b'$'\\033''[2K.MTS'" + figures);
}

TEST(ProgressLineTest, RedrawsAtMostTenTimesASecond) {
    ProgressLine line(Clips(1), kStart);
    EXPECT_TRUE(line.Due(kStart));
    EXPECT_FALSE(line.Due(kStart + milliseconds(60)));
    EXPECT_FALSE(line.Due(kStart + milliseconds(99)));
    // Counted from the last redraw, not from the last call.
    EXPECT_TRUE(line.Due(kStart + milliseconds(100)));
    EXPECT_FALSE(line.Due(kStart + milliseconds(180)));
    EXPECT_TRUE(line.Due(kStart + milliseconds(200)));
    EXPECT_TRUE(line.Due(kStart + milliseconds(5000)));
}

} // namespace
} // namespace veldrun
