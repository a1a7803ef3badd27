#pragma once

#include "platform/CDialog.h"

// The About box: the program's name, version and notice, closed with OK. It exchanges no data.
class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    DECLARE_MESSAGE_MAP()
};
