#include "cli/SignalCancel.h"

#include <atomic>
#include <initializer_list>
#include <signal.h>
#include <unistd.h>

#include "engine/OutputTrim.h"

namespace veldrun {

namespace {

// Only a lock-free atomic may be touched from a signal handler.
static_assert(std::atomic<bool>::is_always_lock_free, "cancel flag must be lock-free");
std::atomic<bool> g_requested{false};

// Async-signal-safe throughout: an atomic, ftruncate and fstat inside OutputTrim, _exit.
void OnSignal(int signal) {
    if (g_requested.exchange(true)) {
        OutputTrim::Now();
        ::_exit(128 + signal);
    }
}

} // namespace

void SignalCancel::Install() {
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    // SA_RESTART: should the signal land on the worker, a blocking call there (a write into a
    // full pipe) goes on instead of failing as a file error.
    action.sa_flags = SA_RESTART;
    // sigaction fails only for an invalid signal or a caught SIGKILL/SIGSTOP; none is asked.
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

bool SignalCancel::Requested() {
    return g_requested.load();
}

} // namespace veldrun
