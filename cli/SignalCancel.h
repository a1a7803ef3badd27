#pragma once

namespace veldrun {

// Turns SIGINT and SIGTERM into a cancel request that the merge polls between blocks.
class SignalCancel {
public:
    // Installs the handlers. Each fires once: a second signal ends the process at once.
    static void Install();

    // True once SIGINT or SIGTERM arrived.
    static bool Requested();
};

} // namespace veldrun
