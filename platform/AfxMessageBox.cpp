#include "platform/AfxMessageBox.h"

#include <QMessageBox>

#include "platform/CWinApp.h"

namespace {

QMessageBox::Icon IconOf(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

AnswerQueue<int, MessageBoxRequest>& AfxMessageBoxAnswers() {
    static AnswerQueue<int, MessageBoxRequest> answers;
    return answers;
}

int AfxMessageBox(LPCTSTR text, UINT type, UINT helpId) {
    const std::wstring caption = AfxGetAppName();
    if (auto answer = AfxMessageBoxAnswers().Take({text ? text : L"", caption, type, helpId}))
        return *answer;
    const bool yesNo = (type & MB_TYPEMASK) == MB_YESNO;
    QMessageBox box(
        IconOf(type), QString::fromStdWString(caption), QString::fromWCharArray(text ? text : L""),
        yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, AfxGetDialogOwner());
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
