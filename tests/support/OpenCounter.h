#pragma once

#include <cstddef>
#include <string>
#include <thread>
#include <vector>

namespace veldrun {
namespace test {

// Counts the files that one thread of this process asks to open while the counter lives:
// every call of open, open64, openat, openat64, fopen or fopen64 (and the checked variants
// that fortified code calls), whether it succeeds or not. The test executable itself defines
// those functions and passes each call on to the next definition (the C library, or a
// sanitizer's runtime), so calls from the program's code, the standard library and Qt are all
// seen; stat and friends are not counted. Several counters may live at once, on any threads.
class OpenCounter {
public:
    // Starts counting the opens of `thread`. Throws std::length_error when too many counters
    // live already.
    explicit OpenCounter(std::thread::id thread = std::this_thread::get_id());
    ~OpenCounter();
    OpenCounter(const OpenCounter&) = delete;
    OpenCounter& operator=(const OpenCounter&) = delete;

    // The opens by that thread since construction.
    std::size_t Count() const;
    // The paths of those opens, in order; only the first 64 KiB of names are kept.
    std::vector<std::string> Paths() const;
    // The paths one a line, for a failure message.
    std::string Listing() const;

private:
    std::size_t m_slot;
};

} // namespace test
} // namespace veldrun
