#include <gtest/gtest.h>
#include <thread>
#include <vector>

#include <QEventLoop>
#include <QTimer>

#include "res/Resource.h"
#include "tests/platform/RecordingDialog.h"

using veldrun::test::RecordingDialog;

namespace {

const UINT kProgress = WM_USER + 0x100;
const int kCount = 2000;

std::vector<WPARAM> Posted(const RecordingDialog& dialog, LPARAM sender) {
    std::vector<WPARAM> values;
    for (const RecordingDialog::Message& message : dialog.messages) {
        if (message.message == kProgress && message.lParam == sender)
            values.push_back(message.wParam);
    }
    return values;
}

std::vector<WPARAM> Sequence() {
    std::vector<WPARAM> values;
    for (int i = 0; i < kCount; ++i)
        values.push_back(i);
    return values;
}

} // namespace

TEST(PostMessage, MessagesFromOtherThreadsArriveInOrderOnTheDialogsThread) {
    RecordingDialog dialog(IDD_PROGRESS_DIALOG);
    std::vector<std::thread> workers;
    const INT_PTR result = dialog.Run([&] {
        for (LPARAM sender : {1, 2}) {
            workers.emplace_back([&dialog, sender] {
                for (int i = 0; i < kCount; ++i)
                    dialog.PostMessage(kProgress, i, sender);
            });
        }
        for (std::thread& worker : workers)
            worker.join();
        dialog.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(Posted(dialog, 1), Sequence());
    EXPECT_EQ(Posted(dialog, 2), Sequence());
    EXPECT_EQ(dialog.Commands().back(), MAKEWPARAM(IDOK, BN_CLICKED));
}

TEST(PostMessage, AWorkerCanEndTheDialogWhileItRuns) {
    RecordingDialog dialog(IDD_PROGRESS_DIALOG);
    std::thread worker;
    const INT_PTR result = dialog.Run([&] {
        worker = std::thread([&dialog] {
            for (int i = 0; i < kCount; ++i)
                dialog.PostMessage(kProgress, i, 1);
            dialog.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        });
    });
    worker.join();
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(Posted(dialog, 1), Sequence());
}

TEST(PostMessage, FailsForAWindowThatDoesNotExist) {
    RecordingDialog dialog(IDD_PROGRESS_DIALOG);
    bool posted = true;
    std::thread([&] { posted = dialog.PostMessage(kProgress, 1, 1); }).join();
    EXPECT_FALSE(posted);
}

// A dialog whose first posted message runs a modal loop of its own, as a handler that shows
// a message box does: the messages posted behind it must still arrive inside that loop.
class NestingDialog : public RecordingDialog {
public:
    NestingDialog() : RecordingDialog(IDD_PROGRESS_DIALOG) {}
    std::vector<WPARAM> seenInside;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message == kProgress && wParam == 0) {
            const std::size_t before = messages.size();
            QEventLoop inner;
            QTimer::singleShot(200, &inner, &QEventLoop::quit);
            inner.exec();
            for (std::size_t i = before; i < messages.size(); ++i)
                seenInside.push_back(messages[i].wParam);
        }
        return RecordingDialog::OnWndMsg(message, wParam, lParam, result);
    }
};

TEST(PostMessage, MessagesBehindOneThatRunsALoopArriveInsideIt) {
    NestingDialog dialog;
    dialog.Run([&] {
        std::thread([&dialog] {
            for (int i = 0; i < 3; ++i)
                dialog.PostMessage(kProgress, i, 1);
        }).join();
        dialog.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(dialog.seenInside, (std::vector<WPARAM>{1, 2, MAKEWPARAM(IDOK, BN_CLICKED)}));
}
