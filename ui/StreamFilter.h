#pragma once

#include <string>

// The file types that the dialogs for clips and outputs offer, in the file dialog's
// "description|patterns|...||" form, with the descriptions in the user's language.
class StreamFilter {
public:
    static std::wstring Text();
};
