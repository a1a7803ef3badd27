#pragma once

#include "platform/CDialog.h"

// The About box: the program's name, version and notice, closed with OK.
class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    void DoDataExchange(CDataExchange* dx) override;

    DECLARE_MESSAGE_MAP()
};
