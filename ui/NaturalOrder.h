#pragma once

#include <string>

// The order of file names that people expect on this desktop: digits compare as numbers ("2"
// before "10"), letters without regard to case, in the collation of the user's language.
class NaturalOrder {
public:
    // True when `a` sorts before `b`.
    static bool Less(const std::wstring& a, const std::wstring& b);
};
