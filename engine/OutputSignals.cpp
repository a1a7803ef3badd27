#include "engine/OutputSignals.h"

#include <signal.h>

namespace veldrun {

void IgnoreOutputSignals() {
    struct sigaction action = {};
    action.sa_handler = SIG_IGN;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGPIPE, &action, nullptr);
    ::sigaction(SIGXFSZ, &action, nullptr);
}

} // namespace veldrun
