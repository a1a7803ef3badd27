#pragma once

#include <string>

#include "platform/AnswerQueue.h"
#include "platform/WinTypes.h"

// A modal message box captioned with the application's name. The buttons are OK, or Yes and
// No with MB_YESNO (the second the default with MB_DEFBUTTON2); the icon is the one that
// MB_ICONINFORMATION, MB_ICONWARNING, MB_ICONERROR or MB_ICONQUESTION names, none without one.
// Returns IDOK, IDYES or IDNO (IDNO also when the box is closed), or a queued answer.
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);

struct MessageBoxRequest {
    std::wstring text;
    std::wstring caption;
    UINT type;
    UINT helpId;
};
// The test seam of AfxMessageBox.
AnswerQueue<int, MessageBoxRequest>& AfxMessageBoxAnswers();
