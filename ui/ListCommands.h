#pragma once

#include <functional>

#include <QObject>

class QMenu;
class QPoint;
class QTreeWidget;

// What the input list offers beyond a list box: its context menu (Remove, Move Up, Move Down,
// Sort by Name, Order by Recording, Add Folder...), the keys Delete, Alt+Up and Alt+Down, and
// dragging an entry to another place. Each calls the dialog's own handler.
class ListCommands : public QObject {
public:
    struct Handlers {
        std::function<void()> remove;
        std::function<void()> moveUp;
        std::function<void()> moveDown;
        std::function<void()> sortByName;
        std::function<void()> orderByRecording;
        std::function<void()> addFolder;
        // Whether every clip has been read, which ordering by recording needs.
        std::function<bool()> canOrderByRecording;
        // The user dragged entry `from` to `to`; the list shows it there already.
        std::function<void(int from, int to)> dragged;
    };

    ListCommands(QTreeWidget* list, Handlers handlers);

    // The list's context menu, as it stands now: for tests and for showing.
    void FillMenu(QMenu& menu) const;

    // Moves entry `from` before entry `before` (the count of entries for the end), as the drop
    // of an entry dragged there does, and tells the dialog. Dropped on itself, nothing moves.
    void Drop(int from, int before);

protected:
    // Takes the drops of the list's own entries: they go between entries, never into one.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows the menu at `at` (the list's viewport coordinates), or below the selected entry
    // when opened from the keyboard.
    void ShowMenu(const QPoint& at, bool keyboard);

    QTreeWidget* m_list;
    Handlers m_handlers;
};
