#include "progress/SizeFormat.h"

#include <algorithm>
#include <cmath>

CString SizeFormat::Size(std::int64_t size) {
    const std::int64_t kilo = size / 1000;
    const std::int64_t mega = kilo / 1000;
    const std::int64_t giga = mega / 1000;
    // One digit after the point: the tenths of the unit, truncated, so that the text never
    // shows more than the file holds.
    CString text;
    if (giga > 0)
        text.Format(L"%d.%d GB", static_cast<int>(giga), static_cast<int>(mega % 1000 / 100));
    else if (mega > 0)
        text.Format(L"%d.%d MB", static_cast<int>(mega), static_cast<int>(kilo % 1000 / 100));
    else
        text.Format(L"%d.%d BYTES", static_cast<int>(size), 0);
    return text;
}

CString SizeFormat::Rate(double bytesPerSecond) {
    const double mega = bytesPerSecond / 1e6;
    CString text;
    if (mega >= 10.0)
        text.Format(L"%d MB/s", static_cast<int>(mega));
    else if (mega >= 0.1)
        text.Format(L"%d.%d MB/s", static_cast<int>(mega), static_cast<int>(mega * 10) % 10);
    else
        text.Format(L"%d kB/s", static_cast<int>(bytesPerSecond / 1e3));
    return text;
}

CString SizeFormat::TimeLeft(double seconds) {
    const long long whole = static_cast<long long>(std::ceil(std::max(seconds, 1.0)));
    CString text;
    if (whole < 90) {
        text.Format(L"about %d s left", static_cast<int>(whole));
    } else if (whole < 90 * 60) {
        text.Format(L"about %d min left", static_cast<int>((whole + 59) / 60));
    } else {
        const long long minutes = (whole + 59) / 60;
        text.Format(L"about %d h %d min left", static_cast<int>(minutes / 60),
                    static_cast<int>(minutes % 60));
    }
    return text;
}
