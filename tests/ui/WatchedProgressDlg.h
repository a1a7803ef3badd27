#pragma once

#include <string>
#include <vector>

#include <QProgressBar>
#include <QString>

#include "progress/CProgressDlg.h"
#include "res/Resource.h"
#include "tests/ui/MainDialogHarness.h"

namespace veldrun {
namespace test {

// The real progress dialog, noting what its bar and lines show after every record.
class WatchedProgressDlg : public CProgressDlg {
public:
    using CProgressDlg::CProgressDlg;

    struct Shown {
        int bar;
        std::wstring status;
        bool cancelEnabled;
        std::wstring file;
        std::wstring amounts;
        // What the bar shows as text: nothing while its text is hidden.
        QString barText;
        std::wstring recording;
    };
    std::vector<Shown> shown;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        const BOOL handled = CProgressDlg::OnWndMsg(message, wParam, lParam, result);
        if ((message == WM_MERGE_PROGRESS || message == WM_MERGE_WRITING) && GetWidget()) {
            shown.push_back({qobject_cast<QProgressBar*>(m_progress.GetWidget())->value(),
                             MainDialogHarness::TextOf(m_status),
                             GetDlgItem(IDC_CANCEL_MERGE)->IsWindowEnabled() != FALSE,
                             MainDialogHarness::TextOf(*GetDlgItem(IDC_PROGRESS_FILE)),
                             MainDialogHarness::TextOf(*GetDlgItem(IDC_PROGRESS_AMOUNTS)),
                             BarText(),
                             MainDialogHarness::TextOf(*GetDlgItem(IDC_PROGRESS_RECORDING))});
        }
        return handled;
    }

private:
    QString BarText() const {
        const auto* bar = qobject_cast<const QProgressBar*>(m_progress.GetWidget());
        return bar && bar->isTextVisible() ? bar->text() : QString();
    }
};

} // namespace test
} // namespace veldrun
