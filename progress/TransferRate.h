#pragma once

#include <cstdint>
#include <deque>

// The speed of a transfer over its last seconds, from samples of the bytes done so far, and
// the time it still needs at that speed.
class TransferRate {
public:
    // Speeds are taken over the last `windowSeconds`, and only once the samples span at
    // least `minimumSeconds`.
    explicit TransferRate(double windowSeconds = 5.0, double minimumSeconds = 1.0);

    // Notes that `done` bytes were done at `seconds`, counted from any fixed start.
    void Add(double seconds, std::int64_t done);
    // Bytes per second over the window; 0 while there is no sensible figure.
    double BytesPerSecond() const;
    // Seconds until `total` bytes are done at that speed; -1 while there is no sensible figure.
    double SecondsLeft(std::int64_t total) const;

private:
    struct Sample {
        double seconds;
        std::int64_t done;
    };

    double m_window;
    double m_minimum;
    std::deque<Sample> m_samples;
};
