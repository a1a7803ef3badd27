#include <gtest/gtest.h>
#include <thread>
#include <vector>

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
