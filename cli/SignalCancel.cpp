#include "cli/SignalCancel.h"

#include <atomic>
#include <signal.h>

namespace veldrun {

namespace {

// Only a lock-free atomic may be touched from a signal handler.
static_assert(std::atomic<bool>::is_always_lock_free, "cancel flag must be lock-free");
std::atomic<bool> g_requested{false};

void OnSignal(int) {
    g_requested.store(true);
}

// sigaction fails only for an invalid signal or a caught SIGKILL/SIGSTOP; none is asked here.
void Handle(int signal, void (*handler)(int), int flags) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = flags;
    ::sigaction(signal, &action, nullptr);
}

} // namespace

void SignalCancel::Install() {
    // SA_RESTART: should the signal land on the worker, a blocking call there (a write into a
    // full pipe) goes on instead of failing as a file error.
    const int flags = SA_RESTART | SA_RESETHAND;
    Handle(SIGINT, OnSignal, flags);
    Handle(SIGTERM, OnSignal, flags);
}

bool SignalCancel::Requested() {
    return g_requested.load();
}

} // namespace veldrun
