#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

class QWidget;

// Acts on the modal windows of one run of the program in the order the run opens them, each
// step on a window of the kind it expects. Windows are told apart by what they are (a message
// box; the dialog with the clip list, the one with a progress bar, any other dialog), never by
// their texts, so that the same script serves every language. A window of another kind than
// the next step expects ends the program with a message: its picture would show the wrong
// thing. The script looks from inside the modal loops, so a step's action may open the windows
// of later steps.
class ModalScript {
public:
    enum class Kind { MainDialog, ProgressDialog, OtherDialog, MessageBox };

    // Adds a step, `name` saying what it expects for the messages.
    ModalScript& Then(Kind kind, const QString& name, std::function<void(QWidget*)> action);

    // The names of the steps that have not been taken.
    QStringList Untaken() const;

    static Kind KindOf(QWidget* window);

private:
    struct Step {
        Kind kind;
        QString name;
        std::function<void(QWidget*)> action;
        QTimer timer;
    };

    void Look(std::size_t index);

    // One timer per step: Qt does not fire a timer again while its own handler runs, and the
    // handler of a step runs until the windows of the later steps have come and gone.
    std::vector<std::unique_ptr<Step>> m_steps;
    std::size_t m_next = 0;
    std::vector<QPointer<QWidget>> m_handled;
};
