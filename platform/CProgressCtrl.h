#pragma once

#include "platform/CWnd.h"

// A progress bar: range 0-100 until set; positions outside the range are held at its ends.
class CProgressCtrl : public CWnd {
public:
    void SetRange(short lower, short upper) {
        SendMessage(PBM_SETRANGE, 0,
                    MAKELPARAM(static_cast<WORD>(lower), static_cast<WORD>(upper)));
    }
    int SetPos(int pos) { return static_cast<int>(SendMessage(PBM_SETPOS, pos, 0)); }
    int GetPos() { return static_cast<int>(SendMessage(PBM_GETPOS, 0, 0)); }
};
