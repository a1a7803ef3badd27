#pragma once

#include "platform/WinTypes.h"

namespace res {

// One control of a dialog template, as a resource script lists it. Position and size are in
// dialog units. A text "#n" names resource n (the icon of an SS_ICON static).
struct ControlTemplate {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    short x;
    short y;
    short cx;
    short cy;
    DWORD style;
    DWORD exStyle;
};

} // namespace res
