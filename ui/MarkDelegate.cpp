#include "ui/MarkDelegate.h"

#include <algorithm>

#include <QListWidgetItem>
#include <QPainter>

namespace {

const int kMarkRole = Qt::UserRole + 1;

} // namespace

void MarkDelegate::SetMark(QListWidgetItem* item, const QString& note) {
    if (!item || item->data(kMarkRole).toString() == note)
        return;
    item->setData(kMarkRole, note);
    item->setToolTip(note.isEmpty() ? item->text() : item->text() + '\n' + note);
}

QString MarkDelegate::MarkOf(const QModelIndex& index) {
    return index.data(kMarkRole).toString();
}

void MarkDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    if (MarkOf(index).isEmpty())
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
