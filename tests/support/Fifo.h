#pragma once

#include <chrono>
#include <string>

namespace veldrun {
namespace test {

// A named pipe used as a merge output: bytes in it tell a test that the merge is under way,
// and the merge cannot go on faster than the test reads.
class Fifo {
public:
    // Makes the pipe at `path` and opens its reading end. Throws std::runtime_error when it
    // cannot.
    explicit Fifo(const std::string& path);
    ~Fifo();
    Fifo(const Fifo&) = delete;
    Fifo& operator=(const Fifo&) = delete;

    // Waits until a writer has sent bytes or come and gone.
    // Throws std::runtime_error when none has within `limit`, instead of hanging the test.
    void WaitForWriter(std::chrono::milliseconds limit = std::chrono::seconds(5));
    // Reads until every writer has closed the pipe, pausing `pause` after every 64 KiB so
    // that the writer goes no faster than that; returns the bytes.
    std::string ReadAll(std::chrono::microseconds pause = std::chrono::microseconds(0));
    // Closes the reading end: a writer then fails with a broken pipe.
    void Close();

private:
    int m_fd = -1;
    std::string m_path;
};

} // namespace test
} // namespace veldrun
