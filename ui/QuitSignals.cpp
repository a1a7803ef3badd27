#include "ui/QuitSignals.h"

#include <atomic>
#include <fcntl.h>
#include <initializer_list>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>

#include "engine/OutputTrim.h"

namespace {

// Only what is async-signal-safe: lock-free atomics, write, ftruncate (in OutputTrim), _exit.
static_assert(std::atomic<int>::is_always_lock_free, "the pipe must be lock-free");
std::atomic<int> g_pipe{-1};
std::atomic<bool> g_arrived{false};

void OnSignal(int signal) {
    if (g_arrived.exchange(true)) {
        veldrun::OutputTrim::Now();
        ::_exit(128 + signal);
    }
    const char byte = 1;
    const int fd = g_pipe.load();
    if (fd >= 0)
        static_cast<void>(::write(fd, &byte, 1));
}

void Handle(void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

} // namespace

QuitSignals::QuitSignals(std::function<void()> quit) : m_quit(std::move(quit)) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char byte;
        while (::read(m_notifier->socket(), &byte, 1) > 0) {
        }
        m_quit();
    });
    g_arrived.store(false);
    g_pipe.store(ends[1]);
    Handle(OnSignal);
}

QuitSignals::~QuitSignals() {
    if (!m_notifier)
        return;
    Handle(SIG_DFL);
    ::close(g_pipe.exchange(-1));
    ::close(static_cast<int>(m_notifier->socket()));
}
