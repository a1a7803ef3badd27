#pragma once

#include <QFont>

#include "res/DialogTemplate.h"

class CWnd;
class QDialog;
class QWidget;

// Creates the widgets of a dialog template on a QDialog, in pixels of the dialog's font, and
// routes the controls' notifications to the dialog's window procedure as WM_COMMAND.
class DialogBuilder {
public:
    // Widget properties holding a control's id and every widget's template style.
    static constexpr const char* kIdProperty = "veldrunId";
    static constexpr const char* kStyleProperty = "veldrunStyle";

    // Builds `dialog` on `window`, reporting to `owner`. False when the template holds a
    // control class or resource that cannot be built.
    static bool Build(const res::DialogTemplate& dialog, QDialog* window, CWnd* owner);

    // The template's font; "MS Shell Dlg" stands for the desktop's interface font.
    static QFont FontOf(const res::DialogTemplate& dialog);
};
