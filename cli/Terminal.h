#pragma once

namespace veldrun {

// What the command line tool asks of the terminal.
class Terminal {
public:
    // True when standard error is a terminal, where a redrawn progress line makes sense.
    static bool ErrorIsTerminal();
};

} // namespace veldrun
