#pragma once

#include <QProgressBar>

#include "platform/MessageWidget.h"
#include "platform/WinTypes.h"

// A Win32 progress bar: range 0-100 at first, positions held within the range, no text.
class ProgressBarWidget : public QProgressBar, public MessageWidget {
public:
    explicit ProgressBarWidget(QWidget* parent);

    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
