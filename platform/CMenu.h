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
    // ('&' marks the mnemonic), shown disabled with MF_GRAYED.
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCTSTR text = nullptr);
    int GetMenuItemCount() const;

    // Shows the menu at screen point (x, y) until the user chooses or dismisses it; returns
    // the chosen command, 0 for none. Opened from the keyboard, it starts with its first
    // enabled entry highlighted.
    UINT Popup(int x, int y, bool fromKeyboard);

    QMenu* GetQMenu() const { return m_menu.get(); }
    static UINT CommandOf(const QAction* action);

private:
    std::unique_ptr<QMenu> m_menu;
};
