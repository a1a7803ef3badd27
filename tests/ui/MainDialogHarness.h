#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/CVeldrunDlg.h"

class QUrl;
class QWidget;
template <typename T>
class QList;

namespace veldrun {
namespace test {

// The real main dialog with its members and handlers in reach of a test.
class MainDialogHarness : public CVeldrunDlg {
public:
    using CVeldrunDlg::CollectInputFiles;
    using CVeldrunDlg::m_details;
    using CVeldrunDlg::m_folders;
    using CVeldrunDlg::m_inputList;
    using CVeldrunDlg::m_job;
    using CVeldrunDlg::m_list;
    using CVeldrunDlg::m_mergeButton;
    using CVeldrunDlg::m_outputEdit;
    using CVeldrunDlg::m_selectionEdit;
    using CVeldrunDlg::m_sizeEdit;
    using CVeldrunDlg::OnOrderByRecording;
    using CVeldrunDlg::OnSortByName;

    // Runs the dialog modally; `whileOpen` acts once it shows, then the dialog ends.
    void Run(const std::function<void()>& whileOpen);

    // Drags `urls` over the input list and drops them there, as a file manager does: the events
    // go to the dialog's window, which finds the widget under the point that takes drops.
    void Drop(const QList<QUrl>& urls);

    // The list's entries, top to bottom.
    std::vector<std::wstring> Entries() const;
    // Moves entry `from` before entry `before` as dropping an entry dragged there does. (Qt's
    // offscreen platform runs no drag; the desktop test drags with the mouse.)
    void DropEntry(int from, int before) const;
    // The widget of control `id` of this dialog.
    QWidget* Control(int id) const;
    // The text of an edit control member, as a wide string.
    static std::wstring TextOf(const CWnd& control);
};

// The control with that id among the children of a dialog window.
QWidget* ControlOf(QWidget* dialog, int id);

} // namespace test
} // namespace veldrun
