#include "ui/JoinQuestion.h"

#include <QMessageBox>
#include <QPushButton>

#include "platform/CWinApp.h"
#include "platform/CWnd.h"
#include "res/Tr.h"

AnswerQueue<JoinQuestion::Answer, std::wstring>& JoinQuestion::Answers() {
    static AnswerQueue<Answer, std::wstring> answers;
    return answers;
}

JoinQuestion::Answer JoinQuestion::Ask(CWnd* parent, const std::wstring& text) {
    if (const auto answer = Answers().Take(text))
        return *answer;
    QMessageBox box(QMessageBox::Question, QString::fromWCharArray(AfxGetAppName()),
                    QString::fromStdWString(text), QMessageBox::NoButton,
                    parent && parent->GetWidget() ? parent->GetWidget() : AfxGetDialogOwner());
    box.setTextFormat(Qt::PlainText);
    QPushButton* join = box.addButton(QString::fromStdWString(res::Tr("JoinQuestion", "&Join")),
                                      QMessageBox::AcceptRole);
    QPushButton* each =
        box.addButton(QString::fromStdWString(res::Tr("JoinQuestion", "One File per &Recording")),
                      QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(join);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == join)
        return Answer::Join;
    if (box.clickedButton() == each)
        return Answer::EachRecording;
    return Answer::Cancel;
}
