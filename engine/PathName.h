#pragma once

#include <string>

namespace veldrun {

// The parts of a path around its last '/', spelled as given: no folder is looked up.
class PathName {
public:
    // Takes a path; returns what follows its last '/', the whole path when it has none:
    // "a/b/c" gives "c", "a" gives "a", "dir/" and "/" give "". Throws only std::bad_alloc.
    static std::string Last(const std::string& path);
    static std::wstring Last(const std::wstring& path);

    // Takes a path; returns what comes before its last '/': "a/b/c" gives "a/b", "dir/" gives
    // "dir", "/a" and "/" give "/", and a path without '/' gives ".". Throws only
    // std::bad_alloc.
    static std::string Parent(const std::string& path);
};

} // namespace veldrun
