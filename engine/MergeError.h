#pragma once

#include <stdexcept>
#include <string>

namespace veldrun {

// A failure of a merge: what() is one of the engine's fixed messages, and Detail() says in
// plain words which file it concerns and what the system said ("" when there is nothing to add).
class MergeError : public std::runtime_error {
public:
    MergeError(const char* message, std::string detail);

    const std::string& Detail() const { return m_detail; }

private:
    std::string m_detail;
};

} // namespace veldrun
