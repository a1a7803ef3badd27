#include "platform/AfxMessageBox.h"

#include <QMessageBox>

#include "platform/CWinApp.h"
#include "platform/MessageBoxAnswers.h"

AnswerQueue<int, MessageBoxAnswers::Request>& MessageBoxAnswers::Answers() {
    static AnswerQueue<int, Request> answers;
    return answers;
}

int AfxMessageBox(LPCTSTR text, UINT type, UINT helpId) {
    const std::wstring caption = AfxGetAppName();
    if (auto answer = MessageBoxAnswers::Answers().Take({text ? text : L"", caption, type, helpId}))
        return *answer;
    const QMessageBox::Icon icon =
        (type & MB_ICONMASK) == MB_ICONINFORMATION ? QMessageBox::Information : QMessageBox::NoIcon;
    QMessageBox box(icon, QString::fromStdWString(caption),
                    QString::fromWCharArray(text ? text : L""), QMessageBox::Ok,
                    AfxGetDialogOwner());
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return IDOK;
}
