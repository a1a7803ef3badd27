#pragma once

#include "platform/WinTypes.h"

class CWnd;

// A message map is a static table of (message, notification code, control id, handler)
// rows, chained to the map of the base class. Only WM_COMMAND looks at the code and the id.
// A handler row stores a thunk that casts the window to the handler's class and calls the
// member with the arguments that message carries.
typedef LRESULT (*MessageThunk)(CWnd* wnd, WPARAM wParam, LPARAM lParam);

struct MessageMapEntry {
    UINT message;
    UINT code;
    UINT id;
    MessageThunk thunk;
};

struct MessageMap {
    const MessageMap* (*base)();
    const MessageMapEntry* entries; // ends with a row whose thunk is null
};

namespace msgmap {

template <class Member>
struct ClassOf;
template <class C, class R, class... Args>
struct ClassOf<R (C::*)(Args...)> {
    typedef C type;
};

template <auto Handler>
typename ClassOf<decltype(Handler)>::type* Target(CWnd* wnd) {
    return static_cast<typename ClassOf<decltype(Handler)>::type*>(wnd);
}

template <auto Handler>
LRESULT Command(CWnd* wnd, WPARAM, LPARAM) {
    (Target<Handler>(wnd)->*Handler)();
    return 0;
}

template <auto Handler>
LRESULT SysCommand(CWnd* wnd, WPARAM wParam, LPARAM lParam) {
    (Target<Handler>(wnd)->*Handler)(static_cast<UINT>(wParam), lParam);
    return 0;
}

template <auto Handler>
LRESULT QueryDragIcon(CWnd* wnd, WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>((Target<Handler>(wnd)->*Handler)());
}

template <auto Handler>
LRESULT DropFiles(CWnd* wnd, WPARAM wParam, LPARAM) {
    (Target<Handler>(wnd)->*Handler)(reinterpret_cast<HDROP>(wParam));
    return 0;
}

} // namespace msgmap

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const MessageMap* GetThisMessageMap();                                                  \
    const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const MessageMap* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const MessageMap* theClass::GetThisMessageMap() {                                              \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        typedef baseClass TheBaseClass;                                                            \
        static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, nullptr }                                                                           \
    }                                                                                              \
    ;                                                                                              \
    static const MessageMap map = {&TheBaseClass::GetThisMessageMap, entries};                     \
    return &map;                                                                                   \
    }

#define ON_CONTROL(code, id, memberFxn)                                                            \
    {WM_COMMAND, code, static_cast<UINT>(static_cast<WORD>(id)), &msgmap::Command<memberFxn>},
#define ON_COMMAND(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_COMMAND(id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_WM_SYSCOMMAND() {WM_SYSCOMMAND, 0, 0, &msgmap::SysCommand<&ThisClass::OnSysCommand>},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, &msgmap::Command<&ThisClass::OnPaint>},
#define ON_WM_QUERYDRAGICON()                                                                      \
    {WM_QUERYDRAGICON, 0, 0, &msgmap::QueryDragIcon<&ThisClass::OnQueryDragIcon>},
#define ON_WM_DROPFILES() {WM_DROPFILES, 0, 0, &msgmap::DropFiles<&ThisClass::OnDropFiles>},
