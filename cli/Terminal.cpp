#include "cli/Terminal.h"

#include <cstdlib>
#include <sys/ioctl.h>
#include <unistd.h>

namespace veldrun {

bool Terminal::ErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

std::size_t Terminal::ErrorColumns() {
    winsize size{};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    // A serial line or a fresh pseudo terminal may report 0.
    if (const char* columns = std::getenv("COLUMNS")) {
        const long value = std::strtol(columns, nullptr, 10);
        if (value > 0 && value < 10000)
            return static_cast<std::size_t>(value);
    }
    return 80;
}

} // namespace veldrun
