#include "platform/AfxMessageBox.h"

#include <QMessageBox>

#include "platform/CWinApp.h"

AnswerQueue<int, MessageBoxRequest>& AfxMessageBoxAnswers() {
    static AnswerQueue<int, MessageBoxRequest> answers;
    return answers;
}

int AfxMessageBox(LPCTSTR text, UINT type, UINT helpId) {
    const std::wstring caption = AfxGetAppName();
    if (auto answer = AfxMessageBoxAnswers().Take({text ? text : L"", caption, type, helpId}))
        return *answer;
    const bool yesNo = (type & MB_TYPEMASK) == MB_YESNO;
    const UINT icon = type & MB_ICONMASK;
    QMessageBox box(icon == MB_ICONWARNING       ? QMessageBox::Warning
                    : icon == MB_ICONINFORMATION ? QMessageBox::Information
                                                 : QMessageBox::NoIcon,
                    QString::fromStdWString(caption), QString::fromWCharArray(text ? text : L""),
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    AfxGetDialogOwner());
    box.setTextFormat(Qt::PlainText);
    if (yesNo) {
        const bool second = (type & MB_DEFMASK) == MB_DEFBUTTON2;
        box.setDefaultButton(second ? QMessageBox::No : QMessageBox::Yes);
        // Escape and the close button give the safe answer.
        box.setEscapeButton(QMessageBox::No);
    }
    const int pressed = box.exec();
    if (!yesNo)
        return IDOK;
    return pressed == QMessageBox::Yes ? IDYES : IDNO;
}
