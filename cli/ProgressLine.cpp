#include "cli/ProgressLine.h"

#include <cstdio>

#include "engine/Amount.h"

namespace veldrun {

ProgressLine::ProgressLine(std::size_t fileCount, Clock::time_point start)
    : m_fileCount(fileCount), m_passStart(start) {}

void ProgressLine::Update(Pass pass, std::int32_t fileIndex, std::int64_t totalSize,
                          std::int64_t totalDone, Clock::time_point now) {
    if (pass != m_pass) {
        m_pass = pass;
        m_passStart = now;
        m_passStartDone = totalDone;
    }
    m_fileIndex = fileIndex;
    m_totalSize = totalSize;
    m_totalDone = totalDone;
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
    const std::int64_t percent = m_totalSize > 0 ? m_totalDone * 100 / m_totalSize : 100;
    const double seconds = std::chrono::duration<double>(now - m_passStart).count();
    const double rate =
        seconds > 0 ? static_cast<double>(m_totalDone - m_passStartDone) / 1e6 / seconds : 0;

    char text[180];
    std::snprintf(text, sizeof text, "%s%3d%% | file %d of %zu | %s of %s | %.1f MB/s",
                  m_pass == Pass::Verifying ? "verifying " : "", static_cast<int>(percent),
                  static_cast<int>(m_fileIndex) + 1, m_fileCount,
                  Amount::Size(m_totalDone, Amount::Style::Rounded).c_str(),
                  Amount::Size(m_totalSize, Amount::Style::Rounded).c_str(), rate);
    return text;
}

} // namespace veldrun
