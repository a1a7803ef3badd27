#pragma once

#include <functional>

#include <QObject>

class QListWidget;
class QMenu;
class QPoint;

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

    ListCommands(QListWidget* list, Handlers handlers);

    // The list's context menu, as it stands now: for tests and for showing.
    void FillMenu(QMenu& menu) const;

private:
    // Shows the menu at `at` (the list's viewport coordinates), or below the selected entry
    // when opened from the keyboard.
    void ShowMenu(const QPoint& at, bool keyboard);

    QListWidget* m_list;
    Handlers m_handlers;
};
