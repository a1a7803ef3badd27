#pragma once

#include "platform/CWnd.h"

// A progress bar: range 0-100 until set; positions outside the range are held at its ends.
class CProgressCtrl : public CWnd {};
