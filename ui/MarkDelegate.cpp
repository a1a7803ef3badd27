#include "ui/MarkDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QTreeWidgetItem>

#include "platform/ListBoxWidget.h"
#include "ui/ClipFacts.h"

namespace {

const int kNoteRole = Qt::UserRole + 1;
const int kMarksRole = Qt::UserRole + 2;

QIcon IconFor(unsigned marks) {
    QStyle* style = QApplication::style();
    if (marks & ClipFacts::Row::kUnreadable)
        return style->standardIcon(QStyle::SP_MessageBoxCritical);
    if (marks & ClipFacts::Row::kListedTwice)
        return style->standardIcon(QStyle::SP_MessageBoxWarning);
    return QIcon();
}

} // namespace

void MarkDelegate::SetMarks(QTreeWidgetItem* item, unsigned marks, const QString& note,
                            int tipColumn) {
    if (!item ||
        (item->data(0, kMarksRole).isValid() && item->data(0, kMarksRole).toUInt() == marks &&
         item->data(0, kNoteRole).toString() == note))
        return;
    item->setData(0, kNoteRole, note);
    item->setData(0, kMarksRole, marks);
    item->setIcon(0, IconFor(marks));
    const QString path = item->data(0, ListBoxWidget::kTextRole).toString();
    for (int column = 0; column < item->columnCount(); ++column) {
        if (column != tipColumn)
            item->setToolTip(column, note.isEmpty() ? path : path + '\n' + note);
        item->setData(column, Qt::AccessibleDescriptionRole, note);
    }
    item->setData(0, Qt::AccessibleTextRole,
                  note.isEmpty() ? item->text(0) : item->text(0) + ", " + note);
}

QString MarkDelegate::MarkOf(const QModelIndex& index) {
    return index.siblingAtColumn(0).data(kNoteRole).toString();
}

unsigned MarkDelegate::MarksOf(const QModelIndex& index) {
    return index.siblingAtColumn(0).data(kMarksRole).toUInt();
}

void MarkDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    if (!(MarksOf(index) & ClipFacts::Row::kNewPiece))
        return;
    // The text's colour on the base: the line lies between a row and the one above, which may
    // be selected or not, and must stand out from both.
    const QPalette::ColorGroup group =
        (option.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    const QColor colour = option.palette.color(group, QPalette::Text);
    // Each cell draws its part, so that the line runs across the whole row: a separator, not
    // an underline.
    painter->fillRect(QRect(option.rect.left(), option.rect.top(), option.rect.width(), kLineWidth),
                      colour);
}
