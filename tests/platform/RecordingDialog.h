#pragma once

#include <functional>
#include <vector>

#include "platform/CDialog.h"

class QWidget;

namespace veldrun {
namespace test {

// A dialog of any template that records the messages its window procedure receives, and
// runs a test's actions once its modal loop runs. A dialog left open ends after a few seconds
// with the code kTimedOut, so a broken test fails instead of hanging.
class RecordingDialog : public CDialog {
public:
    static const int kTimedOut = -99;

    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    explicit RecordingDialog(int templateId) : CDialog(templateId) {}

    INT_PTR Run(std::function<void()> whileOpen);

    // The widget of control `id`; null when there is none.
    QWidget* Control(int id) const;
    // The wParams of the WM_COMMAND messages received, in order.
    std::vector<WPARAM> Commands() const;
    // How many messages of that kind arrived.
    int Count(UINT message) const;

    std::vector<Message> messages;
    int exchanges = 0;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void DoDataExchange(CDataExchange* dx) override;
};

// Runs `dialog` modally and calls `whileOpen` once its window shows. A dialog left open ends
// after a few seconds with RecordingDialog::kTimedOut.
INT_PTR RunModal(CDialog& dialog, std::function<void()> whileOpen);

// Lets pending events run for a moment.
void Settle();

} // namespace test
} // namespace veldrun
