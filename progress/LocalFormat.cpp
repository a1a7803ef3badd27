#include "progress/LocalFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include <QDate>
#include <QTime>

#include "recordings/StreamProbe.h"
#include "res/Tr.h"

namespace {

QString Q(const std::wstring& text) {
    return QString::fromStdWString(text);
}

bool IsC(const QLocale& locale) {
    return locale.language() == QLocale::C;
}

// The character between hours and minutes in the locale's times, ':' when it has none.
QChar TimeSeparator(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::ShortFormat);
    const int minutes = format.indexOf("mm");
    if (minutes <= 0 || format[minutes - 1].isLetter() || format[minutes - 1] == '\'')
        return ':';
    return format[minutes - 1];
}

} // namespace

LocalFormat::LocalFormat(const QLocale& locale) : m_locale(locale) {}

QString LocalFormat::Decimal(std::int64_t whole, std::int64_t digit) const {
    return m_locale.toString(static_cast<qlonglong>(whole)) + m_locale.decimalPoint() +
           m_locale.toString(static_cast<qlonglong>(digit));
}

QString LocalFormat::Large(std::int64_t bytes) const {
    const std::int64_t kilo = bytes / 1000;
    const std::int64_t mega = kilo / 1000;
    const std::int64_t giga = mega / 1000;
    //: Sizes are decimal: 1 GB is 1,000,000,000 bytes. %1 is the number, with its decimals.
    if (giga > 0)
        return Q(res::Tr("LocalFormat", "%1 GB")).arg(Decimal(giga, mega % 1000 / 100));
    if (mega > 0)
        return Q(res::Tr("LocalFormat", "%1 MB")).arg(Decimal(mega, kilo % 1000 / 100));
    return QString();
}

std::wstring LocalFormat::Size(std::int64_t bytes) const {
    const QString large = Large(bytes);
    if (!large.isEmpty())
        return large.toStdWString();
    if (bytes >= 1000)
        return Q(res::Tr("LocalFormat", "%1 kB"))
            .arg(Decimal(bytes / 1000, bytes % 1000 / 100))
            .toStdWString();
    //: A size below 1,000 bytes; %1 is the number of bytes.
    return Q(res::Tr("LocalFormat", "%1 B"))
        .arg(m_locale.toString(static_cast<qlonglong>(bytes)))
        .toStdWString();
}

std::string LocalFormat::Fixed(double value, int decimals) {
    char text[64];
    const std::to_chars_result end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return std::string(text, end.ptr);
}

QString LocalFormat::LocalDigits(const std::string& digits) const {
    QString local;
    for (char digit : digits)
        local += m_locale.toString(digit - '0');
    return local;
}

std::wstring LocalFormat::RoundedSize(std::int64_t bytes) const {
    if (bytes < 1000)
        return Q(res::Tr("LocalFormat", "%1 B"))
            .arg(m_locale.toString(static_cast<qlonglong>(bytes)))
            .toStdWString();
    // Steps of 1000: kB, MB, GB, TB, PB; tenths below a gigabyte, hundredths from it on. The
    // unit is chosen after rounding: 999,960 bytes is "1.0 MB", not "1000.0 kB".
    int step = 1;
    std::string digits;
    for (;; ++step) {
        digits = Fixed(static_cast<double>(bytes) / std::pow(1000.0, step), step < 3 ? 1 : 2);
        if (step == 5 || std::stoll(digits) < 1000)
            break;
    }
    const std::size_t point = digits.find('.');
    const QString number = m_locale.toString(std::stoll(digits)) + m_locale.decimalPoint() +
                           LocalDigits(digits.substr(point + 1));
    switch (step) {
    case 1:
        return Q(res::Tr("LocalFormat", "%1 kB")).arg(number).toStdWString();
    case 2:
        return Q(res::Tr("LocalFormat", "%1 MB")).arg(number).toStdWString();
    case 3:
        return Q(res::Tr("LocalFormat", "%1 GB")).arg(number).toStdWString();
    case 4:
        //: Sizes are decimal: 1 TB is 1,000,000,000,000 bytes.
        return Q(res::Tr("LocalFormat", "%1 TB")).arg(number).toStdWString();
    default:
        break;
    }
    //: Sizes are decimal: 1 PB is 1,000,000,000,000,000 bytes.
    return Q(res::Tr("LocalFormat", "%1 PB")).arg(number).toStdWString();
}

std::wstring LocalFormat::FileSize(std::int64_t bytes) const {
    LocalFormat plain(m_locale);
    plain.m_locale.setNumberOptions(m_locale.numberOptions() | QLocale::OmitGroupSeparator);
    const QString large = plain.Large(bytes);
    if (!large.isEmpty())
        return large.toStdWString();
    //: The File Size field's unit below 1,000,000 bytes; %1 is the number of bytes.
    return Q(res::Tr("LocalFormat", "%1 BYTES")).arg(plain.Decimal(bytes, 0)).toStdWString();
}

std::wstring LocalFormat::Rate(double bytesPerSecond) const {
    const double mega = bytesPerSecond / 1e6;
    //: A speed in decimal megabytes per second.
    const QString megaRate = Q(res::Tr("LocalFormat", "%1 MB/s"));
    if (mega >= 10.0)
        return megaRate.arg(m_locale.toString(static_cast<qlonglong>(mega))).toStdWString();
    if (mega >= 0.1)
        return megaRate
            .arg(Decimal(static_cast<std::int64_t>(mega), static_cast<int>(mega * 10) % 10))
            .toStdWString();
    return Q(res::Tr("LocalFormat", "%1 kB/s"))
        .arg(m_locale.toString(static_cast<qlonglong>(bytesPerSecond / 1e3)))
        .toStdWString();
}

std::wstring LocalFormat::TimeLeft(double seconds) const {
    const long long whole = static_cast<long long>(std::ceil(std::max(seconds, 1.0)));
    if (whole < 90)
        return Q(res::Tr("LocalFormat", "about %1 s left"))
            .arg(m_locale.toString(whole))
            .toStdWString();
    const long long minutes = (whole + 59) / 60;
    if (whole < 90 * 60)
        return Q(res::Tr("LocalFormat", "about %1 min left"))
            .arg(m_locale.toString(minutes))
            .toStdWString();
    return Q(res::Tr("LocalFormat", "about %1 h %2 min left"))
        .arg(m_locale.toString(minutes / 60), m_locale.toString(minutes % 60))
        .toStdWString();
}

QString LocalFormat::TwoDigits(int value) const {
    return (value < 10 ? m_locale.zeroDigit() : QString()) + m_locale.toString(value);
}

std::wstring LocalFormat::Duration(std::int64_t ticks) const {
    const std::int64_t rate = veldrun::StreamProbe::kClockRate;
    const std::int64_t seconds = (std::max<std::int64_t>(ticks, 0) + rate / 2) / rate;
    QLocale plain = m_locale;
    plain.setNumberOptions(m_locale.numberOptions() | QLocale::OmitGroupSeparator);
    const QChar separator = TimeSeparator(m_locale);
    return (plain.toString(static_cast<qlonglong>(seconds / 3600)) + separator +
            TwoDigits(static_cast<int>(seconds / 60 % 60)) + separator +
            TwoDigits(static_cast<int>(seconds % 60)))
        .toStdWString();
}

// Short formats shorten the year to two digits in some locales; a recording's year is shown in
// full, as a date decades old would otherwise be ambiguous.
std::wstring LocalFormat::DateTime(const veldrun::RecordedTime& time, bool seconds) const {
    const QDate date(time.year, time.month, time.day);
    const QTime clock(time.hour, time.minute, time.second);
    if (!date.isValid() || !clock.isValid()) {
        const std::string text = time.Text().substr(0, seconds ? std::string::npos : 16);
        return std::wstring(text.begin(), text.end());
    }
    QString dateFormat = IsC(m_locale) ? "yyyy-MM-dd" : m_locale.dateFormat(QLocale::ShortFormat);
    if (!dateFormat.contains("yyyy"))
        dateFormat.replace("yy", "yyyy");
    return (m_locale.toString(date, dateFormat) + ' ' +
            m_locale.toString(clock, TimeFormat(seconds)))
        .toStdWString();
}

QString LocalFormat::TimeFormat(bool seconds) const {
    if (IsC(m_locale))
        return seconds ? "HH:mm:ss" : "HH:mm";
    QString format = m_locale.timeFormat(QLocale::ShortFormat);
    const int minutes = format.indexOf("mm");
    if (seconds && !format.contains("ss") && minutes >= 0)
        format.insert(minutes + 2, TimeSeparator(m_locale) + QString("ss"));
    return format;
}
