#include "platform/CWnd.h"

#include <functional>
#include <utility>

#include <QCoreApplication>
#include <QLineEdit>
#include <QPainter>
#include <QWidget>

#include "platform/CDC.h"
#include "platform/CFont.h"
#include "platform/CMenu.h"
#include "platform/DialogBuilder.h"
#include "platform/IconHandle.h"
#include "platform/MessageWidget.h"

namespace {

const MessageMapEntry kNoEntries[] = {{0, 0, 0, nullptr}};

QString ToQString(LPCTSTR text) {
    return QString::fromWCharArray(text ? text : L"");
}

QEvent::Type WakeUpType() {
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

} // namespace

// Lives on the user-interface thread beside one window: each wake-up event that a PostMessage
// queues for it is handed to `deliver`, which takes the window's next posted message and
// returns true for an event it took.
class PostedMessageReceiver : public QObject {
public:
    explicit PostedMessageReceiver(std::function<bool(const QEvent*)> deliver)
        : m_deliver(std::move(deliver)) {}

protected:
    bool event(QEvent* event) override { return m_deliver(event) || QObject::event(event); }

private:
    std::function<bool(const QEvent*)> m_deliver;
};

CWnd::CWnd() = default;

CWnd::~CWnd() {
    Detach();
}

void CWnd::Attach(QWidget* widget) {
    Detach();
    m_widget = widget;
    m_style = widget->property(DialogBuilder::kStyleProperty).toUInt();
    auto receiver = std::make_unique<PostedMessageReceiver>(
        [this](const QEvent* event) { return DeliverPostedMessage(event); });
    QObject::connect(widget, &QObject::destroyed, receiver.get(), [this] { ForgetWidget(); });
    std::lock_guard<std::mutex> lock(m_postLock);
    m_receiver = std::move(receiver);
    m_postable = true;
    m_wakeUpPending = false;
}

void CWnd::Detach() {
    ForgetWidget();
    std::unique_lock<std::mutex> lock(m_postLock);
    const std::unique_ptr<PostedMessageReceiver> receiver = std::move(m_receiver);
    lock.unlock();
}

void CWnd::DropPostedMessages() {
    std::lock_guard<std::mutex> lock(m_postLock);
    m_postable = false;
    m_posted.clear();
}

// The window is gone. The receiver stays until Detach, since this may run inside one of its
// own calls.
void CWnd::ForgetWidget() {
    DropPostedMessages();
    m_widget = nullptr;
    m_items.clear();
    m_systemMenu.reset();
    m_icons[0] = m_icons[1] = nullptr;
}

// Edits, buttons and labels all keep their text in Qt's "text" property.
void CWnd::SetWindowText(LPCTSTR text) {
    if (!m_widget)
        return;
    const QString value = ToQString(text);
    auto* edit = qobject_cast<QLineEdit*>(m_widget);
    // An edit control reports EN_CHANGE for every text set, even an unchanged one.
    if (m_widget->isWindow())
        m_widget->setWindowTitle(value);
    else if (edit && edit->text() == value)
        emit edit->textChanged(value);
    else
        m_widget->setProperty("text", value);
    // Like a Win32 edit, show the text from its start; Qt would scroll to its end.
    if (edit)
        edit->setCursorPosition(0);
}

void CWnd::GetWindowText(CString& text) const {
    const QString value = !m_widget              ? QString()
                          : m_widget->isWindow() ? m_widget->windowTitle()
                                                 : m_widget->property("text").toString();
    text = value.toStdWString();
}

BOOL CWnd::EnableWindow(BOOL enable) {
    const BOOL wasDisabled = !IsWindowEnabled();
    if (m_widget)
        m_widget->setEnabled(enable != FALSE);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const {
    return m_widget && !m_widget->testAttribute(Qt::WA_ForceDisabled);
}

BOOL CWnd::IsIconic() const {
    return m_widget && m_widget->isMinimized();
}

void CWnd::GetClientRect(RECT* rect) const {
    *rect = {0, 0, m_widget ? m_widget->width() : 0, m_widget ? m_widget->height() : 0};
}

QWidget* CWnd::FindControl(int id) const {
    if (!m_widget)
        return nullptr;
    for (QObject* child : m_widget->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        const QVariant childId = child->property(DialogBuilder::kIdProperty);
        if (widget && childId.isValid() && childId.toInt() == id)
            return widget;
    }
    return nullptr;
}

CWnd* CWnd::GetDlgItem(int id) const {
    QWidget* control = FindControl(id);
    if (!control)
        return nullptr;
    std::unique_ptr<CWnd>& item = m_items[id];
    if (!item || item->GetWidget() != control) {
        item = std::make_unique<CWnd>();
        item->Attach(control);
    }
    return item.get();
}

CFont* CWnd::GetFont() const {
    if (!m_font)
        m_font = std::make_unique<CFont>();
    m_font->SetQFont(m_widget ? m_widget->font() : QFont());
    return m_font.get();
}

CMenu* CWnd::GetSystemMenu(BOOL revert) {
    if (!m_widget || !(m_style & WS_SYSMENU) || revert) {
        m_systemMenu.reset();
        return nullptr;
    }
    if (!m_systemMenu)
        m_systemMenu = std::make_unique<CMenu>();
    return m_systemMenu.get();
}

void CWnd::DragAcceptFiles(BOOL accept) {
    if (m_widget)
        m_widget->setAcceptDrops(accept != FALSE);
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) {
    const HICON previous = std::exchange(m_icons[bigIcon ? 1 : 0], icon);
    const HICON shown = m_icons[1] ? m_icons[1] : m_icons[0];
    if (m_widget)
        m_widget->setWindowIcon(shown ? shown->Icon() : QIcon());
    return previous;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowProc(message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    std::lock_guard<std::mutex> lock(m_postLock);
    if (!m_postable)
        return FALSE;
    m_posted.push_back({message, wParam, lParam});
    // At most one wake-up waits at a time; each delivery arms the next while messages remain.
    // A thread posting fast (a merge posts once per block) then wakes the user-interface
    // thread only when it has caught up. Posted under the lock that the receiving side takes
    // before the event is freed.
    if (!m_wakeUpPending) {
        m_wakeUpPending = true;
        QCoreApplication::postEvent(m_receiver.get(), new QEvent(WakeUpType()));
    }
    return TRUE;
}

bool CWnd::DeliverPostedMessage(const QEvent* event) {
    Message posted;
    {
        std::lock_guard<std::mutex> lock(m_postLock);
        // The event may come from another thread, made under this lock; Qt's own hand-over
        // orders it too, but only this lock is visible to the thread checker.
        if (event->type() != WakeUpType())
            return false;
        m_wakeUpPending = false;
        if (m_posted.empty())
            return true;
        posted = m_posted.front();
        m_posted.pop_front();
        // Armed before the message is handled, which may run a modal loop of its own.
        if (!m_posted.empty()) {
            m_wakeUpPending = true;
            QCoreApplication::postEvent(m_receiver.get(), new QEvent(WakeUpType()));
        }
    }
    WindowProc(posted.message, posted.wParam, posted.lParam);
    return true;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const Message outer = m_current;
    m_current = {message, wParam, lParam};
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    m_current = outer;
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const MessageMapEntry* entry = map->entries; entry->thunk; ++entry) {
            if (entry->message != message)
                continue;
            if (message == WM_COMMAND &&
                (entry->code != HIWORD(wParam) || entry->id != LOWORD(wParam)))
                continue;
            *result = entry->thunk(this, wParam, lParam);
            return TRUE;
        }
    }
    return FALSE;
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (auto* control = dynamic_cast<MessageWidget*>(m_widget)) {
        if (control->HandleMessage(message, wParam, lParam, &result))
            return result;
    }
    if (!m_widget)
        return 0;
    switch (message) {
    case WM_ICONERASEBKGND: {
        CDC* dc = reinterpret_cast<HDC>(wParam);
        if (!dc || !dc->GetPainter())
            return FALSE;
        dc->GetPainter()->fillRect(m_widget->rect(), m_widget->palette().window());
        return TRUE;
    }
    case WM_CONTEXTMENU: {
        CMenu* menu = GetSystemMenu(FALSE);
        if (!menu || menu->GetMenuItemCount() == 0)
            return FALSE;
        const bool keyboard = GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1;
        QPoint at(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (keyboard) {
            QWidget* source =
                reinterpret_cast<HWND>(wParam) ? reinterpret_cast<HWND>(wParam) : m_widget;
            at = source->mapToGlobal(source->rect().center());
        }
        const UINT command = menu->Popup(at.x(), at.y(), keyboard);
        if (command != 0)
            SendMessage(WM_SYSCOMMAND, command, 0);
        return TRUE;
    }
    case WM_SYSCOMMAND:
        // The window manager minimizes and restores by itself; closing is the window's to do.
        if ((wParam & 0xFFF0) == SC_CLOSE)
            SendMessage(WM_CLOSE);
        return 0;
    }
    return 0;
}

const MessageMap* CWnd::GetThisMessageMap() {
    static const MessageMap map = {nullptr, kNoEntries};
    return &map;
}

const MessageMap* CWnd::GetMessageMap() const {
    return GetThisMessageMap();
}
