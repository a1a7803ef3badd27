#pragma once

#include <QTreeWidget>

#include "platform/MessageWidget.h"
#include "platform/WinTypes.h"

// A Win32 list box: unsorted, single selection, entries of text, one row each. Changes made
// through its messages send no notification; the user's own selection changes do
// (itemSelectionChanged). As on Win32, the keys that move the selection select an entry when
// none is selected, and a click with Ctrl does not clear the selection. Each entry's text is
// kept in kTextRole of its first column, which shows it and has it as tooltip until others
// change what the row shows: a tree of one column without header or branches, so that the
// application can add columns.
class ListBoxWidget : public QTreeWidget, public MessageWidget {
public:
    static constexpr int kTextRole = Qt::UserRole;

    ListBoxWidget(DWORD style, QWidget* parent);

    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    int Count() const { return topLevelItemCount(); }
    int Selection() const;
    bool IsIndex(WPARAM index) const { return index < static_cast<WPARAM>(Count()); }
};
