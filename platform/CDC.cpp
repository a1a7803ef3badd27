#include "platform/CDC.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

#include "platform/IconHandle.h"
#include "platform/WinApi.h"

CDC::CDC(QWidget* widget, bool paint) : m_font(&m_windowFont) {
    if (widget)
        m_windowFont.SetQFont(widget->font());
    // Qt draws on a widget only while it handles a paint event.
    if (widget && paint)
        m_painter = std::make_unique<QPainter>(widget);
}

CDC::~CDC() = default;

CFont* CDC::SelectObject(CFont* font) {
    CFont* previous = m_font;
    if (font)
        m_font = font;
    return previous;
}

CSize CDC::GetTextExtent(const CString& text) const {
    const QFontMetrics metrics(m_font->GetQFont());
    return {metrics.horizontalAdvance(QString::fromStdWString(text.Str())), metrics.height()};
}

BOOL CDC::DrawIcon(int x, int y, HICON icon) {
    if (!m_painter || !m_painter->isActive() || !icon)
        return FALSE;
    const QSize size(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    m_painter->drawPixmap(QPoint(x, y), icon->Icon().pixmap(size));
    return TRUE;
}
