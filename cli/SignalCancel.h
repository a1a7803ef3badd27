#pragma once

namespace veldrun {

// Turns SIGINT, SIGTERM and SIGHUP into a cancel request that the merge polls between blocks;
// the cancelled merge gives back the space it reserved, as any failure does. A second signal
// is a user who will not wait: it gives that space back at once and ends the process with
// status 128 plus the signal's number (130 for SIGINT).
class SignalCancel {
public:
    // Installs the handlers.
    static void Install();

    // True once one of the signals arrived.
    static bool Requested();
};

} // namespace veldrun
