#pragma once

#include "platform/CWnd.h"

// A push button: a click sends BN_CLICKED.
class CButton : public CWnd {};
