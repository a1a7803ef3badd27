#include "engine/MergeError.h"

#include <utility>

#include "engine/Messages.h"

namespace veldrun {

namespace {

const char* MessageOf(MergeError::Kind kind) {
    switch (kind) {
    case MergeError::Kind::CantCreateOutput:
        return kCantCreateOutput;
    case MergeError::Kind::CantOpenInput:
        return kCantOpenInput;
    case MergeError::Kind::UserAborted:
        return kUserAborted;
    case MergeError::Kind::OutputIsInput:
        return kOutputIsInput;
    case MergeError::Kind::CantWriteOutput:
        return kCantWriteOutput;
    case MergeError::Kind::CantReadInput:
        return kCantReadInput;
    case MergeError::Kind::NotEnoughSpace:
        return kNotEnoughSpace;
    case MergeError::Kind::InputChanged:
        return kInputChanged;
    case MergeError::Kind::OutputMismatch:
        return kOutputMismatch;
    case MergeError::Kind::CantReadOutput:
        return kCantReadOutput;
    case MergeError::Kind::TooLarge:
        break;
    }
    return kTooLarge;
}

} // namespace

MergeError::MergeError(Kind kind, std::vector<ErrorNote> notes)
    : std::runtime_error(MessageOf(kind)), m_kind(kind), m_notes(std::move(notes)),
      m_detail(ErrorNote::Joined(m_notes)) {}

} // namespace veldrun
