#include "ui/LocalFormat.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <string>

#include "engine/Amount.h"
#include "recordings/Recordings.h"
#include "recordings/StreamProbe.h"
#include "tests/ui/DefaultLocale.h"
#include "tests/ui/FakeTranslation.h"
#include "ui/ClipFacts.h"

namespace {

using veldrun::RecordedTime;
using veldrun::test::DefaultLocale;
using veldrun::test::FakeTranslation;

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);

std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

std::int64_t Ticks(double seconds) {
    return static_cast<std::int64_t>(seconds * veldrun::StreamProbe::kClockRate);
}

// A size, and its text in English and German; digits are never rounded up.
struct SizeCase {
    std::int64_t bytes;
    const wchar_t* english;
    const wchar_t* german;
};

} // namespace

TEST(LocalFormat, SizesAreTruncatedAtEachUnitsEdgeWithTheLocalesSeparators) {
    const SizeCase cases[] = {
        {0, L"0 B", L"0 B"},
        {999, L"999 B", L"999 B"},
        {1000, L"1.0 kB", L"1,0 kB"},
        {999'999, L"999.9 kB", L"999,9 kB"},
        {1'000'000, L"1.0 MB", L"1,0 MB"},
        {999'999'999, L"999.9 MB", L"999,9 MB"},
        {1'999'999'999, L"1.9 GB", L"1,9 GB"},
        {4'294'967'296, L"4.2 GB", L"4,2 GB"},
        {5'368'709'120, L"5.3 GB", L"5,3 GB"},
        {15'199'999'999, L"15.1 GB", L"15,1 GB"},
        {1'234'567'890'123, L"1,234.5 GB", L"1.234,5 GB"},
    };
    for (const SizeCase& c : cases) {
        EXPECT_EQ(LocalFormat(kEnglish).Size(c.bytes), c.english) << c.bytes;
        EXPECT_EQ(LocalFormat(kGerman).Size(c.bytes), c.german) << c.bytes;
    }
}

TEST(LocalFormat, TheFileSizeFieldCountsBytesBelowAMillionAndGroupsNoDigits) {
    const SizeCase cases[] = {
        {0, L"0.0 BYTES", L"0,0 BYTES"},
        {999'999, L"999999.0 BYTES", L"999999,0 BYTES"},
        {1'000'000, L"1.0 MB", L"1,0 MB"},
        {1'099'999, L"1.0 MB", L"1,0 MB"},
        {999'999'999, L"999.9 MB", L"999,9 MB"},
        {1'000'000'000, L"1.0 GB", L"1,0 GB"},
        {1'999'999'999, L"1.9 GB", L"1,9 GB"},
        {5'368'709'120, L"5.3 GB", L"5,3 GB"},
        {1'234'567'890'123, L"1234.5 GB", L"1234,5 GB"},
        {std::numeric_limits<std::int64_t>::max(), L"9223372036.8 GB", L"9223372036,8 GB"},
    };
    for (const SizeCase& c : cases) {
        EXPECT_EQ(LocalFormat(kEnglish).FileSize(c.bytes), c.english) << c.bytes;
        EXPECT_EQ(LocalFormat(kGerman).FileSize(c.bytes), c.german) << c.bytes;
    }
}

// The command line's fixed texts and the dialog's in the C locale are the same texts, written
// twice: one of them going wrong shows here.
TEST(LocalFormat, InTheCLocaleTheDialogWritesWhatTheCommandLineWrites) {
    const LocalFormat c(QLocale::c());
    using veldrun::Amount;
    for (std::int64_t bytes = 0; bytes < 4'000'000'000'000; bytes = bytes * 7 + 99'991) {
        EXPECT_EQ(c.FileSize(bytes), Wide(Amount::Size(bytes, Amount::Style::Truncated))) << bytes;
    }
    for (double rate : {0.0, 99'999.0, 100'000.0, 9'999'999.0, 10'000'000.0, 398.7e6, 2.5e9})
        EXPECT_EQ(c.Rate(rate), Wide(Amount::Rate(rate))) << rate;
    for (double left : {0.0, 0.2, 5.2, 89.0, 89.5, 90.0, 5399.0, 5400.0, 7501.0, 86400.0 * 3})
        EXPECT_EQ(c.TimeLeft(left), Wide(Amount::TimeLeft(left))) << left;
    for (double seconds : {0.0, 59.4, 59.5, 3599.5, 5038.0, 360000.0})
        EXPECT_EQ(c.Duration(Ticks(seconds)),
                  Wide(veldrun::Recordings::FormatDuration(Ticks(seconds))))
            << seconds;
}

TEST(LocalFormat, RatesAndTimesLeftUseTheLocalesDigits) {
    EXPECT_EQ(LocalFormat(kEnglish).Rate(398.7e6), L"398 MB/s");
    EXPECT_EQ(LocalFormat(kEnglish).Rate(9.99e6), L"9.9 MB/s");
    EXPECT_EQ(LocalFormat(kGerman).Rate(9.99e6), L"9,9 MB/s");
    EXPECT_EQ(LocalFormat(kGerman).Rate(0.5e6), L"0,5 MB/s");
    EXPECT_EQ(LocalFormat(kGerman).Rate(99'999), L"99 kB/s");
    EXPECT_EQ(LocalFormat(kEnglish).Rate(1234.5e6), L"1,234 MB/s");
    EXPECT_EQ(LocalFormat(kGerman).Rate(1234.5e6), L"1.234 MB/s");

    EXPECT_EQ(LocalFormat(kGerman).TimeLeft(5.2), L"about 6 s left");
    EXPECT_EQ(LocalFormat(kGerman).TimeLeft(89.5), L"about 2 min left");
    EXPECT_EQ(LocalFormat(kGerman).TimeLeft(5400), L"about 1 h 30 min left");
    EXPECT_EQ(LocalFormat(kEnglish).TimeLeft(1234.0 * 3600), L"about 1,234 h 0 min left");
    EXPECT_EQ(LocalFormat(kGerman).TimeLeft(1234.0 * 3600), L"about 1.234 h 0 min left");
}

TEST(LocalFormat, DatesFollowTheLocalesOrderWithTheYearInFull) {
    const RecordedTime morning{2024, 7, 14, 10, 15, 2};
    const RecordedTime evening{2003, 1, 2, 23, 5, 9};
    EXPECT_EQ(LocalFormat(kEnglish).DateTime(morning, false), L"7/14/2024 10:15 AM");
    EXPECT_EQ(LocalFormat(kEnglish).DateTime(morning, true), L"7/14/2024 10:15:02 AM");
    EXPECT_EQ(LocalFormat(kEnglish).DateTime(evening, false), L"1/2/2003 11:05 PM");
    EXPECT_EQ(LocalFormat(kGerman).DateTime(morning, false), L"14.07.2024 10:15");
    EXPECT_EQ(LocalFormat(kGerman).DateTime(evening, true), L"02.01.2003 23:05:09");
    EXPECT_EQ(LocalFormat(QLocale::c()).DateTime(morning, false), L"2024-07-14 10:15");
    EXPECT_EQ(LocalFormat(QLocale::c()).DateTime(morning, true), L"2024-07-14 10:15:02");
    EXPECT_EQ(LocalFormat(QLocale(QLocale::Japanese)).DateTime(morning, true),
              L"2024/07/14 10:15:02");
    // Finnish writes times with a point, durations too.
    const QLocale finnish(QLocale::Finnish, QLocale::Finland);
    EXPECT_EQ(LocalFormat(finnish).DateTime(evening, true), L"2.1.2003 23.05.09");
    EXPECT_EQ(LocalFormat(finnish).Duration(Ticks(5038)), L"1.23.58");
    EXPECT_EQ(LocalFormat(kGerman).Duration(Ticks(5038)), L"1:23:58");

    // A camera's clock gone wrong still shows what it said.
    EXPECT_EQ(LocalFormat(kGerman).DateTime({2024, 2, 30, 10, 15, 2}, false), L"2024-02-30 10:15");
    EXPECT_EQ(LocalFormat(kEnglish).DateTime({2024, 7, 14, 24, 0, 0}, true),
              L"2024-07-14 24:00:00");
}

TEST(LocalFormat, UnitWordsAndPhrasesComeFromTheTranslation) {
    const FakeTranslation french({{"%1 GB", "%1 Go"},
                                  {"%1 BYTES", "%1 OCTETS"},
                                  {"%1 MB/s", "%1 Mo/s"},
                                  {"about %1 h %2 min left", "environ %2 min et %1 h restantes"}});
    const LocalFormat format(QLocale(QLocale::French, QLocale::France));
    EXPECT_EQ(format.Size(15'199'999'999), L"15,1 Go");
    EXPECT_EQ(format.FileSize(999'999), L"999999,0 OCTETS");
    EXPECT_EQ(format.Rate(2.5e6), L"2,5 Mo/s");
    EXPECT_EQ(format.TimeLeft(7501), L"environ 6 min et 2 h restantes")
        << "the translation may put the placeholders in another order";
    EXPECT_EQ(format.Size(999), L"999 B") << "an untranslated unit stays English";
}

// The summary's words are the translation's; its numbers follow the locale.
TEST(LocalFormat, TheSummaryAndTheListColumnsWriteTheLocalesNumbers) {
    const DefaultLocale german(kGerman);
    veldrun::Recordings::Summary recordings;
    recordings.recordings = 3;
    recordings.duration = Ticks(5038);
    EXPECT_EQ(ClipFacts::SummaryText(9, 15'199'999'999, {}, recordings),
              L"9 clips, 3 recordings, 1:23:58, 15,1 GB");
    EXPECT_EQ(ClipFacts::SummaryText(2, 44'850, {}), L"2 clips, 44,8 kB in all");

    ClipFacts facts;
    veldrun::StreamProbe::Result probe;
    probe.kind = veldrun::StreamProbe::Kind::Clock;
    probe.firstClock = 0;
    probe.lastClock = Ticks(65);
    probe.stamp.size = 2'147'475'456;
    probe.recorded = RecordedTime{2024, 7, 14, 10, 15, 2};
    facts.Take(L"/c/00001.MTS", probe);
    const ClipFacts::Row row = facts.Rows({L"/c/00001.MTS"}).front();
    EXPECT_EQ(row.recorded, L"14.07.2024 10:15");
    EXPECT_EQ(row.recordedTip, L"14.07.2024 10:15:02");
    EXPECT_EQ(row.length, L"0:01:05");
    EXPECT_EQ(row.size, L"2,1 GB");
}
