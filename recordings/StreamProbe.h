#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include <boost/optional.hpp>

#include "engine/File.h"
#include "recordings/RecordedTime.h"

namespace veldrun {

// Reads a little at the start and at the end of a clip and tells whether it is an MPEG
// transport stream and, when it is, the span of its program clock reference (PCR) and the date
// its camera wrote into the video (RecordedDate). The clip is only read, never changed or
// locked. Holds no state: every function may be called from any
// thread, several at once.
class StreamProbe {
public:
    enum class Kind {
        // No run of sync bytes at a 188- or 192-byte stride at the start: any other file.
        NotStream,
        // Packets, but no PCR found at the start or none at the end.
        NoClock,
        // Packets with a first and a last PCR.
        Clock
    };

    // A PCR counts 27 MHz ticks as base * 300 + extension. The base is 33 bits wide, so PCR
    // values wrap to 0 at kClockWrap ticks (about 26.5 hours).
    static constexpr std::int64_t kClockRate = 27000000;
    static constexpr std::int64_t kClockWrap = (std::int64_t(1) << 33) * 300;
    // The most that is read at either end of a file.
    static constexpr std::size_t kReadLimit = 1 << 20;

    struct Result {
        Kind kind = Kind::NotStream;
        // 188, or 192 for packets with a 4-byte header each (AVCHD); 0 for NotStream.
        int packetSize = 0;
        // The PID whose PCRs were taken: the programme map's, or else the first PID seen with
        // one; -1 when there is none.
        int clockPid = -1;
        // The first PCR at the start and the last at the end, for Kind::Clock.
        std::int64_t firstClock = 0;
        std::int64_t lastClock = 0;
        // The file as it was when it was read (set by Read only).
        File::Stamp stamp;
        // When the recording began, from the camera's date message in the video (an MDPM
        // "user data unregistered" SEI) found within kReadLimit bytes of the start.
        boost::optional<RecordedTime> recorded;
    };

    // Takes a path; reads at most kReadLimit bytes at the start and at the end of the regular
    // file it names, less when the clock is found sooner and, at the start of a stream whose
    // programme map names H.264 video, the date too. Returns what they show, or nothing
    // when the file cannot be opened or read (missing, not a regular file, a read error, out
    // of memory for the buffers), with the reason's errno value in `*error` when it is given;
    // never blocks on a pipe. Never throws.
    static boost::optional<Result> Read(const std::string& path, int* error = nullptr);

    // Takes two PCR values; returns how many ticks `later` comes after `earlier`, counted
    // forward across the wrap: always in [0, kClockWrap).
    static std::int64_t ClockDistance(std::int64_t earlier, std::int64_t later);

    // Takes a result; returns the ticks from its first to its last PCR (across the wrap) for
    // Kind::Clock, and 0 for the other kinds.
    static std::int64_t Duration(const Result& result);
};

} // namespace veldrun
