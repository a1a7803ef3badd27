#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace veldrun {

// The text of the one-line progress display and when to redraw it. Pure: the caller passes
// the clock readings, so tests can step time by hand.
class ProgressLine {
public:
    using Clock = std::chrono::steady_clock;

    // Takes the number of inputs of the merge and the time it started (the rate's origin).
    ProgressLine(std::size_t fileCount, Clock::time_point start);

    // Takes the figures of one progress call and keeps them for Text.
    void Update(std::int32_t fileIndex, std::int64_t totalSize, std::int64_t totalWritten);

    // True once Update was called: before that there is nothing worth drawing.
    bool HasFigures() const { return m_fileIndex >= 0; }

    // Returns true when a redraw at `now` is due, the first time or once the interval has
    // passed since the last one that was due, and counts it as drawn.
    bool Due(Clock::time_point now);

    // Returns the line for `now`: percent, file i of n, bytes done of total and mean rate.
    std::string Text(Clock::time_point now) const;

    // Redraws closer together than this only cost time: about ten a second.
    static constexpr Clock::duration kInterval = std::chrono::milliseconds(100);

private:
    std::size_t m_fileCount;
    Clock::time_point m_start;
    Clock::time_point m_lastDrawn;
    bool m_drawn = false;
    std::int32_t m_fileIndex = -1;
    std::int64_t m_totalSize = 0;
    std::int64_t m_totalWritten = 0;
};

} // namespace veldrun
