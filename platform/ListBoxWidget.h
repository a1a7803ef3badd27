#pragma once

#include <QListWidget>

#include "platform/MessageWidget.h"
#include "platform/WinTypes.h"

class QMimeData;

// A Win32 list box: unsorted, single selection, entries of text. Changes made through its
// messages send no notification; the user's own selection changes do (itemSelectionChanged).
// The horizontal extent, not the entries' widths, sets the horizontal scroll range. As on
// Win32, the keys that move the selection select an entry when none is selected, and a click
// with Ctrl does not clear the selection. Each entry's whole text is its tooltip, followed
// by the words of its mark when it has one (LB_SETITEMMARK; ListMarkDelegate draws it).
class ListBoxWidget : public QListWidget, public MessageWidget {
public:
    // The item data that holds the words of an entry's mark; empty for none.
    static constexpr int kMarkRole = Qt::UserRole + 1;

    ListBoxWidget(DWORD style, QWidget* parent);

    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // Lets the user drag an entry to another place in the list (MakeDragList). The entry
    // stays selected there, which is reported as a selection change. Drops of anything else
    // are left to the window below.
    void EnableDragMoves();
    // What a drag of entry `row` carries: only this list, in this process, takes it.
    QMimeData* DragData(int row) const;

protected:
    void updateGeometries() override;
    void keyPressEvent(QKeyEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void startDrag(Qt::DropActions supportedActions) override;
    QStringList mimeTypes() const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    int Selection() const;
    bool IsIndex(WPARAM index) const { return index < static_cast<WPARAM>(count()); }
    // The entry that `data` drags within this list, or -1.
    int DraggedRow(const QMimeData* data) const;
    // Moves entry `from` to where the drop at `at` (viewport coordinates) points.
    void MoveEntry(int from, const QPoint& at);

    int m_horizontalExtent = 0;
};
