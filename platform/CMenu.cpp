#include "platform/CMenu.h"

#include <QAction>
#include <QMenu>

CMenu::CMenu() : m_menu(std::make_unique<QMenu>()) {}

CMenu::~CMenu() = default;

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, LPCTSTR text) {
    if (flags & MF_SEPARATOR) {
        m_menu->addSeparator();
        return TRUE;
    }
    QAction* action = m_menu->addAction(QString::fromWCharArray(text ? text : L""));
    action->setData(QVariant::fromValue<quint64>(id));
    return TRUE;
}

int CMenu::GetMenuItemCount() const {
    return static_cast<int>(m_menu->actions().size());
}

UINT CMenu::CommandOf(const QAction* action) {
    return static_cast<UINT>(action->data().toULongLong());
}
