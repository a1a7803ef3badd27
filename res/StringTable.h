#pragma once

#include <string>

namespace res {

// The string resources. A test may override an entry to see how its callers cope with an
// empty or missing string.
class StringTable {
public:
    // The string with that id, or null when there is none.
    static const wchar_t* Find(int id);

    static void Override(int id, const std::wstring& text);
    static void ClearOverrides();
};

} // namespace res
