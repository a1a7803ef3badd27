#pragma once

#include <QStyledItemDelegate>

// Draws the entries of a list as usual, and a line across the top of each entry whose mark
// (ListBoxWidget::kMarkRole) is set: where a new group of entries begins. The line takes the
// colour of the entry's text, so that it stays visible in light and dark themes, and is
// sized in device-independent pixels, so that it scales with the display.
class ListMarkDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // The line's thickness in device-independent pixels.
    static constexpr int kLineWidth = 2;
};
