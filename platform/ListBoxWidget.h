#pragma once

#include <QListWidget>

#include "platform/MessageWidget.h"
#include "platform/WinTypes.h"

// A Win32 list box: unsorted, single selection, entries of text. Changes made through its
// messages send no notification; the user's own selection changes do (itemSelectionChanged).
// The horizontal extent, not the entries' widths, sets the horizontal scroll range. As on
// Win32, the keys that move the selection select an entry when none is selected, and a click
// with Ctrl does not clear the selection. Each entry's whole text is its tooltip.
class ListBoxWidget : public QListWidget, public MessageWidget {
public:
    ListBoxWidget(DWORD style, QWidget* parent);

    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    void updateGeometries() override;
    void keyPressEvent(QKeyEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    int Selection() const;
    bool IsIndex(WPARAM index) const { return index < static_cast<WPARAM>(count()); }

    int m_horizontalExtent = 0;
};
