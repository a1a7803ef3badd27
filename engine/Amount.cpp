#include "engine/Amount.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace veldrun {

namespace {

__attribute__((format(printf, 1, 2))) std::string Printed(const char* format, ...) {
    char text[64];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return text;
}

std::string Truncated(std::int64_t size) {
    const long long kilo = size / 1000;
    const long long mega = kilo / 1000;
    const long long giga = mega / 1000;
    if (giga > 0)
        return Printed("%lld.%lld GB", giga, mega % 1000 / 100);
    if (mega > 0)
        return Printed("%lld.%lld MB", mega, kilo % 1000 / 100);
    return Printed("%lld.0 BYTES", static_cast<long long>(size));
}

std::string Rounded(std::int64_t bytes) {
    if (bytes < 1000)
        return std::to_string(bytes) + " B";
    struct Unit {
        double size;
        const char* format;
    };
    static const Unit kUnits[] = {
        {1e3, "%.1f kB"}, {1e6, "%.1f MB"}, {1e9, "%.2f GB"}, {1e12, "%.2f TB"}};
    const double value = static_cast<double>(bytes);
    // The unit is chosen after rounding: 999,960 bytes is "1.0 MB", not "1000.0 kB".
    for (const Unit& unit : kUnits) {
        const std::string text = Printed(unit.format, value / unit.size);
        if (std::stod(text) < 1000)
            return text;
    }
    return Printed("%.2f PB", value / 1e15);
}

} // namespace

std::string Amount::Size(std::int64_t bytes, Style style) {
    return style == Style::Truncated ? Truncated(bytes) : Rounded(bytes);
}

std::string Amount::Rate(double bytesPerSecond) {
    const double mega = bytesPerSecond / 1e6;
    if (mega >= 10.0)
        return Printed("%d MB/s", static_cast<int>(mega));
    if (mega >= 0.1)
        return Printed("%d.%d MB/s", static_cast<int>(mega), static_cast<int>(mega * 10) % 10);
    return Printed("%d kB/s", static_cast<int>(bytesPerSecond / 1e3));
}

std::string Amount::TimeLeft(double seconds) {
    const long long whole = static_cast<long long>(std::ceil(std::max(seconds, 1.0)));
    if (whole < 90)
        return Printed("about %lld s left", whole);
    const long long minutes = (whole + 59) / 60;
    if (whole < 90 * 60)
        return Printed("about %lld min left", minutes);
    return Printed("about %lld h %lld min left", minutes / 60, minutes % 60);
}

} // namespace veldrun
