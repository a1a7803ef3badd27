#pragma once

#include <QStyledItemDelegate>

class QTreeWidgetItem;

// Draws the rows of the input list's table as usual, with the entries' marks: a line across
// the top of an entry that does not continue the one above (a new recording), and an icon
// before the name of one that cannot be read or is listed twice. The line takes the colour of
// the text, so that it stays visible above and on the selected row and in dark themes, and is
// sized in device-independent pixels, so that it scales with the display. The marks in words
// follow the path in each cell's tooltip and are part of the row's accessible text.
class MarkDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Marks the row of `item` with `marks` (ClipFacts::Row::Mark bits) and the words `note`
    // (none when empty). `tipColumn`, when not -1, keeps a tooltip of its own. Setting unchanged
    // marks changes nothing.
    static void SetMarks(QTreeWidgetItem* item, unsigned marks, const QString& note,
                         int tipColumn = -1);
    // The words of a row's marks, from any of its cells; empty for none.
    static QString MarkOf(const QModelIndex& index);
    static unsigned MarksOf(const QModelIndex& index);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // The line's thickness in device-independent pixels.
    static constexpr int kLineWidth = 2;
};
