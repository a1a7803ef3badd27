#include "cli/Terminal.h"

#include <unistd.h>

namespace veldrun {

bool Terminal::ErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

} // namespace veldrun
