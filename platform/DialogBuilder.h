#pragma once

#include <functional>

#include "platform/WinTypes.h"
#include "res/DialogTemplate.h"

class QDialog;
class QWidget;

// Creates the widgets of a dialog template on a QDialog, in pixels of the dialog's font, and
// reports the controls' notifications (BN_CLICKED, EN_CHANGE, LBN_SELCHANGE) by control id.
class DialogBuilder {
public:
    // Widget properties holding a control's id and every widget's template style.
    static constexpr const char* kIdProperty = "veldrunId";
    static constexpr const char* kStyleProperty = "veldrunStyle";

    using Notify = std::function<void(int id, WORD code)>;

    // Builds `dialog` on `window`, reporting notifications to `notify`. False when the template
    // holds a control class or resource that cannot be built.
    static bool Build(const res::DialogTemplate& dialog, QDialog* window, const Notify& notify);
};
