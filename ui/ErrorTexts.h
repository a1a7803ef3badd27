#pragma once

#include <string>
#include <vector>

#include "engine/ErrorNote.h"
#include "engine/MergeError.h"

namespace veldrun {
class Veldrun;
}

// The engine's messages in the user's language. The engine's texts are English and fixed (the
// command line prints them); the dialog shows the same English text, or its translation, chosen
// by the failure's kind, and the detail from its notes, their figures in the locale's formats.
class ErrorTexts {
public:
    // The message of a MergeError of that kind, translated.
    static std::wstring Message(veldrun::MergeError::Kind kind);
    // The message of the job's last failure: by its kind, or for the failures without one,
    // their own fixed messages translated; any other text as the engine gave it.
    static std::wstring Message(veldrun::Veldrun& job);
    // A failure's detail: its notes translated and joined, each value filled in (names as
    // VisibleText shows them, sizes and byte counts as LocalFormat writes them).
    static std::wstring Detail(const std::vector<veldrun::ErrorNote>& notes);
    // One note, its subject before it.
    static std::wstring Note(const veldrun::ErrorNote& note);
    // A reason the engine gave: the system's, which the C library has already given in the
    // user's language, or one of the engine's own, translated.
    static std::wstring Reason(const std::string& reason);

private:
    // The shape's text in the user's language; `count` chooses the plural form of %n.
    static std::wstring Shape(veldrun::ErrorNote::Shape shape, int count);
};
