#pragma once

#include <string>

#include "engine/MergeError.h"

namespace veldrun {
class Veldrun;
}

// The engine's messages in the user's language. The engine's texts are English and fixed (the
// command line prints them); the dialog shows the same English text, or its translation, chosen
// by the failure's kind.
class ErrorTexts {
public:
    // The message of a MergeError of that kind, translated.
    static std::wstring Message(veldrun::MergeError::Kind kind);
    // The message of the job's last failure: by its kind, or for the failures without one,
    // their own fixed messages translated; any other text as the engine gave it.
    static std::wstring Message(veldrun::Veldrun& job);
};
