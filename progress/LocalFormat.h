#pragma once

#include <cstdint>
#include <string>

#include <QLocale>
#include <QString>

#include "recordings/RecordedTime.h"

// The dialog's texts of sizes, rates, times, durations and dates in the user's locale: its
// decimal separator, digit grouping, digits and date order. Sizes are decimal and truncated, so
// that a text never shows more than a file holds; the unit words and phrases are translated
// (context "LocalFormat"). The command line keeps engine/Amount's fixed texts, which scripts read.
class LocalFormat {
public:
    // Writes for `locale`; by default the application's, which is the system's unless a test
    // or a command-line option chose another.
    explicit LocalFormat(const QLocale& locale = QLocale());

    // A size in the list, the summary and the boxes: "999 B", "999.9 kB", "580.0 MB",
    // "1.2 GB"; the whole part grouped as the locale groups ("1,234.5 GB", "1.234,5 GB").
    std::wstring Size(std::int64_t bytes) const;

    // A size in an error's detail, with the figures the command line prints for it: rounded,
    // two decimals from a gigabyte on, the unit chosen after rounding ("812 B", "812.3 kB",
    // "1.07 GB", "2.50 TB"), the point the locale's.
    std::wstring RoundedSize(std::int64_t bytes) const;

    // The File Size field's size: bytes below 1,000,000, then MB, then GB, beside the whole
    // part the digit of the next smaller step: "999999.0 BYTES", "1.9 MB", "5.3 GB". Only the
    // point follows the locale; the whole part is not grouped, keeping the field's plain
    // "%d.%d" shape and its text short.
    std::wstring FileSize(std::int64_t bytes) const;

    // A speed, truncated: "0.5 MB/s", without the tenths from 10 MB/s on ("398 MB/s"), in
    // kilobytes below 0.1 MB/s ("12 kB/s").
    std::wstring Rate(double bytesPerSecond) const;

    // A time still to wait, rounded up: "about 20 s left", whole minutes from 90 s on ("about
    // 3 min left"), hours and minutes from 90 min on ("about 2 h 5 min left").
    std::wstring TimeLeft(double seconds) const;

    // A playing time in ticks of the streams' clock, to the nearest second: "1:23:58",
    // with the separator of the locale's times ("1.23.58" in Finnish).
    std::wstring Duration(std::int64_t ticks) const;

    // A date and time in the locale's order, to the minute or, with `seconds`, to the second,
    // the year in full: "14.07.2024 10:15" in German, "7/14/2024 10:15 AM" in American
    // English, and ISO's "2024-07-14 10:15" in the C locale, which has no order of its own.
    // A time that is no date (a camera's clock gone wrong) is shown as ISO's digits.
    std::wstring DateTime(const veldrun::RecordedTime& time, bool seconds) const;

private:
    // `value` with `decimals` digits after a point, rounded as the command line's printf rounds
    // (to the nearest, a tie to the even digit) whatever the C library's locale.
    static std::string Fixed(double value, int decimals);
    // ASCII `digits` in the locale's digits, without grouping.
    QString LocalDigits(const std::string& digits) const;
    // `whole` in the locale's digits and grouping, its separator and `digit`.
    QString Decimal(std::int64_t whole, std::int64_t digit) const;
    // A size of a megabyte or more in MB or GB, as both kinds of size write it; else "".
    QString Large(std::int64_t bytes) const;
    // Two digits, with the locale's zero in front of one below 10.
    QString TwoDigits(int value) const;
    QString TimeFormat(bool seconds) const;

    QLocale m_locale;
};
