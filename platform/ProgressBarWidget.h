#pragma once

#include <QProgressBar>

#include "platform/MessageWidget.h"
#include "platform/WinTypes.h"

// A Win32 progress bar: range 0-100 at first, positions held within the range, no text
// unless its style has PBS_PERCENT.
class ProgressBarWidget : public QProgressBar, public MessageWidget {
public:
    ProgressBarWidget(DWORD style, QWidget* parent);

    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
