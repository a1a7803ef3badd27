#include "res/VersionInfo.h"

#include "res/Version.h"

namespace res {

namespace {

std::wstring Widen(const char* ascii) {
    return std::wstring(ascii, ascii + std::char_traits<char>::length(ascii));
}

} // namespace

const VersionInfo& VersionInfo::Get() {
    static const VersionInfo info = {
        Widen(VELDRUN_VERSION), Widen(VELDRUN_VERSION),
        L"Veldrun developers",  L"Merge AVCHD MPEG transport streams into a single stream",
        L"Veldrun.exe",         L"Free software; no warranty.",
        L"Veldrun.exe",         L"Veldrun",
    };
    return info;
}

} // namespace res
