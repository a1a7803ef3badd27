#include "tests/platform/RecordingDialog.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace veldrun {
namespace test {

INT_PTR RecordingDialog::Run(std::function<void()> whileOpen) {
    return RunModal(*this, std::move(whileOpen));
}

QWidget* RecordingDialog::Control(int id) const {
    CWnd* item = GetDlgItem(id);
    return item ? item->GetWidget() : nullptr;
}

std::vector<WPARAM> RecordingDialog::Commands() const {
    std::vector<WPARAM> commands;
    for (const Message& message : messages) {
        if (message.message == WM_COMMAND)
            commands.push_back(message.wParam);
    }
    return commands;
}

int RecordingDialog::Count(UINT kind) const {
    int count = 0;
    for (const Message& message : messages)
        count += message.message == kind;
    return count;
}

BOOL RecordingDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    messages.push_back({message, wParam, lParam});
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}

void RecordingDialog::DoDataExchange(CDataExchange* dx) {
    ++exchanges;
    CDialog::DoDataExchange(dx);
}

INT_PTR RunModal(CDialog& dialog, std::function<void()> whileOpen) {
    QTimer start;
    start.setSingleShot(true);
    QObject::connect(&start, &QTimer::timeout, [&dialog, whileOpen] {
        if (!QTest::qWaitForWindowExposed(dialog.GetWidget()))
            ADD_FAILURE() << "the dialog never showed";
        whileOpen();
    });
    start.start(0);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout,
                     [&dialog] { dialog.EndDialog(RecordingDialog::kTimedOut); });
    watchdog.start(10000);
    return dialog.DoModal();
}

void Settle() {
    // What an event posts while it is handled comes in the second round.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

} // namespace test
} // namespace veldrun
