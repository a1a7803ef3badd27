#pragma once

#include "res/TemplateStyles.h"

namespace res {

// How a control follows a resizable dialog that has grown past its template size, as
// percentages of the growth: its top-left corner moves by moveX/moveY % of it, and its size
// grows by sizeX/sizeY %. All zero keeps the control where the template put it.
struct ControlLayout {
    unsigned char moveX;
    unsigned char moveY;
    unsigned char sizeX;
    unsigned char sizeY;
};

// One control of a dialog template, as a resource script lists it. Position and size are in
// dialog units. A text "#n" names resource n (the icon of an SS_ICON static). The layout
// applies only in a dialog of style WS_THICKFRAME.
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
    ControlLayout layout;
};

} // namespace res
