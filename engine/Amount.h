#pragma once

#include <cstdint>
#include <string>

namespace veldrun {

// The texts of amounts of data and time, in decimal units, for every window and line that
// shows them. ASCII only, so that callers may widen them character by character.
class Amount {
public:
    enum class Style {
        // The dialogs': bytes below 1,000,000, then MB, then GB, with the tenths of the unit
        // truncated so that the text never shows more than the file holds: "999999.0 BYTES",
        // "2.1 MB", "6.4 GB".
        Truncated,
        // The command line's and the engine's messages: rounded, the unit chosen after
        // rounding: "812 B", "812.3 kB", "812.3 MB", "1.07 GB", "2.50 TB".
        Rounded
    };

    // Takes a byte count and a style; returns its text. Throws only std::bad_alloc.
    static std::string Size(std::int64_t bytes, Style style);

    // Takes a speed; returns it in decimal megabytes per second, without the tenths from
    // 10 MB/s on ("0.5 MB/s", "210 MB/s"), in kilobytes below 0.1 MB/s ("12 kB/s"); truncated.
    // Throws only std::bad_alloc.
    static std::string Rate(double bytesPerSecond);

    // Takes a time still to wait; returns it rounded up: "about 20 s left", then whole minutes
    // from 90 s on ("about 3 min left"), then hours and minutes from 90 min on
    // ("about 2 h 5 min left"). Throws only std::bad_alloc.
    static std::string TimeLeft(double seconds);
};

} // namespace veldrun
