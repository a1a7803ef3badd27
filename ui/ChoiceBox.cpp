#include "ui/ChoiceBox.h"

#include <QAbstractButton>
#include <QPushButton>

#include "platform/CWinApp.h"
#include "platform/CWnd.h"

AnswerQueue<int, ChoiceBox::Request>& ChoiceBox::Answers() {
    static AnswerQueue<int, Request> answers;
    return answers;
}

int ChoiceBox::Ask(CWnd* parent, QMessageBox::Icon icon, const std::wstring& text,
                   const std::vector<std::wstring>& buttons, int defaultButton, int escapeButton) {
    if (auto answer = Answers().Take({text, buttons, defaultButton}))
        return *answer;
    QWidget* owner = parent && parent->GetWidget() ? parent->GetWidget() : AfxGetDialogOwner();
    QMessageBox box(icon, QString::fromWCharArray(AfxGetAppName()), QString::fromStdWString(text),
                    QMessageBox::NoButton, owner);
    box.setTextFormat(Qt::PlainText);
    std::vector<QPushButton*> added;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        // The roles only place the buttons as the desktop's style wants them.
        const QMessageBox::ButtonRole role = i == 0 ? QMessageBox::AcceptRole
                                             : static_cast<int>(i) == escapeButton
                                                 ? QMessageBox::RejectRole
                                                 : QMessageBox::ActionRole;
        added.push_back(box.addButton(QString::fromStdWString(buttons[i]), role));
    }
    if (defaultButton >= 0 && defaultButton < static_cast<int>(added.size()))
        box.setDefaultButton(added[defaultButton]);
    if (escapeButton >= 0 && escapeButton < static_cast<int>(added.size()))
        box.setEscapeButton(added[escapeButton]);
    box.exec();
    for (std::size_t i = 0; i < added.size(); ++i) {
        if (box.clickedButton() == added[i])
            return static_cast<int>(i);
    }
    return escapeButton;
}
