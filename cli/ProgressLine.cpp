#include "cli/ProgressLine.h"

#include <cstdio>

namespace veldrun {

namespace {

std::string Printed(const char* format, double value, const char* unit) {
    char text[64];
    std::snprintf(text, sizeof text, format, value, unit);
    return text;
}

} // namespace

ProgressLine::ProgressLine(std::size_t fileCount, Clock::time_point start)
    : m_fileCount(fileCount), m_start(start) {}

void ProgressLine::Update(std::int32_t fileIndex, std::int64_t totalSize,
                          std::int64_t totalWritten) {
    m_fileIndex = fileIndex;
    m_totalSize = totalSize;
    m_totalWritten = totalWritten;
}

bool ProgressLine::Due(Clock::time_point now) {
    if (m_drawn && now - m_lastDrawn < kInterval)
        return false;
    m_drawn = true;
    m_lastDrawn = now;
    return true;
}

std::string ProgressLine::Text(Clock::time_point now) const {
    // An empty merge is complete from the start; integer division keeps 100% for the end.
    const std::int64_t percent = m_totalSize > 0 ? m_totalWritten * 100 / m_totalSize : 100;
    const double seconds = std::chrono::duration<double>(now - m_start).count();
    const double rate = seconds > 0 ? static_cast<double>(m_totalWritten) / 1e6 / seconds : 0;

    char text[160];
    std::snprintf(text, sizeof text, "%3d%% | file %d of %zu | %s of %s | %.1f MB/s",
                  static_cast<int>(percent), static_cast<int>(m_fileIndex) + 1, m_fileCount,
                  Bytes(m_totalWritten).c_str(), Bytes(m_totalSize).c_str(), rate);
    return text;
}

std::string ProgressLine::Bytes(std::int64_t bytes) {
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
