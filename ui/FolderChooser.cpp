#include "ui/FolderChooser.h"

#include <QFileDialog>

#include "platform/CWinApp.h"
#include "platform/CWnd.h"

AnswerQueue<std::wstring, FolderChooser::Request>& FolderChooser::Answers() {
    static AnswerQueue<std::wstring, Request> answers;
    return answers;
}

std::wstring FolderChooser::Choose(CWnd* parent, const std::wstring& caption,
                                   const std::wstring& start) {
    if (auto answer = Answers().Take({caption, start}))
        return *answer;
    QWidget* owner = parent && parent->GetWidget() ? parent->GetWidget() : AfxGetDialogOwner();
    return QFileDialog::getExistingDirectory(owner, QString::fromStdWString(caption),
                                             QString::fromStdWString(start))
        .toStdWString();
}
