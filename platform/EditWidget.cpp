#include "platform/EditWidget.h"

#include <algorithm>

EditWidget::EditWidget(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
    setToolTip(text);
    connect(this, &QLineEdit::textChanged, this, &QWidget::setToolTip);
}

bool EditWidget::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message != EM_SETSEL)
        return false;
    const int length = static_cast<int>(text().size());
    const auto start = static_cast<LPARAM>(wParam);
    const int end = lParam < 0 ? length : static_cast<int>(std::min<LPARAM>(lParam, length));
    // Qt keeps the caret, which ends up at the selection's end, in view.
    if (start < 0)
        deselect();
    else if (start >= end)
        setCursorPosition(end);
    else
        setSelection(static_cast<int>(start), end - static_cast<int>(start));
    *result = 0;
    return true;
}
