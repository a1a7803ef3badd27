#include "tests/support/Fifo.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace veldrun {
namespace test {

Fifo::Fifo(const std::string& path) : m_path(path) {
    if (::mkfifo(path.c_str(), 0600) != 0)
        throw std::runtime_error("mkfifo failed");
    // The reading end is open from the start: a merge refuses a pipe that nobody reads.
    // Opened without blocking, since no writer is there yet.
    m_fd = ::open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0)
        throw std::runtime_error("open fifo failed");
}

Fifo::~Fifo() {
    Close();
}

void Fifo::WaitForWriter(std::chrono::milliseconds limit) {
    // Polled: Linux reports no hang-up until a writer has been there.
    pollfd wait = {m_fd, POLLIN, 0};
    if (::poll(&wait, 1, static_cast<int>(limit.count())) != 1)
        throw std::runtime_error("no writer opened the fifo");
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
}

std::string Fifo::ReadAll(std::chrono::microseconds pause) {
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
        if (got > 0) {
            bytes.append(buffer, static_cast<std::size_t>(got));
            if (pause.count() > 0)
                std::this_thread::sleep_for(pause);
        } else if (got == 0 || errno != EINTR)
            return bytes;
    }
}

void Fifo::Close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

} // namespace test
} // namespace veldrun
