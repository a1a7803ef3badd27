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
    for (const Item& item : m_items) {
        if (item.control)
            item.control->setGeometry(Place(item.start, item.layout, growth));
    }
}
