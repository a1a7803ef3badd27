#include "cli/ProgressLine.h"

#include <gtest/gtest.h>

namespace veldrun {
namespace {

using std::chrono::milliseconds;
using Clock = ProgressLine::Clock;

const Clock::time_point kStart{std::chrono::seconds(1000)};

TEST(ProgressLineTest, TextShowsPercentFileBytesAndRate) {
    ProgressLine line(3, kStart);
    EXPECT_FALSE(line.HasFigures());
    line.Update(1, 1'070'000'000, 535'000'000);
    EXPECT_TRUE(line.HasFigures());
    EXPECT_EQ(line.Text(kStart + milliseconds(5000)),
              " 50% | file 2 of 3 | 535.0 MB of 1.07 GB | 107.0 MB/s");
}

TEST(ProgressLineTest, EdgeFiguresGiveSaneText) {
    ProgressLine line(1, kStart);
    const auto later = kStart + milliseconds(1000);
    line.Update(0, 8'000'000'000, 7'999'999'999);
    EXPECT_EQ(line.Text(later).substr(0, 4), " 99%");
    line.Update(0, 8'000'000'000, 8'000'000'000);
    EXPECT_EQ(line.Text(later).substr(0, 4), "100%");
    // Empty inputs: nothing to wait for, and no division by zero.
    line.Update(0, 0, 0);
    EXPECT_EQ(line.Text(later), "100% | file 1 of 1 | 0 B of 0 B | 0.0 MB/s");
    // No time passed yet: no rate to divide out.
    line.Update(0, 2'000'000, 1'000'000);
    EXPECT_EQ(line.Text(kStart), " 50% | file 1 of 1 | 1.0 MB of 2.0 MB | 0.0 MB/s");
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
