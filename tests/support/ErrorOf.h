#pragma once

#include <stdexcept>
#include <string>

namespace veldrun {
namespace test {

// The what() text of the runtime_error that `action` throws, or "" when it throws none.
template <typename Action>
std::string ErrorOf(Action action) {
    try {
        action();
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "";
}

} // namespace test
} // namespace veldrun
