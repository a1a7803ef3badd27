#pragma once

#include <memory>

#include "platform/WinTypes.h"

class CWnd;
class QAction;
class QMenu;

// A menu of command entries and separators; each entry carries its command id.
class CMenu {
public:
    CMenu();
    ~CMenu();

    // The menu exists from construction; TRUE.
    BOOL CreatePopupMenu() { return TRUE; }
    // MF_SEPARATOR appends a separator; MF_STRING an entry with command `id` and `text`
    // ('&' marks the mnemonic), shown disabled with MF_GRAYED or MF_DISABLED.
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCTSTR text = nullptr);
    int GetMenuItemCount() const;

    // Shows the menu at screen point (x, y) until the user chooses or dismisses it. With
    // TPM_RETURNCMD returns the chosen command (0 for none); otherwise sends it to `owner` as
    // WM_COMMAND and returns whether one was chosen. TPM_FROMKEYBOARD highlights the first
    // enabled entry, as a menu opened from the keyboard does.
    UINT TrackPopupMenu(UINT flags, int x, int y, CWnd* owner);

    QMenu* GetQMenu() const { return m_menu.get(); }
    // The command id of one of the menu's entries.
    static UINT CommandOf(const QAction* action);

private:
    std::unique_ptr<QMenu> m_menu;
};
