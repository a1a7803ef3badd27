#pragma once

#include "platform/WinTypes.h"

class CWnd;

// One run of a dialog's data exchange.
class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Attaches `control` to the dialog's control `id` on the first exchange; later exchanges
// leave it. Throws std::invalid_argument when the dialog has no such control.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
