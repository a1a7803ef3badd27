#pragma once

#include <functional>

#include <QObject>

class QSocketNotifier;

// SIGTERM and SIGHUP (the session ending, the terminal closing) reach the user-interface thread
// as a call of `quit`, through a pipe that the handler writes to: nothing else may be done in a
// handler. A second signal will not wait for that: it gives back the space a merge reserved for
// its output and ends the process at once, with status 128 plus the signal's number.
class QuitSignals : public QObject {
public:
    // Installs the handlers; the destructor puts the default actions back.
    explicit QuitSignals(std::function<void()> quit);
    ~QuitSignals() override;

private:
    std::function<void()> m_quit;
    QSocketNotifier* m_notifier = nullptr;
};
