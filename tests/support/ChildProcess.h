#pragma once

#include <functional>

namespace veldrun {
namespace test {

// Runs `body` in a forked child, for tests that change process-wide limits or identity.
// Returns the child's exit status, or 128 + signal number when a signal ended it.
int RunInChild(const std::function<int()>& body);

} // namespace test
} // namespace veldrun
