#pragma once

#include <QLineEdit>

#include "platform/MessageWidget.h"
#include "platform/WinTypes.h"

// A Win32 edit control of one line. Its whole text is also its tooltip, since a long path
// shows only in part.
class EditWidget : public QLineEdit, public MessageWidget {
public:
    EditWidget(const QString& text, QWidget* parent);

    // EM_SETSEL: selects from wParam to lParam and puts the caret at lParam, scrolling it into
    // view; -1 as lParam is the end of the text, -1 as wParam only removes the selection.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
