#pragma once

#include <cstddef>

namespace veldrun {

// What the command line tool asks of the terminal.
class Terminal {
public:
    // True when standard error is a terminal, where a redrawn progress line makes sense.
    static bool ErrorIsTerminal();

    // The width of standard error's terminal in columns, asked afresh at each call so that a
    // resized window is followed; COLUMNS, then 80, when the terminal does not tell.
    static std::size_t ErrorColumns();
};

} // namespace veldrun
