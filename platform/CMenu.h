#pragma once

#include <memory>

#include "platform/WinTypes.h"

class QAction;
class QMenu;

// A menu of command entries and separators; each entry carries its command id.
class CMenu {
public:
    CMenu();
    ~CMenu();

    // MF_SEPARATOR appends a separator; MF_STRING an entry with command `id` and `text`
    // ('&' marks the mnemonic).
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCTSTR text = nullptr);
    int GetMenuItemCount() const;

    QMenu* GetQMenu() const { return m_menu.get(); }
    // The command id of one of the menu's entries.
    static UINT CommandOf(const QAction* action);

private:
    std::unique_ptr<QMenu> m_menu;
};
