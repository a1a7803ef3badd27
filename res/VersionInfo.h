#pragma once

#include <string>

namespace res {

// The version record: file and product version with the descriptive strings of its
// English (0x0409, code page 1252) block.
struct VersionInfo {
    std::wstring fileVersion;
    std::wstring productVersion;
    std::wstring companyName;
    std::wstring fileDescription;
    std::wstring internalName;
    std::wstring legalCopyright;
    std::wstring originalFilename;
    std::wstring productName;

    static const VersionInfo& Get();
};

} // namespace res
