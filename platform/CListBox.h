#pragma once

#include "platform/CWnd.h"

// A list box control: unsorted, single selection. Indexes count from 0; LB_ERR (-1) means
// no selection or a bad index. Nothing done here sends LBN_SELCHANGE.
class CListBox : public CWnd {
public:
    // Inserts before `index`; -1 appends.
    int InsertString(int index, LPCTSTR text) {
        return Send(LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text));
    }
    // Deleting the selected entry leaves no selection. Returns the entries left.
    int DeleteString(UINT index) { return Send(LB_DELETESTRING, index, 0); }
    int GetCount() const { return Send(LB_GETCOUNT, 0, 0); }
    int GetCurSel() const { return Send(LB_GETCURSEL, 0, 0); }
    // -1 clears the selection (and returns LB_ERR).
    int SetCurSel(int index) { return Send(LB_SETCURSEL, index, 0); }
    int GetTextLen(int index) const { return Send(LB_GETTEXTLEN, index, 0); }
    void GetText(int index, CString& text) const;

private:
    int Send(UINT message, WPARAM wParam, LPARAM lParam) const {
        return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(message, wParam, lParam));
    }
};
