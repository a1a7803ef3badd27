#include "platform/CMenu.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QTimer>

CMenu::CMenu() : m_menu(std::make_unique<QMenu>()) {}

CMenu::~CMenu() = default;

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, LPCTSTR text) {
    if (flags & MF_SEPARATOR) {
        m_menu->addSeparator();
        return TRUE;
    }
    QAction* action = m_menu->addAction(QString::fromWCharArray(text ? text : L""));
    action->setData(QVariant::fromValue<quint64>(id));
    action->setEnabled(!(flags & MF_GRAYED));
    return TRUE;
}

int CMenu::GetMenuItemCount() const {
    return static_cast<int>(m_menu->actions().size());
}

UINT CMenu::Popup(int x, int y, bool fromKeyboard) {
    if (fromKeyboard) {
        QAction* first = nullptr;
        for (QAction* action : m_menu->actions()) {
            if (!action->isSeparator() && action->isEnabled()) {
                first = action;
                break;
            }
        }
        // Set once the menu shows: showing it clears the highlight.
        QPointer<QMenu> menu = m_menu.get();
        QTimer::singleShot(0, m_menu.get(), [menu, first] {
            if (menu && first && menu->isVisible())
                menu->setActiveAction(first);
        });
    }
    QAction* chosen = m_menu->exec(QPoint(x, y));
    return chosen ? CommandOf(chosen) : 0;
}

UINT CMenu::CommandOf(const QAction* action) {
    return static_cast<UINT>(action->data().toULongLong());
}
