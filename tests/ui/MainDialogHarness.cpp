#include "tests/ui/MainDialogHarness.h"

#include <gtest/gtest.h>
#include <memory>

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QVariant>
#include <QWidget>
#include <QWindow>

#include "platform/DialogBuilder.h"
#include "res/Resource.h"
#include "tests/platform/RecordingDialog.h"
#include "ui/ListCommands.h"

namespace veldrun {
namespace test {

void MainDialogHarness::Run(const std::function<void()>& whileOpen) {
    RunModal(*this, [this, whileOpen] {
        whileOpen();
        EndDialog(IDCANCEL);
    });
}

void MainDialogHarness::Drop(const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QWindow* window = GetWidget()->windowHandle();
    QWidget* list = Control(IDC_INPUT_LIST);
    const QPoint at = list->mapTo(GetWidget(), list->rect().center());
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
    EXPECT_TRUE(drop.isAccepted());
}

std::vector<std::wstring> MainDialogHarness::Entries() const {
    std::vector<std::wstring> entries;
    for (int i = 0; i < m_inputList.GetCount(); ++i) {
        CString text;
        m_inputList.GetText(i, text);
        entries.push_back(text.Str());
    }
    return entries;
}

void MainDialogHarness::DropEntry(int from, int before) const {
    for (QObject* child : Control(IDC_INPUT_LIST)->children()) {
        if (auto* commands = dynamic_cast<ListCommands*>(child))
            commands->Drop(from, before);
    }
}

QWidget* MainDialogHarness::Control(int id) const {
    return ControlOf(GetWidget(), id);
}

std::wstring MainDialogHarness::TextOf(const CWnd& control) {
    CString text;
    control.GetWindowText(text);
    return text.Str();
}

QWidget* ControlOf(QWidget* dialog, int id) {
    if (!dialog)
        return nullptr;
    for (QWidget* child : dialog->findChildren<QWidget*>()) {
        const QVariant value = child->property(DialogBuilder::kIdProperty);
        if (value.isValid() && value.toInt() == id)
            return child;
    }
    return nullptr;
}

} // namespace test
} // namespace veldrun
