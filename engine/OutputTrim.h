#pragma once

namespace veldrun {

// The output whose reserved space a signal may have to give back: a merge reserves the whole
// output's blocks ahead, and a process that a second signal ends at once would leave them
// allocated beyond the end of the file. While a merge writes a regular output it is armed here;
// a signal handler can then trim it without any lock or allocation.
class OutputTrim {
public:
    // Takes the descriptor of the output being written, with space reserved beyond its end;
    // the merge's thread arms it once the output is emptied and reserved, and disarms it before
    // closing the descriptor. Never throws.
    static void Arm(int fd);
    static void Disarm();

    // Async-signal-safe: cuts the armed output to its own size, which gives back the blocks
    // reserved beyond it. Returns false only when a trim was due and failed.
    static bool Now();
};

} // namespace veldrun
