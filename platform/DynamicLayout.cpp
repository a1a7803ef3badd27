#include "platform/DynamicLayout.h"

#include <algorithm>

#include <QEvent>
#include <QWidget>

DynamicLayout::DynamicLayout(QWidget* dialog)
    : QObject(dialog), m_dialog(dialog), m_base(dialog->size()) {
    dialog->installEventFilter(this);
}

void DynamicLayout::Add(QWidget* control, const res::ControlLayout& layout) {
    m_items.push_back({control, control->geometry(), layout});
}

DynamicLayout* DynamicLayout::Of(const QWidget* dialog) {
    for (QObject* child : dialog->children()) {
        if (auto* layout = dynamic_cast<DynamicLayout*>(child))
            return layout;
    }
    return nullptr;
}

// The control has not been placed since the last Apply, or ever: its change from where the
// layout put it is a change of its template geometry.
void DynamicLayout::Moved(QWidget* control) {
    for (Item& item : m_items) {
        if (item.control != control)
            continue;
        const QRect placed = Place(item.start, item.layout, m_placed);
        const QRect now = control->geometry();
        item.start.adjust(now.left() - placed.left(), now.top() - placed.top(),
                          now.right() - placed.right(), now.bottom() - placed.bottom());
    }
}

QRect DynamicLayout::Place(const QRect& start, const res::ControlLayout& layout,
                           const QSize& growth) {
    const int dx = std::max(0, growth.width());
    const int dy = std::max(0, growth.height());
    return QRect(start.x() + dx * layout.moveX / 100, start.y() + dy * layout.moveY / 100,
                 start.width() + dx * layout.sizeX / 100, start.height() + dy * layout.sizeY / 100);
}

bool DynamicLayout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_dialog && event->type() == QEvent::Resize)
        Apply();
    return QObject::eventFilter(watched, event);
}

void DynamicLayout::Apply() {
    const QSize growth = m_dialog->size() - m_base;
    m_placed = growth;
    for (const Item& item : m_items) {
        if (item.control)
            item.control->setGeometry(Place(item.start, item.layout, growth));
    }
}
