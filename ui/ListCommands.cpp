#include "ui/ListCommands.h"

#include <algorithm>

#include <QAction>
#include <QDropEvent>
#include <QMenu>
#include <QPointer>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>

#include "res/Tr.h"

namespace {

QShortcut* KeyOf(QTreeWidget* list, const QKeySequence& key, const std::function<void()>& act) {
    auto* shortcut = new QShortcut(key, list);
    shortcut->setContext(Qt::WidgetShortcut);
    QObject::connect(shortcut, &QShortcut::activated, list, act);
    return shortcut;
}

int SelectedRow(const QTreeWidget* list) {
    const QModelIndexList selected = list->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

} // namespace

ListCommands::ListCommands(QTreeWidget* list, Handlers handlers)
    : QObject(list), m_list(list), m_handlers(std::move(handlers)) {
    KeyOf(list, QKeySequence(Qt::Key_Delete), m_handlers.remove);
    KeyOf(list, QKeySequence(Qt::ALT | Qt::Key_Up), m_handlers.moveUp);
    KeyOf(list, QKeySequence(Qt::ALT | Qt::Key_Down), m_handlers.moveDown);
    // Not every platform turns these keys into context menu events.
    for (const QKeySequence& key :
         {QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)})
        KeyOf(list, key, [this] { ShowMenu(QPoint(), true); });

    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ShowMenu(at, false); });

    list->setDragDropMode(QAbstractItemView::InternalMove);
    list->setDefaultDropAction(Qt::MoveAction);
    list->setDropIndicatorShown(true);
    list->viewport()->setAcceptDrops(true);
    list->viewport()->installEventFilter(this);
}

void ListCommands::Drop(int from, int before) {
    const int count = m_list->topLevelItemCount();
    if (from < 0 || from >= count || before < 0 || before > count)
        return;
    // The row it lands on counts after its removal.
    const int to = before > from ? before - 1 : before;
    if (to == from)
        return;
    {
        // The entry is moved, not unselected: the dialog selects it again where it lands.
        const QSignalBlocker quiet(m_list);
        m_list->insertTopLevelItem(to, m_list->takeTopLevelItem(from));
    }
    m_handlers.dragged(from, to);
}

// Before the entry under the point when in its upper half, else after it; below the last entry,
// at the end.
bool ListCommands::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    if (drop->source() != m_list)
        return false;
    const QPoint at = drop->position().toPoint();
    const QModelIndex index = m_list->indexAt(at);
    const int before = !index.isValid() ? m_list->topLevelItemCount()
                       : at.y() < m_list->visualRect(index).center().y() ? index.row()
                                                                         : index.row() + 1;
    Drop(SelectedRow(m_list), before);
    // Nothing for the view to do once the drag ends: a move reported back to it would take the
    // selected entry out.
    drop->setDropAction(Qt::IgnoreAction);
    drop->ignore();
    m_list->viewport()->update();
    return true;
}

void ListCommands::FillMenu(QMenu& menu) const {
    const int selected = SelectedRow(m_list);
    const int count = m_list->topLevelItemCount();
    const auto add = [&menu](const char* text, bool enabled, const std::function<void()>& act) {
        QAction* action = menu.addAction(QString::fromStdWString(res::Tr("ListCommands", text)));
        action->setEnabled(enabled);
        QObject::connect(action, &QAction::triggered, &menu, act);
    };
    add(QT_TRANSLATE_NOOP("ListCommands", "&Remove"), selected >= 0, m_handlers.remove);
    add(QT_TRANSLATE_NOOP("ListCommands", "Move &Up"), selected > 0, m_handlers.moveUp);
    add(QT_TRANSLATE_NOOP("ListCommands", "Move &Down"), selected >= 0 && selected < count - 1,
        m_handlers.moveDown);
    menu.addSeparator();
    add(QT_TRANSLATE_NOOP("ListCommands", "&Sort by Name"), count > 1, m_handlers.sortByName);
    // Its letter is Remove's too: pressing R moves between the two, and Enter chooses.
    add(QT_TRANSLATE_NOOP("ListCommands", "Order by &Recording"),
        count > 1 && m_handlers.canOrderByRecording(), m_handlers.orderByRecording);
    menu.addSeparator();
    add(QT_TRANSLATE_NOOP("ListCommands", "Add &Folder..."), true, m_handlers.addFolder);
}

void ListCommands::ShowMenu(const QPoint& at, bool keyboard) {
    QMenu menu(m_list);
    FillMenu(menu);
    QPoint where = at;
    if (keyboard) {
        const int row = std::max(SelectedRow(m_list), 0);
        const int count = m_list->topLevelItemCount();
        const QRect area = count > 0 ? m_list->visualItemRect(m_list->topLevelItem(row)) : QRect();
        where = area.bottomLeft() + QPoint(0, 1);
        // A menu opened from the keyboard highlights its first enabled entry, once it shows.
        QPointer<QMenu> shown = &menu;
        QTimer::singleShot(0, &menu, [shown] {
            for (QAction* action : shown ? shown->actions() : QList<QAction*>()) {
                if (!action->isSeparator() && action->isEnabled()) {
                    shown->setActiveAction(action);
                    break;
                }
            }
        });
    }
    menu.exec(m_list->viewport()->mapToGlobal(where));
}
