#include "platform/DialogWindow.h"

#include <string>
#include <vector>

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

#include "platform/CWnd.h"
#include "platform/DialogBuilder.h"

namespace {

std::vector<std::wstring> LocalFilesOf(const QMimeData* data) {
    std::vector<std::wstring> names;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            names.push_back(url.toLocalFile().toStdWString());
    }
    return names;
}

const LPARAM kFromKeyboard = MAKELPARAM(0xFFFF, 0xFFFF);

} // namespace

DialogWindow::DialogWindow(CWnd* owner, QWidget* parent) : QDialog(parent), m_owner(owner) {}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        PressEnter();
    } else if (plain && event->key() == Qt::Key_Escape) {
        m_owner->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    } else if ((plain && event->key() == Qt::Key_Menu) ||
               (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        QWidget* control = ControlOf(focusWidget());
        const LRESULT shown = m_owner->SendMessage(
            WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control ? control : this), kFromKeyboard);
        if (!shown)
            QDialog::keyPressEvent(event);
    } else {
        QDialog::keyPressEvent(event);
    }
}

// Win32's choice: the focused push button, else the default push button (nothing when it is
// disabled), else the command IDOK.
void DialogWindow::PressEnter() {
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    if (!button || button->window() != this) {
        button = nullptr;
        for (QPushButton* candidate : findChildren<QPushButton*>()) {
            if (candidate->isDefault())
                button = candidate;
        }
    }
    if (button) {
        if (button->isEnabled())
            button->click();
        return;
    }
    m_owner->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

// The close box and Alt+F4 are the system command SC_CLOSE; only the dialog ends itself.
void DialogWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    m_owner->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
}

void DialogWindow::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    m_owner->SendMessage(WM_PAINT);
}

// The window manager owns the title bar's menu, so the dialog's own system menu is its
// context menu, shown by WM_CONTEXTMENU's default processing. The keys that open it are
// handled as keys, since not every platform turns them into context menu events.
void DialogWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Keyboard) {
        QDialog::contextMenuEvent(event);
        return;
    }
    QWidget* control = ControlOf(childAt(event->pos()));
    const LRESULT shown =
        m_owner->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control ? control : this),
                             MAKELPARAM(static_cast<WORD>(event->globalPos().x()),
                                        static_cast<WORD>(event->globalPos().y())));
    if (!shown)
        QDialog::contextMenuEvent(event);
}

// The control of this dialog that holds `widget`, or null.
QWidget* DialogWindow::ControlOf(QWidget* widget) const {
    while (widget && widget->parentWidget() != this)
        widget = widget->parentWidget();
    return widget && widget->property(DialogBuilder::kIdProperty).isValid() ? widget : nullptr;
}

void DialogWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!LocalFilesOf(event->mimeData()).empty())
        event->acceptProposedAction();
}

void DialogWindow::dropEvent(QDropEvent* event) {
    const std::vector<std::wstring> names = LocalFilesOf(event->mimeData());
    if (names.empty())
        return;
    event->acceptProposedAction();
    m_owner->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(&names), 0);
}
