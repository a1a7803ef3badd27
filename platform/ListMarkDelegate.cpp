#include "platform/ListMarkDelegate.h"

#include <algorithm>

#include <QPainter>

#include "platform/ListBoxWidget.h"

void ListMarkDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    if (index.data(ListBoxWidget::kMarkRole).toString().isEmpty())
        return;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        (option.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    const QColor colour =
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    painter->save();
    // The whole width of the viewport, not just the text: a separator, not an underline.
    const QWidget* view = option.widget;
    const int right = view ? std::max(option.rect.right(), view->width()) : option.rect.right();
    painter->fillRect(
        QRect(QPoint(0, option.rect.top()), QPoint(right, option.rect.top() + kLineWidth - 1)),
        colour);
    painter->restore();
}
