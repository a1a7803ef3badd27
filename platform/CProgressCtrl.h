#pragma once

#include "platform/CWnd.h"

// A progress bar: range 0-100 until set; positions outside the range are held at its ends.
class CProgressCtrl : public CWnd {
public:
    int GetPos() { return static_cast<int>(SendMessage(PBM_GETPOS, 0, 0)); }
};
