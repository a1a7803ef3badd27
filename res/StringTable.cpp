#include "res/StringTable.h"

#include <map>

#include "res/Resource.h"
#include "res/Tr.h"

namespace res {

namespace {

const std::map<int, std::wstring> kStrings = {
    {IDS_ABOUTBOX, VELDRUN_TEXT("StringTable", "&About Veldrun...")},
    // Written after the program's name when the window system cannot be opened.
    {IDS_NO_DISPLAY,
     VELDRUN_TEXT("StringTable", "cannot open a display; start Veldrun from a desktop session, "
                                 "or use veldrun-cli")},
};

std::map<int, std::wstring>& Overrides() {
    static std::map<int, std::wstring> overrides;
    return overrides;
}

} // namespace

const wchar_t* StringTable::Find(int id) {
    auto overridden = Overrides().find(id);
    if (overridden != Overrides().end())
        return overridden->second.c_str();
    auto found = kStrings.find(id);
    return found == kStrings.end() ? nullptr : found->second.c_str();
}

void StringTable::Override(int id, const std::wstring& text) {
    Overrides()[id] = text;
}

void StringTable::ClearOverrides() {
    Overrides().clear();
}

} // namespace res
