#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "engine/ErrorNote.h"

namespace veldrun {

// A failure of a merge: GetKind() says what failed, for callers to branch on; what() is the fixed
// message of that kind, for the user; Notes() say which file it concerns and what the system
// said, and Detail() is their English ("" when there is nothing to add).
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

    // Takes the kind and the notes of its detail; what() becomes the kind's message. Throws
    // only std::bad_alloc.
    explicit MergeError(Kind kind, std::vector<ErrorNote> notes = {});

    Kind GetKind() const { return m_kind; }
    const std::vector<ErrorNote>& Notes() const { return m_notes; }
    const std::string& Detail() const { return m_detail; }

private:
    Kind m_kind;
    std::vector<ErrorNote> m_notes;
    std::string m_detail;
};

} // namespace veldrun
