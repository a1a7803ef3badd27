#include "tests/ui/MainDialogHarness.h"

#include <memory>

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <QVariant>
#include <QWidget>

#include "platform/DialogBuilder.h"
#include "tests/platform/RecordingDialog.h"

namespace veldrun {
namespace test {

void MainDialogHarness::Run(const std::function<void()>& whileOpen) {
    RunModal(*this, [this, whileOpen] {
        whileOpen();
        EndDialog(IDCANCEL);
    });
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

void DragWithin(QListWidget* list, const QPoint& from, const QPoint& to) {
    QWidget* viewport = list->viewport();
    QTimer::singleShot(0, viewport, [viewport, to] {
        QTest::mouseMove(viewport, to);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    });
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    const int distance = QApplication::startDragDistance() + 1;
    QTest::mouseMove(viewport, from + QPoint(0, distance));
    QTest::mouseMove(viewport, from + QPoint(0, 2 * distance));
}

} // namespace test
} // namespace veldrun
