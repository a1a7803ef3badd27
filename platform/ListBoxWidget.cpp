#include "platform/ListBoxWidget.h"

#include <algorithm>
#include <cwchar>

#include <QKeyEvent>
#include <QSignalBlocker>

namespace {

Qt::ScrollBarPolicy PolicyFor(DWORD style, DWORD scrollStyle) {
    if (!(style & scrollStyle))
        return Qt::ScrollBarAlwaysOff;
    return (style & LBS_DISABLENOSCROLL) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded;
}

QString TextOf(LPARAM lParam) {
    return QString::fromWCharArray(reinterpret_cast<LPCWSTR>(lParam));
}

} // namespace

ListBoxWidget::ListBoxWidget(DWORD style, QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTextElideMode(Qt::ElideNone);
    setVerticalScrollBarPolicy(PolicyFor(style, WS_VSCROLL));
    setHorizontalScrollBarPolicy(PolicyFor(style, WS_HSCROLL));
    if (!(style & WS_BORDER))
        setFrameShape(QFrame::NoFrame);
}

bool ListBoxWidget::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const QSignalBlocker quiet(this);
    const int index = static_cast<int>(wParam);
    *result = LB_ERR; // until the message succeeds
    switch (message) {
    case LB_INSERTSTRING: {
        const int at = index == -1 ? Count() : index;
        if (at < 0 || at > Count())
            return true;
        auto* entry = new QTreeWidgetItem({TextOf(lParam)});
        entry->setData(0, kTextRole, TextOf(lParam));
        entry->setToolTip(0, TextOf(lParam));
        insertTopLevelItem(at, entry);
        *result = at;
        return true;
    }
    case LB_DELETESTRING:
        if (!IsIndex(wParam))
            return true;
        // Win32 moves the selection nowhere when its entry goes.
        if (index == Selection())
            selectionModel()->clear();
        delete takeTopLevelItem(index);
        *result = Count();
        return true;
    case LB_GETCOUNT:
        *result = Count();
        return true;
    case LB_GETCURSEL:
        *result = Selection();
        return true;
    case LB_SETCURSEL:
        if (!IsIndex(wParam)) {
            selectionModel()->clear();
            return true;
        }
        setCurrentItem(topLevelItem(index));
        *result = index;
        return true;
    case LB_GETTEXT:
    case LB_GETTEXTLEN: {
        if (!IsIndex(wParam))
            return true;
        const std::wstring text = topLevelItem(index)->data(0, kTextRole).toString().toStdWString();
        if (message == LB_GETTEXT)
            std::wcscpy(reinterpret_cast<LPWSTR>(lParam), text.c_str());
        *result = static_cast<LRESULT>(text.size());
        return true;
    }
    default:
        return false;
    }
}

int ListBoxWidget::Selection() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? static_cast<int>(LB_ERR) : selected.first().row();
}

void ListBoxWidget::keyPressEvent(QKeyEvent* event) {
    // Win32 selects where Qt would only move its current entry, which it keeps unselected.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    const bool move = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left ||
                      key == Qt::Key_Right || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
    const int row = key == Qt::Key_Home  ? 0
                    : key == Qt::Key_End ? Count() - 1
                    : move               ? std::max(indexOfTopLevelItem(currentItem()), 0)
                                         : -1;
    if (Selection() == LB_ERR && Count() > 0 && modifiers == Qt::NoModifier && row >= 0) {
        setCurrentItem(topLevelItem(row));
        scrollToItem(topLevelItem(row));
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

// Qt lets Ctrl clear the selection of a single-selection view; a Win32 list box keeps it.
QItemSelectionModel::SelectionFlags ListBoxWidget::selectionCommand(const QModelIndex& index,
                                                                    const QEvent* event) const {
    const QItemSelectionModel::SelectionFlags flags = QTreeWidget::selectionCommand(index, event);
    return (flags & QItemSelectionModel::Deselect) ? QItemSelectionModel::NoUpdate : flags;
}
