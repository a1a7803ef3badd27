#include "ui/ListCommands.h"

#include <algorithm>

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QShortcut>
#include <QTimer>

namespace {

QShortcut* KeyOf(QListWidget* list, const QKeySequence& key, const std::function<void()>& act) {
    auto* shortcut = new QShortcut(key, list);
    shortcut->setContext(Qt::WidgetShortcut);
    QObject::connect(shortcut, &QShortcut::activated, list, act);
    return shortcut;
}

int SelectedRow(const QListWidget* list) {
    const QModelIndexList selected = list->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

} // namespace

ListCommands::ListCommands(QListWidget* list, Handlers handlers)
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
    // The item has moved when the model reports it; its new row counts after its removal.
    connect(list->model(), &QAbstractItemModel::rowsMoved, this,
            [this](const QModelIndex&, int start, int, const QModelIndex&, int row) {
                m_handlers.dragged(start, row > start ? row - 1 : row);
            });
}

void ListCommands::FillMenu(QMenu& menu) const {
    const int selected = SelectedRow(m_list);
    const int count = m_list->count();
    const auto add = [&menu](const QString& text, bool enabled, const std::function<void()>& act) {
        QAction* action = menu.addAction(text);
        action->setEnabled(enabled);
        QObject::connect(action, &QAction::triggered, &menu, act);
    };
    add("&Remove", selected >= 0, m_handlers.remove);
    add("Move &Up", selected > 0, m_handlers.moveUp);
    add("Move &Down", selected >= 0 && selected < count - 1, m_handlers.moveDown);
    menu.addSeparator();
    add("&Sort by Name", count > 1, m_handlers.sortByName);
    // Its letter is Remove's too: pressing R moves between the two, and Enter chooses.
    add("Order by &Recording", count > 1 && m_handlers.canOrderByRecording(),
        m_handlers.orderByRecording);
    menu.addSeparator();
    add("Add &Folder...", true, m_handlers.addFolder);
}

void ListCommands::ShowMenu(const QPoint& at, bool keyboard) {
    QMenu menu(m_list);
    FillMenu(menu);
    QPoint where = at;
    if (keyboard) {
        const int row = std::max(SelectedRow(m_list), 0);
        const QRect area =
            m_list->count() > 0 ? m_list->visualItemRect(m_list->item(row)) : QRect();
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
