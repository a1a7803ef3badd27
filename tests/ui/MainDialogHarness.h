#pragma once

#include <functional>
#include <string>

#include <QString>

#include "ui/CVeldrunDlg.h"

class QWidget;

namespace veldrun {
namespace test {

// The real main dialog with its members and handlers in reach of a test.
class MainDialogHarness : public CVeldrunDlg {
public:
    using CVeldrunDlg::m_inputList;
    using CVeldrunDlg::m_job;
    using CVeldrunDlg::m_mergeButton;
    using CVeldrunDlg::m_outputEdit;
    using CVeldrunDlg::m_selectionEdit;
    using CVeldrunDlg::m_sizeEdit;

    // Runs the dialog modally; `whileOpen` acts once it shows, then the dialog ends.
    void Run(const std::function<void()>& whileOpen);

    // The widget of control `id` of this dialog.
    QWidget* Control(int id) const;
    // The text of an edit control member, as a wide string.
    static std::wstring TextOf(const CWnd& control);
};

// Calls `act` with the first modal dialog whose window title is `title`, once it shows and
// its `ready` test passes; polls while nested modal loops run.
void WhenModal(const QString& title, const std::function<bool(QWidget*)>& ready,
               const std::function<void(QWidget*)>& act);

// The control with that id among the children of a dialog window.
QWidget* ControlOf(QWidget* dialog, int id);

} // namespace test
} // namespace veldrun
