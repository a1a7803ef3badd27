#pragma once

#include "platform/CDC.h"
#include "platform/CWnd.h"

// A context for a window's client area. It measures text in the window's font; drawing
// outside a paint event is not possible with Qt, so it draws nothing.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd) : CDC(wnd ? wnd->GetWidget() : nullptr, false) {}
};
