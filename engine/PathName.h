#pragma once
// TEMPORARY stand-in until the path helper lands.
#include <string>
namespace veldrun {
class PathName {
public:
    static std::wstring Last(const std::wstring& path) { return path.substr(path.find_last_of(L'/') + 1); }
};
} // namespace veldrun
