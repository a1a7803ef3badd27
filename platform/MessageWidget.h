#pragma once

#include "platform/WinTypes.h"

// A widget that answers the messages of its Win32 window class (LB_ for a list box, PBM_
// for a progress bar), so that any wrapper of it can send them.
class MessageWidget {
public:
    virtual ~MessageWidget() = default;

    // TRUE, with *result set, when the message is one of the class's.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) = 0;
};
