#include "platform/ListBoxWidget.h"

#include <algorithm>
#include <cwchar>

#include <QCoreApplication>
#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalBlocker>

#include "platform/ListMarkDelegate.h"

namespace {

Qt::ScrollBarPolicy PolicyFor(DWORD style, DWORD scrollStyle) {
    if (!(style & scrollStyle))
        return Qt::ScrollBarAlwaysOff;
    return (style & LBS_DISABLENOSCROLL) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded;
}

QString TextOf(LPARAM lParam) {
    return QString::fromWCharArray(reinterpret_cast<LPCWSTR>(lParam));
}

const char kMoveFormat[] = "application/x-veldrun-list-entry";

// "process:list:row", so that a drag from another list or program is not taken for a move.
QByteArray MoveToken(const void* list, int row) {
    return QByteArray::number(QCoreApplication::applicationPid()) + ':' +
           QByteArray::number(reinterpret_cast<quintptr>(list)) + ':' + QByteArray::number(row);
}

} // namespace

ListBoxWidget::ListBoxWidget(DWORD style, QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTextElideMode(Qt::ElideNone);
    setVerticalScrollBarPolicy(PolicyFor(style, WS_VSCROLL));
    setHorizontalScrollBarPolicy(PolicyFor(style, WS_HSCROLL));
    if (!(style & WS_BORDER))
        setFrameShape(QFrame::NoFrame);
    setItemDelegate(new ListMarkDelegate(this));
}

bool ListBoxWidget::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const QSignalBlocker quiet(this);
    const int index = static_cast<int>(wParam);
    switch (message) {
    case LB_ADDSTRING:
        addItem(TextOf(lParam));
        item(count() - 1)->setToolTip(TextOf(lParam));
        *result = count() - 1;
        return true;
    case LB_INSERTSTRING: {
        const int at = index == -1 ? count() : index;
        if (at < 0 || at > count()) {
            *result = LB_ERR;
            return true;
        }
        insertItem(at, TextOf(lParam));
        item(at)->setToolTip(TextOf(lParam));
        *result = at;
        return true;
    }
    case LB_DELETESTRING:
        if (!IsIndex(wParam)) {
            *result = LB_ERR;
            return true;
        }
        if (index == Selection()) {
            // Win32 moves the selection nowhere when its entry goes.
            selectionModel()->clear();
        }
        delete takeItem(index);
        *result = count();
        return true;
    case LB_GETCOUNT:
        *result = count();
        return true;
    case LB_GETCURSEL:
        *result = Selection();
        return true;
    case LB_SETCURSEL:
        if (IsIndex(wParam)) {
            setCurrentRow(index);
            *result = index;
        } else {
            selectionModel()->clear();
            *result = LB_ERR;
        }
        return true;
    case LB_GETTEXT:
    case LB_GETTEXTLEN: {
        if (!IsIndex(wParam)) {
            *result = LB_ERR;
            return true;
        }
        const std::wstring text = item(index)->text().toStdWString();
        if (message == LB_GETTEXT)
            std::wcscpy(reinterpret_cast<LPWSTR>(lParam), text.c_str());
        *result = static_cast<LRESULT>(text.size());
        return true;
    }
    case LB_GETITEMRECT: {
        if (!IsIndex(wParam)) {
            *result = LB_ERR;
            return true;
        }
        // In the list's client coordinates, which are its viewport's.
        const QRect area = visualItemRect(item(index));
        *reinterpret_cast<RECT*>(lParam) = {area.left(), area.top(), area.right() + 1,
                                            area.bottom() + 1};
        *result = 0;
        return true;
    }
    case LB_GETHORIZONTALEXTENT:
        *result = m_horizontalExtent;
        return true;
    case LB_SETHORIZONTALEXTENT:
        m_horizontalExtent = index;
        updateGeometries();
        *result = 0;
        return true;
    case LB_SETITEMMARK: {
        if (!IsIndex(wParam)) {
            *result = LB_ERR;
            return true;
        }
        QListWidgetItem* entry = item(index);
        const QString note = lParam ? TextOf(lParam) : QString();
        // Setting an unchanged mark repaints nothing.
        if (entry->data(kMarkRole).toString() != note) {
            entry->setData(kMarkRole, note);
            entry->setToolTip(note.isEmpty() ? entry->text() : entry->text() + '\n' + note);
        }
        *result = 0;
        return true;
    }
    default:
        return false;
    }
}

void ListBoxWidget::updateGeometries() {
    QListWidget::updateGeometries();
    const int page = viewport()->width();
    horizontalScrollBar()->setRange(0, std::max(0, m_horizontalExtent - page));
    horizontalScrollBar()->setPageStep(page);
}

int ListBoxWidget::Selection() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? static_cast<int>(LB_ERR) : selected.first().row();
}

void ListBoxWidget::keyPressEvent(QKeyEvent* event) {
    // Win32 selects where Qt would only move its current entry, which it keeps unselected.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (Selection() == LB_ERR && count() > 0 && modifiers == Qt::NoModifier) {
        const int current = currentRow() >= 0 ? currentRow() : 0;
        int row = -1;
        switch (event->key()) {
        case Qt::Key_Home:
            row = 0;
            break;
        case Qt::Key_End:
            row = count() - 1;
            break;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            row = current;
            break;
        default:
            break;
        }
        if (row >= 0) {
            setCurrentRow(row);
            scrollToItem(item(row));
            event->accept();
            return;
        }
    }
    QListWidget::keyPressEvent(event);
}

// Qt lets Ctrl clear the selection of a single-selection view; a Win32 list box keeps it.
QItemSelectionModel::SelectionFlags ListBoxWidget::selectionCommand(const QModelIndex& index,
                                                                    const QEvent* event) const {
    const QItemSelectionModel::SelectionFlags flags = QListWidget::selectionCommand(index, event);
    return (flags & QItemSelectionModel::Deselect) ? QItemSelectionModel::NoUpdate : flags;
}

void ListBoxWidget::EnableDragMoves() {
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setDropIndicatorShown(true);
    viewport()->setAcceptDrops(true);
}

QMimeData* ListBoxWidget::DragData(int row) const {
    auto* data = new QMimeData;
    data->setData(kMoveFormat, MoveToken(this, row));
    return data;
}

QStringList ListBoxWidget::mimeTypes() const {
    return {kMoveFormat};
}

// The move is made by the drop, so what the drag returns is of no further use.
void ListBoxWidget::startDrag(Qt::DropActions) {
    const int row = Selection();
    if (row < 0)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(DragData(row));
    drag->exec(Qt::MoveAction);
}

int ListBoxWidget::DraggedRow(const QMimeData* data) const {
    if (!data || !data->hasFormat(kMoveFormat))
        return -1;
    const QByteArray token = data->data(kMoveFormat);
    bool ok = false;
    const int row = token.mid(token.lastIndexOf(':') + 1).toInt(&ok);
    return ok && row >= 0 && row < count() && token == MoveToken(this, row) ? row : -1;
}

void ListBoxWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (DraggedRow(event->mimeData()) < 0) {
        event->ignore();
        return;
    }
    QListWidget::dragEnterEvent(event);
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void ListBoxWidget::dragMoveEvent(QDragMoveEvent* event) {
    if (DraggedRow(event->mimeData()) < 0) {
        event->ignore();
        return;
    }
    QListWidget::dragMoveEvent(event);
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void ListBoxWidget::dropEvent(QDropEvent* event) {
    const int from = DraggedRow(event->mimeData());
    setState(NoState);
    viewport()->update();
    if (from < 0) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    MoveEntry(from, event->position().toPoint());
}

void ListBoxWidget::MoveEntry(int from, const QPoint& at) {
    const QModelIndex target = indexAt(at);
    int to = count();
    if (target.isValid())
        to = target.row() + (at.y() >= visualRect(target).center().y() ? 1 : 0);
    if (to > from)
        --to;
    if (to == from)
        return;
    {
        const QSignalBlocker quiet(this);
        QListWidgetItem* moved = takeItem(from);
        insertItem(to, moved);
        setCurrentRow(to);
    }
    scrollToItem(item(to));
    emit itemSelectionChanged();
}
