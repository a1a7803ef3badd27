#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace veldrun {

// The text of the one-line progress display and when to redraw it. Pure: the caller passes
// the clock readings and the terminal's width, so tests can step time by hand.
class ProgressLine {
public:
    using Clock = std::chrono::steady_clock;

    // The pass a progress call comes from: copying the inputs, or reading the output back.
    enum class Pass { Writing, Verifying };

    // Takes the inputs of the merge, as given, and the time it started (the rate's origin).
    ProgressLine(const std::vector<std::string>& inputs, Clock::time_point start);

    // Takes the figures of one progress call of `pass` at `now` and keeps them for Text. A
    // change of pass restarts the rate, so that it shows the speed of the pass under way.
    void Update(Pass pass, std::int32_t fileIndex, std::int64_t totalSize, std::int64_t totalDone,
                Clock::time_point now);

    // True once Update was called: before that there is nothing worth drawing.
    bool HasFigures() const { return m_fileIndex >= 0; }

    // Returns true when a redraw at `now` is due, the first time or once the interval has
    // passed since the last one that was due, and counts it as drawn.
    bool Due(Clock::time_point now);

    // Returns the line for `now`: "verifying" while verifying, percent, file i of n, the
    // file's name, bytes done of total, the mean rate since the pass began and, once the pass
    // has run a second and until it ends, the time left at that rate. Takes at most `columns`
    // terminal columns: the name is cut first (its start, keeping the end that tells clips
    // apart), then left out; then the rate, the time left and the amounts, each whole, so
    // that no number is shown cut short. Throws only std::bad_alloc.
    std::string Text(Clock::time_point now, std::size_t columns = kUnlimited) const;

    // Redraws closer together than this only cost time: about ten a second.
    static constexpr Clock::duration kInterval = std::chrono::milliseconds(100);
    static constexpr std::size_t kUnlimited = static_cast<std::size_t>(-1);

private:
    // The names as the line shows them: the last part of each path, quoted when it holds
    // control characters.
    std::vector<std::string> m_names;
    Pass m_pass = Pass::Writing;
    // Where the rate counts from: when the pass began, and the bytes done by then.
    Clock::time_point m_passStart;
    std::int64_t m_passStartDone = 0;
    Clock::time_point m_lastDrawn;
    bool m_drawn = false;
    std::int32_t m_fileIndex = -1;
    std::int64_t m_totalSize = 0;
    std::int64_t m_totalDone = 0;
};

} // namespace veldrun
