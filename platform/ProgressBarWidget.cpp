#include "platform/ProgressBarWidget.h"

#include <algorithm>

ProgressBarWidget::ProgressBarWidget(QWidget* parent) : QProgressBar(parent) {
    setRange(0, 100);
    setValue(0);
    setTextVisible(false);
}

bool ProgressBarWidget::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
    case PBM_SETRANGE:
        *result = MAKELPARAM(static_cast<WORD>(minimum()), static_cast<WORD>(maximum()));
        setRange(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        setValue(std::clamp(value(), minimum(), maximum()));
        return true;
    case PBM_SETPOS: {
        *result = value();
        const int position = std::clamp(static_cast<int>(wParam), minimum(), maximum());
        if (position == value())
            return true;
        // Qt repaints a bar at once when its text changes; painting it with the next paint
        // event instead keeps the thread that sets the positions free for what it does.
        setUpdatesEnabled(false);
        setValue(position);
        setUpdatesEnabled(true);
        return true;
    }
    default:
        return false;
    }
}
