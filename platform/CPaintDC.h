#pragma once

#include "platform/CDC.h"
#include "platform/CWnd.h"

// The context for painting a window, from inside its WM_PAINT handler.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd) : CDC(wnd ? wnd->GetWidget() : nullptr, true) {}
};
