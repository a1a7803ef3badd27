#include "platform/DialogWindow.h"

#include <string>
#include <vector>

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

#include "platform/CDialog.h"
#include "platform/CMenu.h"
#include "platform/DropFileList.h"

namespace {

std::vector<std::wstring> LocalFilesOf(const QMimeData* data) {
    std::vector<std::wstring> names;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            names.push_back(url.toLocalFile().toStdWString());
    }
    return names;
}

} // namespace

DialogWindow::DialogWindow(CDialog* owner, QWidget* parent) : QDialog(parent), m_owner(owner) {}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        PressEnter();
    } else if (plain && event->key() == Qt::Key_Escape) {
        m_owner->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    } else if ((plain && event->key() == Qt::Key_Menu) ||
               (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        QWidget* focus = focusWidget() ? focusWidget() : this;
        if (!ShowSystemMenu(focus->mapToGlobal(focus->rect().center())))
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
// context menu. The keys that open it are handled as keys, since not every platform turns
// them into context menu events.
void DialogWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Keyboard || !ShowSystemMenu(event->globalPos()))
        QDialog::contextMenuEvent(event);
}

bool DialogWindow::ShowSystemMenu(const QPoint& globalPos) {
    CMenu* menu = m_owner->GetSystemMenu(FALSE);
    if (!menu || menu->GetMenuItemCount() == 0)
        return false;
    if (QAction* chosen = menu->GetQMenu()->exec(globalPos))
        m_owner->SendMessage(WM_SYSCOMMAND, CMenu::CommandOf(chosen), 0);
    return true;
}

void DialogWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!LocalFilesOf(event->mimeData()).empty())
        event->acceptProposedAction();
}

void DialogWindow::dropEvent(QDropEvent* event) {
    DropFileList drop(LocalFilesOf(event->mimeData()));
    if (drop.Names().empty())
        return;
    event->acceptProposedAction();
    m_owner->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(&drop), 0);
}
