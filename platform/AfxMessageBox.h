#pragma once

#include "platform/WinTypes.h"

// A modal message box with an OK button, captioned with the application's name; the icon is
// the information icon for MB_ICONINFORMATION and none otherwise. Returns IDOK, or the answer
// that a test queued (MessageBoxAnswers).
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);
