#include "engine/PathName.h"

namespace veldrun {

namespace {

template <typename Text>
Text LastOf(const Text& path) {
    const std::size_t slash = path.find_last_of(typename Text::value_type('/'));
    return slash == Text::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string PathName::Last(const std::string& path) {
    return LastOf(path);
}

std::wstring PathName::Last(const std::wstring& path) {
    return LastOf(path);
}

std::string PathName::Parent(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace veldrun
