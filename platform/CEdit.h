#pragma once

#include "platform/CWnd.h"

// An edit control: its text is the window text, and every change of it, by the user or by
// SetWindowText, sends EN_CHANGE.
class CEdit : public CWnd {
public:
    // Selects from `start` to `end` (-1: the end of the text) and scrolls the caret, at `end`,
    // into view; SetSel(length, length) shows the end of a long text. -1 as `start` deselects.
    void SetSel(int start, int end) { SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end); }
};
