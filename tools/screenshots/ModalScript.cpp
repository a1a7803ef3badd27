#include "tools/screenshots/ModalScript.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QMessageBox>
#include <QProgressBar>
#include <QTreeWidget>
#include <QWidget>

namespace {

const char* Named(ModalScript::Kind kind) {
    switch (kind) {
    case ModalScript::Kind::MainDialog:
        return "the main dialog";
    case ModalScript::Kind::ProgressDialog:
        return "the progress dialog";
    case ModalScript::Kind::OtherDialog:
        return "a dialog";
    case ModalScript::Kind::MessageBox:
        return "a message box";
    }
    return "a window";
}

} // namespace

ModalScript& ModalScript::Then(Kind kind, const QString& name,
                               std::function<void(QWidget*)> action) {
    m_steps.push_back(std::make_unique<Step>());
    Step& step = *m_steps.back();
    step.kind = kind;
    step.name = name;
    step.action = std::move(action);
    const std::size_t index = m_steps.size() - 1;
    QObject::connect(&step.timer, &QTimer::timeout, [this, index] { Look(index); });
    step.timer.start(5);
    return *this;
}

QStringList ModalScript::Untaken() const {
    QStringList names;
    for (std::size_t i = m_next; i < m_steps.size(); ++i)
        names << m_steps[i]->name;
    return names;
}

ModalScript::Kind ModalScript::KindOf(QWidget* window) {
    if (qobject_cast<QMessageBox*>(window))
        return Kind::MessageBox;
    if (window->findChild<QTreeWidget*>())
        return Kind::MainDialog;
    if (window->findChild<QProgressBar*>())
        return Kind::ProgressDialog;
    return Kind::OtherDialog;
}

void ModalScript::Look(std::size_t index) {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() ||
        std::find(m_handled.begin(), m_handled.end(), modal) != m_handled.end())
        return;
    // Only the next step looks; the later ones wait for their turn.
    if (index != m_next)
        return;
    if (KindOf(modal) != m_steps[index]->kind) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        std::fprintf(stderr, "veldrun_screenshots: expected %s, got %s: %s\n",
                     qPrintable(m_steps[index]->name), Named(KindOf(modal)),
                     qPrintable(box ? box->text() : modal->windowTitle()));
        std::_Exit(1);
    }
    Step& step = *m_steps[m_next++];
    step.timer.stop();
    m_handled.erase(std::remove(m_handled.begin(), m_handled.end(), nullptr), m_handled.end());
    m_handled.push_back(modal);
    step.action(modal);
}
