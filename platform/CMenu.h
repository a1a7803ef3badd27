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

    // The menu exists from construction; TRUE.
    BOOL CreatePopupMenu() { return TRUE; }
    // MF_SEPARATOR appends a separator; MF_STRING an entry with command `id` and `text`
    // ('&' marks the mnemonic), shown disabled with MF_GRAYED.
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCTSTR text = nullptr);
    int GetMenuItemCount() const;

    // Shows the menu at screen point (x, y) until the user chooses or dismisses it; returns
    // the chosen command, 0 for none. Opened from the keyboard, it starts with its first
    // enabled entry highlighted.
    UINT Popup(int x, int y, bool fromKeyboard);

    // Only while the main dialog's list menu still calls it; goes with that menu. Sends the
    // chosen command to `owner` as WM_COMMAND; TRUE when one was chosen.
    template <class Owner>
    BOOL TrackPopupMenu(UINT flags, int x, int y, Owner* owner);

    QMenu* GetQMenu() const { return m_menu.get(); }
    // The command id of one of the menu's entries.
    static UINT CommandOf(const QAction* action);

private:
    std::unique_ptr<QMenu> m_menu;
};

template <class Owner>
BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, Owner* owner) {
    const UINT command = Popup(x, y, (flags & TPM_FROMKEYBOARD) != 0);
    if (command != 0 && owner)
        owner->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(command), 0), 0);
    return command != 0;
}
