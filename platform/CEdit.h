#pragma once

#include "platform/CWnd.h"

// An edit control: its text is the window text, and every change of it, by the user or by
// SetWindowText, sends EN_CHANGE.
class CEdit : public CWnd {};
