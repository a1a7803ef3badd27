#pragma once

#include <QStyledItemDelegate>

class QListWidgetItem;

// Draws the entries of a list as usual, and a line across the top of each marked entry: where
// a new recording begins. The line takes the colour of the entry's text, so that it stays
// visible in light and dark themes, and is sized in device-independent pixels, so that it
// scales with the display.
class MarkDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Marks `item` with the words `note` (none when empty), which also follow its text in its
    // tooltip. Setting an unchanged mark repaints nothing.
    static void SetMark(QListWidgetItem* item, const QString& note);
    // The words of an entry's mark; empty for none.
    static QString MarkOf(const QModelIndex& index);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // The line's thickness in device-independent pixels.
    static constexpr int kLineWidth = 2;
};
