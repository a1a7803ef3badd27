#pragma once

#include <stdexcept>
#include <string>

namespace veldrun {

// A failure of a merge: GetKind() says what failed, for callers to branch on; what() is the fixed
// message of that kind, for the user; Detail() says in plain words which file it concerns and
// what the system said ("" when there is nothing to add).
class MergeError : public std::runtime_error {
public:
    enum class Kind {
        CantCreateOutput,
        CantOpenInput,
        UserAborted,
        OutputIsInput,
        CantWriteOutput,
        CantReadInput,
        NotEnoughSpace,
        TooLarge,
        InputChanged,
        OutputMismatch,
        CantReadOutput
    };

    // Takes the kind and the detail; what() becomes the kind's message. Throws only
    // std::bad_alloc.
    MergeError(Kind kind, std::string detail);

    Kind GetKind() const { return m_kind; }
    const std::string& Detail() const { return m_detail; }

private:
    Kind m_kind;
    std::string m_detail;
};

} // namespace veldrun
