#pragma once

#include "platform/CWinApp.h"

// The application: one modal run of the main dialog.
class CVeldrunApp : public CWinApp {
public:
    CVeldrunApp();

    // Runs the main dialog to its end; always FALSE, so no message loop follows.
    BOOL InitInstance() override;
};
