#include "tests/cli/Process.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace veldrun {
namespace test {

namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + " failed");
}

void CloseFd(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// Opens a pseudo terminal; returns the master and stores the slave, both close-on-exec.
int OpenTerminal(int& slave, unsigned short columns) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
        Fail("posix_openpt");
    slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0)
        Fail("open pts");
    struct termios mode;
    ::tcgetattr(slave, &mode);
    ::cfmakeraw(&mode);
    ::tcsetattr(slave, TCSANOW, &mode);
    if (columns > 0) {
        const winsize size = {24, columns, 0, 0};
        if (::ioctl(slave, TIOCSWINSZ, &size) != 0)
            Fail("TIOCSWINSZ");
    }
    return master;
}

int StatusOf(int status) {
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

// Appends what `fd` has to `text`; closes it at its end (EOF, or EIO on a hung up terminal).
void Drain(int& fd, std::string& text) {
    char buffer[65536];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got > 0)
        text.append(buffer, static_cast<std::size_t>(got));
    else if (got == 0 || errno != EINTR)
        CloseFd(fd);
}

} // namespace

Process::Process(const std::vector<std::string>& argv, ErrorTo error, unsigned short columns) {
    // Everything is prepared before the fork: the child only rewires descriptors and execs.
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    int out[2];
    int err[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        Fail("pipe");
    if (error == ErrorTo::Pipe) {
        if (::pipe2(err, O_CLOEXEC) != 0)
            Fail("pipe");
    } else {
        err[0] = OpenTerminal(err[1], columns);
    }
    const int in = ::open("/dev/null", O_RDONLY | O_CLOEXEC);

    m_pid = ::fork();
    if (m_pid == 0) {
        ::dup2(in, 0);
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(in);
    ::close(out[1]);
    ::close(err[1]);
    m_out = out[0];
    m_err = err[0];
    if (m_pid < 0) {
        CloseFd(m_out);
        CloseFd(m_err);
        Fail("fork");
    }
}

Process::~Process() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    CloseFd(m_out);
    CloseFd(m_err);
}

void Process::Signal(int signal) {
    ::kill(m_pid, signal);
}

bool Process::LimitFileSize(std::uint64_t bytes) {
    const rlimit limit = {bytes, bytes};
    return ::prlimit(m_pid, RLIMIT_FSIZE, &limit, nullptr) == 0;
}

namespace {

// Bit `signal` of the mask on the line `field` of a process's status.
bool StatusBit(pid_t pid, const std::string& field, int signal) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            const unsigned long long mask = std::strtoull(line.c_str() + field.size(), nullptr, 16);
            return (mask >> (signal - 1)) & 1;
        }
    }
    return false;
}

} // namespace

bool Process::Catches(int signal) const {
    return StatusBit(m_pid, "SigCgt:", signal);
}

bool Process::Pending(int signal) const {
    return StatusBit(m_pid, "ShdPnd:", signal);
}

Outcome Process::Wait(std::chrono::milliseconds limit) {
    Outcome outcome;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    // Both streams are read while the child runs: a full pipe would stall it.
    while (m_out >= 0 || m_err >= 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            CloseFd(m_out);
            CloseFd(m_err);
            return outcome;
        }
        pollfd fds[2] = {{m_out, POLLIN, 0}, {m_err, POLLIN, 0}};
        if (::poll(fds, 2, 20) <= 0)
            continue;
        if (fds[0].revents != 0)
            Drain(m_out, outcome.out);
        if (fds[1].revents != 0)
            Drain(m_err, outcome.err);
    }
    int status = 0;
    while (::waitpid(m_pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline)
            return outcome;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    m_pid = -1;
    outcome.status = StatusOf(status);
    return outcome;
}

Outcome Process::Run(const std::vector<std::string>& argv, ErrorTo error, unsigned short columns) {
    return Process(argv, error, columns).Wait();
}

} // namespace test
} // namespace veldrun
