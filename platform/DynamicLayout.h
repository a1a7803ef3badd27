#pragma once

#include <vector>

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWindow>

#include "res/ControlTemplate.h"

class QScreen;
class QScrollBar;
class QWidget;

// Places the controls of a dialog: at their template geometry, mirrored when the dialog lays out
// right to left, and for a resizable dialog that grows past its template size, each by its
// template layout's share of the growth. The dialog's minimum size is its template size as far as
// the available screen area allows; on a screen too small for it the controls keep their
// template geometry and scroll, and a control that takes the focus is scrolled into view.
class DynamicLayout : public QObject {
public:
    // Follows the resizes of `dialog`, whose template size is its size now.
    explicit DynamicLayout(QWidget* dialog);

    // Takes `control` at its present geometry, which stands for the template size.
    void Add(QWidget* control, const res::ControlLayout& layout);

    // Places every control for the dialog's present size, direction and scroll positions.
    void Apply();

    // The layout that places `dialog`'s controls, or nullptr.
    static DynamicLayout* Of(const QWidget* dialog);

    // Keeps a change that the dialog's own code made to `control`'s geometry (a field widened
    // at set-up to fit its text) as the dialog grows, as if the template had asked for it.
    void Moved(QWidget* control);

    // Where a control of template geometry `start` goes when the dialog has grown by `growth`.
    static QRect Place(const QRect& start, const res::ControlLayout& layout, const QSize& growth);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Item {
        QPointer<QWidget> control;
        QRect start;
        res::ControlLayout layout;
    };

    void FitScreen();
    void FollowScreen();
    void WatchScreen(QScreen* screen);
    // The part of the dialog that shows controls, beside the scroll bars that are needed.
    QRect Viewport() const;
    void ShowInView(QWidget* focused);

    QWidget* m_dialog;
    QSize m_base;
    // Where `item` shows in the dialog for the view `view` and the present scroll positions.
    QRect Shown(const Item& item, const QRect& view) const;

    std::vector<Item> m_items;
    QScrollBar* m_horizontal;
    QScrollBar* m_vertical;
    bool m_placing = false;
    QPointer<QWindow> m_followed;
    QMetaObject::Connection m_screenWatch;
    // The window frame the minimum size was last fitted for.
    QSize m_frame{0, 0};
};
