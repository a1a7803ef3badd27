#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/CVeldrunDlg.h"

class QListWidget;
class QPoint;
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
    using CVeldrunDlg::m_details;
    using CVeldrunDlg::m_list;
    using CVeldrunDlg::m_selectionEdit;
    using CVeldrunDlg::m_sizeEdit;

    // Runs the dialog modally; `whileOpen` acts once it shows, then the dialog ends.
    void Run(const std::function<void()>& whileOpen);

    // The list's entries, top to bottom.
    std::vector<std::wstring> Entries() const;
    // The widget of control `id` of this dialog.
    QWidget* Control(int id) const;
    // The text of an edit control member, as a wide string.
    static std::wstring TextOf(const CWnd& control);
};

// The control with that id among the children of a dialog window.
QWidget* ControlOf(QWidget* dialog, int id);

// Drags with the mouse within `list`, from `from` to `to` (viewport coordinates), as a user
// does: Qt's own drag and drop, which runs a loop of its own once the mouse has moved far
// enough; the rest of the gesture comes from inside it.
void DragWithin(QListWidget* list, const QPoint& from, const QPoint& to);

} // namespace test
} // namespace veldrun
