#pragma once

// The window layer: the MFC and Win32 operations that the dialogs are written against, carried
// out with Qt Widgets. A CWnd wraps one QWidget; CDialog builds its QDialog from a template of
// res/. Messages keep their Win32 shape: controls report WM_COMMAND notifications to their
// dialog, SendMessage calls the window procedure (the message maps, then DefWindowProc) and
// PostMessage queues a message from any thread for the user-interface thread. The Win32
// semantics the dialogs rely on hold: EN_CHANGE also for text set by code, LBN_SELCHANGE only
// for the user's own selection, Escape and closing as IDCANCEL, Enter for the focused or else
// the default push button.

#include <deque>
#include <map>
#include <memory>
#include <mutex>

#include "platform/CString.h"
#include "platform/MessageMap.h"
#include "platform/WinTypes.h"

class CFont;
class CMenu;
class PostedMessageReceiver;
class QEvent;
class QWidget;

class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Makes this object the wrapper of `widget` (which it does not own, and whose template
    // style it takes); Detach lets go. The wrapper lets go by itself when the widget dies.
    void Attach(QWidget* widget);
    void Detach();
    // The widget behind this window, or null while there is none.
    QWidget* GetWidget() const { return m_widget; }

    void SetWindowText(LPCTSTR text);
    void GetWindowText(CString& text) const;

    // Returns nonzero when the window was disabled before the call.
    BOOL EnableWindow(BOOL enable = TRUE);
    // The window's own enabled state, as Win32 keeps it per window.
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const;
    void GetClientRect(RECT* rect) const;

    // The control with that id among this window's children, or null. The object stays valid
    // while this window exists.
    CWnd* GetDlgItem(int id) const;
    // The font the window draws with; valid until the next call.
    CFont* GetFont() const;
    // The window's system menu (shown as its context menu), or null for a window without
    // WS_SYSMENU. With `revert` the menu is emptied and null returned.
    CMenu* GetSystemMenu(BOOL revert);
    // Makes the window a drop target for files, which arrive as WM_DROPFILES.
    void DragAcceptFiles(BOOL accept = TRUE);
    HICON SetIcon(HICON icon, BOOL bigIcon);

    // Calls the window procedure at once; user-interface thread only.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Queues the message for the window procedure, which receives the messages of one
    // window in the order they were posted, on the user-interface thread. Any thread may
    // call it. FALSE when the window does not exist.
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // The handlers of messages that a map may route to the default processing.
    void OnPaint() { Default(); }
    void OnSysCommand(UINT, LPARAM) { Default(); }

protected:
    // Takes a message; dispatches it through the message maps. TRUE, with *result set, when a
    // handler took it.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The window's own processing of a message that no handler took. WM_CONTEXTMENU shows
    // the system menu and sends the chosen entry as WM_SYSCOMMAND; TRUE when it showed.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default();

    // Posting fails, and what was posted is dropped, until the window is attached again.
    void DropPostedMessages();
    // The widget of the child control with that id, or null.
    QWidget* FindControl(int id) const;

    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const;

private:
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Takes `event` if it is a wake-up of this window's posted messages.
    bool DeliverPostedMessage(const QEvent* event);
    void ForgetWidget();

    QWidget* m_widget = nullptr;
    DWORD m_style = 0;
    Message m_current = {0, 0, 0};
    HICON m_icons[2] = {nullptr, nullptr};
    std::mutex m_postLock; // guards the three members below it
    std::unique_ptr<PostedMessageReceiver> m_receiver;
    bool m_postable = false;
    bool m_wakeUpPending = false;
    std::deque<Message> m_posted;
    std::unique_ptr<CMenu> m_systemMenu;
    mutable std::unique_ptr<CFont> m_font;
    mutable std::map<int, std::unique_ptr<CWnd>> m_items;
};
