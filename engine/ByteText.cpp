#include "engine/ByteText.h"

#include <cstdio>

namespace veldrun {

namespace {

std::string Printed(const char* format, double value, const char* unit) {
    char text[64];
    std::snprintf(text, sizeof text, format, value, unit);
    return text;
}

} // namespace

std::string ByteText(std::int64_t bytes) {
    if (bytes < 1000)
        return std::to_string(bytes) + " B";
    struct Unit {
        double size;
        const char* format;
        const char* name;
    };
    static const Unit kUnits[] = {{1e3, "%.1f %s", "kB"},
                                  {1e6, "%.1f %s", "MB"},
                                  {1e9, "%.2f %s", "GB"},
                                  {1e12, "%.2f %s", "TB"}};
    const double value = static_cast<double>(bytes);
    // The unit is chosen after rounding: 999,960 bytes is "1.0 MB", not "1000.0 kB".
    for (const Unit& unit : kUnits) {
        const std::string text = Printed(unit.format, value / unit.size, unit.name);
        if (std::stod(text) < 1000)
            return text;
    }
    return Printed("%.2f %s", value / 1e15, "PB");
}

} // namespace veldrun
