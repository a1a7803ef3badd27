#include "cli/ProgressLine.h"

#include <gtest/gtest.h>

namespace veldrun {
namespace {

using std::chrono::milliseconds;
using Clock = ProgressLine::Clock;
using Pass = ProgressLine::Pass;

const Clock::time_point kStart{std::chrono::seconds(1000)};

TEST(ProgressLineTest, TextShowsPercentFileBytesAndRate) {
    ProgressLine line(3, kStart);
    EXPECT_FALSE(line.HasFigures());
    line.Update(Pass::Writing, 1, 1'070'000'000, 535'000'000, kStart);
    EXPECT_TRUE(line.HasFigures());
    EXPECT_EQ(line.Text(kStart + milliseconds(5000)),
              " 50% | file 2 of 3 | 535.0 MB of 1.07 GB | 107.0 MB/s");
}

TEST(ProgressLineTest, EdgeFiguresGiveSaneText) {
    ProgressLine line(1, kStart);
    const auto later = kStart + milliseconds(1000);
    line.Update(Pass::Writing, 0, 8'000'000'000, 7'999'999'999, kStart);
    EXPECT_EQ(line.Text(later).substr(0, 4), " 99%");
    line.Update(Pass::Writing, 0, 8'000'000'000, 8'000'000'000, kStart);
    EXPECT_EQ(line.Text(later).substr(0, 4), "100%");
    // Empty inputs: nothing to wait for, and no division by zero.
    line.Update(Pass::Writing, 0, 0, 0, kStart);
    EXPECT_EQ(line.Text(later), "100% | file 1 of 1 | 0 B of 0 B | 0.0 MB/s");
    // No time passed yet: no rate to divide out.
    line.Update(Pass::Writing, 0, 2'000'000, 1'000'000, kStart);
    EXPECT_EQ(line.Text(kStart), " 50% | file 1 of 1 | 1.0 MB of 2.0 MB | 0.0 MB/s");
}

TEST(ProgressLineTest, EachPassShowsItsOwnRate) {
    // One output per recording: the first written, then read back, then the second written.
    ProgressLine line(4, kStart);
    line.Update(Pass::Writing, 1, 400'000'000, 200'000'000, kStart);
    line.Update(Pass::Verifying, 0, 400'000'000, 0, kStart + milliseconds(2000));
    line.Update(Pass::Verifying, 1, 400'000'000, 200'000'000, kStart + milliseconds(3000));
    EXPECT_EQ(line.Text(kStart + milliseconds(3000)),
              "verifying  50% | file 2 of 4 | 200.0 MB of 400.0 MB | 200.0 MB/s");
    // Back to writing: the rate counts from where writing took up again.
    line.Update(Pass::Writing, 2, 400'000'000, 200'000'000, kStart + milliseconds(3000));
    line.Update(Pass::Writing, 3, 400'000'000, 300'000'000, kStart + milliseconds(4000));
    EXPECT_EQ(line.Text(kStart + milliseconds(4000)),
              " 75% | file 4 of 4 | 300.0 MB of 400.0 MB | 100.0 MB/s");
}

TEST(ProgressLineTest, RedrawsAtMostTenTimesASecond) {
    ProgressLine line(1, kStart);
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
