#pragma once

#include <string>

#include "platform/AnswerQueue.h"
#include "platform/WinTypes.h"

// A modal message box captioned with the application's name. The buttons are OK, or Yes and
// No with MB_YESNO (the second the default with MB_DEFBUTTON2); the icon is the information
// icon for MB_ICONINFORMATION, the warning icon for MB_ICONWARNING and none otherwise.
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
