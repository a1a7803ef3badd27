#include "progress/TransferRate.h"

#include <algorithm>

TransferRate::TransferRate(double windowSeconds, double minimumSeconds)
    : m_window(windowSeconds), m_minimum(minimumSeconds) {}

void TransferRate::Add(double seconds, std::int64_t done) {
    m_samples.push_back({seconds, done});
    // One sample at or before the window's start stays, so that the window is always full.
    while (m_samples.size() > 2 && m_samples[1].seconds <= seconds - m_window)
        m_samples.pop_front();
}

double TransferRate::BytesPerSecond() const {
    if (m_samples.size() < 2)
        return 0;
    const Sample& first = m_samples.front();
    const Sample& last = m_samples.back();
    const double span = last.seconds - first.seconds;
    if (span < m_minimum || last.done <= first.done)
        return 0;
    return static_cast<double>(last.done - first.done) / span;
}

double TransferRate::SecondsLeft(std::int64_t total) const {
    const double speed = BytesPerSecond();
    if (speed <= 0 || m_samples.empty())
        return -1;
    return static_cast<double>(std::max<std::int64_t>(0, total - m_samples.back().done)) / speed;
}
