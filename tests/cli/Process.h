#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace veldrun {
namespace test {

// What a finished child left behind.
struct Outcome {
    // Exit status, 128 + signal number when a signal ended it, -1 when it had to be killed
    // for running too long.
    int status = -1;
    std::string out;
    std::string err;
};

// A program run as a child process with standard input on /dev/null and its output captured,
// standard error on a pipe or on a pseudo terminal in raw mode (so bytes arrive unchanged).
class Process {
public:
    enum class ErrorTo { Pipe, Terminal };

    // Starts the program at `argv[0]`, a path, with `argv`; a terminal gets `columns` as its
    // width (0: none set, as a fresh pseudo terminal has). Throws std::runtime_error when the
    // child cannot be set up.
    explicit Process(const std::vector<std::string>& argv, ErrorTo error = ErrorTo::Pipe,
                     unsigned short columns = 0);
    // Kills and reaps a child that is still running, so that no test leaves one behind.
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    void Signal(int signal);

    // Sets the child's file size limit (RLIMIT_FSIZE) while it runs, as `ulimit -f` would
    // have before it started. Returns false when it could not.
    bool LimitFileSize(std::uint64_t bytes);

    // True while the child has a handler installed for `signal` (Linux /proc).
    bool Catches(int signal) const;
    // True while `signal`, sent to the child, waits to be delivered (Linux /proc).
    bool Pending(int signal) const;

    // Collects the output until the child ends; kills it once `limit` has passed.
    Outcome Wait(std::chrono::milliseconds limit = std::chrono::seconds(5));

    // Starts and waits in one go.
    static Outcome Run(const std::vector<std::string>& argv, ErrorTo error = ErrorTo::Pipe,
                       unsigned short columns = 0);

private:
    int m_pid = -1;
    int m_out = -1;
    int m_err = -1;
};

} // namespace test
} // namespace veldrun
