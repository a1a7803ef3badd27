#pragma once

#include <cstdint>

#include "platform/CString.h"

// The texts of amounts of data, in decimal units, shared by the main and the progress dialog.
class SizeFormat {
public:
    // Bytes below 1,000,000, then decimal megabytes, then gigabytes, with the tenths of the
    // unit, truncated: "999999.0 BYTES", "2.1 MB", "6.4 GB".
    static CString Size(std::int64_t size);
    // A speed in decimal megabytes per second, without the tenths from 10 MB/s on ("0.5 MB/s",
    // "210 MB/s"), in kilobytes below 0.1 MB/s ("12 kB/s"); truncated.
    static CString Rate(double bytesPerSecond);
    // A time still to wait, rounded up: "about 20 s left", then whole minutes from 90 s on
    // ("about 3 min left"), then hours and minutes from 90 min on ("about 2 h 5 min left").
    static CString TimeLeft(double seconds);
};
