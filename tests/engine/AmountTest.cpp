#include "engine/Amount.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace veldrun {
namespace {

TEST(Amount, SizesInBothStylesAtTheUnitBoundaries) {
    struct Case {
        std::int64_t bytes;
        const char* truncated;
        const char* rounded;
    };
    const std::vector<Case> cases = {
        {0, "0.0 BYTES", "0 B"},
        {999, "999.0 BYTES", "999 B"},
        {1000, "1000.0 BYTES", "1.0 kB"},
        {999'999, "999999.0 BYTES", "1.0 MB"},
        {1'000'000, "1.0 MB", "1.0 MB"},
        {1'234'567, "1.2 MB", "1.2 MB"},
        {999'999'999, "999.9 MB", "1.00 GB"},
        {1'000'000'000, "1.0 GB", "1.00 GB"},
        {1'999'999'999, "1.9 GB", "2.00 GB"},
        {5'368'709'120, "5.3 GB", "5.37 GB"},
        {2'500'000'000'000, "2500.0 GB", "2.50 TB"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.truncated, Amount::Size(c.bytes, Amount::Style::Truncated)) << c.bytes;
        EXPECT_EQ(c.rounded, Amount::Size(c.bytes, Amount::Style::Rounded)) << c.bytes;
    }
}

TEST(Amount, RoundedSizesTakeTheUnitOfTheRoundedFigure) {
    EXPECT_EQ("812.3 MB", Amount::Size(812'300'000, Amount::Style::Rounded));
    EXPECT_EQ("1.07 GB", Amount::Size(1'070'000'000, Amount::Style::Rounded));
    EXPECT_EQ("8.59 GB", Amount::Size(8'589'934'592, Amount::Style::Rounded));
    // Never "1000.0 kB" and the like: rounding up crosses into the next unit.
    EXPECT_EQ("999.9 kB", Amount::Size(999'949, Amount::Style::Rounded));
    EXPECT_EQ("1.0 MB", Amount::Size(999'960, Amount::Style::Rounded));
    EXPECT_EQ("999.9 MB", Amount::Size(999'949'999, Amount::Style::Rounded));
    EXPECT_EQ("1.00 GB", Amount::Size(999'960'000, Amount::Style::Rounded));
    EXPECT_EQ("1.00 TB", Amount::Size(999'996'000'000, Amount::Style::Rounded));
    EXPECT_EQ("1.00 PB", Amount::Size(999'996'000'000'000, Amount::Style::Rounded));
}

TEST(Amount, RatesAndTimesLeftTruncateAndRoundUpAtTheirSteps) {
    EXPECT_EQ("210 MB/s", Amount::Rate(210.7e6));
    EXPECT_EQ("10 MB/s", Amount::Rate(10e6));
    EXPECT_EQ("9.9 MB/s", Amount::Rate(9.96e6));
    EXPECT_EQ("0.5 MB/s", Amount::Rate(0.59e6));
    EXPECT_EQ("99 kB/s", Amount::Rate(99.9e3));
    EXPECT_EQ("12 kB/s", Amount::Rate(12e3));

    EXPECT_EQ("about 1 s left", Amount::TimeLeft(0.01));
    EXPECT_EQ("about 20 s left", Amount::TimeLeft(19.2));
    EXPECT_EQ("about 89 s left", Amount::TimeLeft(89));
    EXPECT_EQ("about 2 min left", Amount::TimeLeft(89.5));
    EXPECT_EQ("about 2 min left", Amount::TimeLeft(90));
    EXPECT_EQ("about 3 min left", Amount::TimeLeft(121));
    EXPECT_EQ("about 90 min left", Amount::TimeLeft(5399));
    EXPECT_EQ("about 1 h 30 min left", Amount::TimeLeft(5400));
    EXPECT_EQ("about 2 h 5 min left", Amount::TimeLeft(7441));
}

} // namespace
} // namespace veldrun
